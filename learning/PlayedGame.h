#pragma once
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

#include "common/PlayEvents.h"

namespace kd {

// One game read back from the learning record (or gathered during play), for the ghost, the
// splits and replays. All times are milliseconds.

struct PlayedQuestion {
    int seq = 0;
    int questionId = 0;
    QString text;
    QString reading;
    qint64 shownMs = 0;               // since the game began
    std::optional<qint64> lastKeyMs;  // since the question appeared
    int misses = 0;
    bool completed = false;
};

struct PlayedKey {
    int seq = 0;
    int questionSeq = 0;
    qint64 ms = 0;      // since its question appeared
    qint64 gameMs = 0;  // since the game began
    QString expected;   // kana unit or letter
    QString typed;
    bool hit = false;
    QString form;  // the romaji form followed, for a hit
};

struct LaneSample {
    qint64 ms = 0;  // since the game began
    std::array<int, 5> positions{};
};

struct PlayedGame {
    qint64 id = 0;
    GameMode mode = GameMode::TimeTrial;
    QString genre;
    int chara = -1;
    int heat = 0;
    qint64 startedAt = 0;  // wall clock
    qint64 durationMs = 0;
    int correct = 0;
    int misses = 0;
    bool abandoned = false;
    bool imported = false;
    std::optional<qint32> timeMs;  // time trial
    QString grade;
    std::optional<int> place;
    std::optional<bool> won;
    QList<PlayedQuestion> questions;  // in order of seq
    QList<PlayedKey> keys;            // in order of seq
    QList<LaneSample> lanes;          // in order of ms
    std::array<int, 4> cast{};        // race: the character in each lane, 0 where not known
    InputMethod inputMethod = InputMethod::Romaji;

    // The moment play stopped: the time trial's recorded time, else the game's duration.
    qint64 EndMs() const { return timeMs && *timeMs > 0 ? *timeMs : durationMs; }
    // Index into questions of the question with this seq, -1 when there is none.
    int QuestionIndex(int seq) const;
};

// Reads one game with its questions, keys and lanes. nullopt when the game is not there or
// the database cannot be read; rows that contradict each other (a key of a question that
// was never shown) are left out rather than failing the whole game.
std::optional<PlayedGame> LoadPlayedGame(const QSqlDatabase& db, qint64 gameId);

// The player's fastest finished time trial of a genre that kept its keys, started before
// `startedBefore` (wall clock; 0 for no limit). Imported summaries have no keys and never
// count, nor runs typed the other way (romaji or kana keys). nullopt when there is none.
std::optional<qint64> FindBestTimeTrial(const QSqlDatabase& db, const QString& genre,
                                        qint64 startedBefore = 0, InputMethod method = InputMethod::Romaji);

// A summary line per game for a list to choose a replay from.
struct PlayedGameSummary {
    qint64 id = 0;
    GameMode mode = GameMode::TimeTrial;
    QString genre;
    qint64 startedAt = 0;
    qint64 durationMs = 0;
    int correct = 0;
    int misses = 0;
    std::optional<qint32> timeMs;
    std::optional<int> place;
    std::optional<bool> won;
    bool abandoned = false;
};

// Time trials, races and boss battles that can be replayed (they kept their keys), newest
// first, at most `limit`.
QList<PlayedGameSummary> ListReplayableGames(const QSqlDatabase& db, int limit = 500);

}  // namespace kd
