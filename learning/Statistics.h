#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QVector>
#include <QtGlobal>
#include <atomic>

// What a player's learning record says about them: progress per game, time-trial times, weak
// kana units and keys, mix-ups and slow key pairs. Plain queries over an open learning
// database; no widgets. Key-level figures come from summary tables (stat_*) that
// RefreshSummaries brings up to date incrementally, so every query stays fast on a record of
// millions of keys.
namespace kd::stats {

// Fewer attempts than this make a figure a guess; the window marks it.
constexpr qint64 kCertainAttempts = 20;
constexpr int kMovingAverageGames = 10;

// Kana units and the romaji keys typed for them, English words and their letters, or kana units
// and the kana keys typed for them (games typed with kana input).
enum class Alphabet { Kana = 0, English = 1, KanaKeys = 2 };
constexpr int kAlphabets = 3;

struct Filter {
    qint64 sinceMs = 0;  // wall clock (ms since the epoch, UTC); 0 takes the whole record
    bool includeAbandoned = false;
    bool includeImported = false;  // summaries from the old record files carry no keys
};

// A filter for the last `days` days before `nowMs`, from the start of that (UTC) day; days <= 0:
// the whole record.
Filter LastDays(int days, qint64 nowMs);

// --- games -----------------------------------------------------------------------------

struct SeriesKey {
    int mode = 0;
    QString genre;  // 'kannyouku', 'english', 'set:<id>'
    bool operator==(const SeriesKey&) const = default;
};

struct GamePoint {
    qint64 id = 0;
    qint64 startedAt = 0;
    qint64 durationMs = 0;
    int correct = 0;
    int misses = 0;
    double keysPerSec = 0;        // correct keys per second of play
    double correctRate = 0;       // 0..1
    double movingKeysPerSec = 0;  // mean over this game and the kMovingAverageGames - 1 before
    double movingCorrectRate = 0;
    bool bestKeysPerSec = false;  // the series' fastest game so far in the range
    bool abandoned = false;
    bool imported = false;
};

struct ProgressSeries {
    SeriesKey key;
    QVector<GamePoint> games;  // oldest first
    double bestKeysPerSec = 0;
    double bestCorrectRate = 0;
};

// The series (mode and genre) that have games in the range, most games first.
QVector<SeriesKey> AvailableSeries(const QSqlDatabase& db, const Filter& f);
// Games of the chosen series (all series when `only` is empty), oldest first.
QVector<ProgressSeries> Progress(const QSqlDatabase& db, const Filter& f,
                                 const QVector<SeriesKey>& only = {});

struct TimeTrialPoint {
    qint64 id = 0;
    qint64 startedAt = 0;
    qint32 timeMs = 0;
    QString grade;
    QString genre;
    int misses = 0;
    bool best = false;  // the fastest time of its genre in the range
};
QVector<TimeTrialPoint> TimeTrials(const QSqlDatabase& db, const Filter& f);

struct Overview {
    qint64 games = 0;    // in the range
    qint64 keys = 0;     // keystrokes summarised in the range
    qint64 firstAt = 0;  // first and last game in the range
    qint64 lastAt = 0;
};
Overview Summary(const QSqlDatabase& db, const Filter& f);

// --- keys ------------------------------------------------------------------------------

// A kana unit ('し', 'しゃ', 'っち') or an English letter, or a key.
struct UnitStat {
    QString name;
    qint64 attempts = 0;  // units typed (or keystrokes, for a key)
    qint64 misses = 0;    // of those, the ones with a wrong key
    double missRate = 0;  // misses / attempts
    double avgMs = 0;     // from the key before to the last key of the unit; 0 when unknown
    qint64 timed = 0;     // attempts the average is built on
    bool uncertain = true;
};

// Worst first: certain figures before uncertain ones, then by miss rate, then by time.
QVector<UnitStat> WeakUnits(const QSqlDatabase& db, Alphabet a, const Filter& f);
QVector<UnitStat> WeakKeys(const QSqlDatabase& db, Alphabet a, const Filter& f);

struct MixUp {
    QString unit;         // 'つ'
    QString expectedKey;  // 'u'
    QString typed;        // 'i'
    qint64 count = 0;
};
// Most frequent first.
QVector<MixUp> MixUps(const QSqlDatabase& db, Alphabet a, const Filter& f, int limit = 200);

struct KeyPair {
    QString first;
    QString second;
    qint64 count = 0;
    double avgMs = 0;
    bool uncertain = true;
};
// Two right keys in a row within a question; slowest first, certain ones before uncertain.
QVector<KeyPair> KeyPairs(const QSqlDatabase& db, Alphabet a, const Filter& f, int limit = 300);

// --- upkeep ----------------------------------------------------------------------------

// Brings the summary tables up to the newest game. Creates them on first use; rebuilds them
// when games were deleted. A database that cannot be written keeps its summaries in memory
// for this connection. False (with a reason) when the record cannot be read, or when `cancel`
// turned true on the way (nothing is then changed).
bool RefreshSummaries(QSqlDatabase& db, QString* error = nullptr, const std::atomic_bool* cancel = nullptr);

// True for units and letters of English questions (plain ASCII).
bool IsEnglishUnit(const QString& unit);

}  // namespace kd::stats
