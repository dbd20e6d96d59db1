#include "learning/Statistics.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <tuple>
#include <unordered_map>

#include "engine/KanaLayout.h"

namespace kd::stats {

namespace {

constexpr qint64 kDayMs = 86400000;
// Raised whenever the way the summaries are counted changes: they are built again.
constexpr int kSummaryVersion = 3;
// Besides one row per day, every figure has a row for the whole record under this day, so the
// view a player opens first reads a few hundred rows instead of one per day and figure.
constexpr qint64 kWholeRecord = -1;

const char* const kSummaryTables[] = {"stat_units", "stat_keys", "stat_mixups", "stat_pairs"};

// The tables live beside the record when it can be written, in memory otherwise. Queries name
// them without a schema: SQLite looks in temp first.
QStringList SummarySchema(const QString& schema) {
    const QString s = schema + u'.';
    return {
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS %1stat_state(key TEXT PRIMARY KEY, value INTEGER NOT NULL)")
            .arg(s),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS %1stat_units(day INTEGER NOT NULL, abandoned INTEGER NOT NULL, "
            "alpha INTEGER NOT NULL, unit TEXT NOT NULL, attempts INTEGER NOT NULL, misses INTEGER NOT NULL, "
            "timed INTEGER NOT NULL, time_ms INTEGER NOT NULL, "
            "PRIMARY KEY(alpha, day, abandoned, unit)) WITHOUT ROWID")
            .arg(s),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS %1stat_keys(day INTEGER NOT NULL, abandoned INTEGER NOT NULL, "
            "alpha INTEGER NOT NULL, key TEXT NOT NULL, attempts INTEGER NOT NULL, misses INTEGER NOT NULL, "
            "timed INTEGER NOT NULL, time_ms INTEGER NOT NULL, "
            "PRIMARY KEY(alpha, day, abandoned, key)) WITHOUT ROWID")
            .arg(s),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS %1stat_mixups(day INTEGER NOT NULL, abandoned INTEGER NOT NULL, "
            "alpha INTEGER NOT NULL, unit TEXT NOT NULL, expected_key TEXT NOT NULL, typed TEXT NOT NULL, "
            "n INTEGER NOT NULL, PRIMARY KEY(alpha, day, abandoned, unit, expected_key, typed)) WITHOUT "
            "ROWID")
            .arg(s),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS %1stat_pairs(day INTEGER NOT NULL, abandoned INTEGER NOT NULL, "
            "alpha INTEGER NOT NULL, first TEXT NOT NULL, second TEXT NOT NULL, n INTEGER NOT NULL, "
            "time_ms INTEGER NOT NULL, PRIMARY KEY(alpha, day, abandoned, first, second)) WITHOUT ROWID")
            .arg(s),
    };
}

bool Exec(QSqlDatabase& db, const QString& sql, QString* error) {
    QSqlQuery q(db);
    if (q.exec(sql)) return true;
    if (error) *error = q.lastError().text();
    return false;
}

qint64 ScalarInt(const QSqlDatabase& db, const QString& sql, const QVariantList& args = {},
                 qint64 fallback = 0) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) return fallback;
    for (const QVariant& v : args) q.addBindValue(v);
    if (!q.exec() || !q.next() || q.value(0).isNull()) return fallback;
    return q.value(0).toLongLong();
}

bool HasTable(const QSqlDatabase& db, const QString& schema, const QString& name) {
    return ScalarInt(db,
                     QStringLiteral("SELECT count(*) FROM %1.sqlite_master WHERE type='table' AND name=?")
                         .arg(schema),
                     {name}) > 0;
}

qint64 StateValue(const QSqlDatabase& db, const QString& key, qint64 fallback) {
    return ScalarInt(db, QStringLiteral("SELECT value FROM stat_state WHERE key=?"), {key}, fallback);
}

// --- counting one stretch of keys ------------------------------------------------------

struct Counts {
    qint64 attempts = 0, misses = 0, timed = 0, timeMs = 0;
};
struct Pair {
    qint64 n = 0, timeMs = 0;
};

// Key of the accumulators: (alpha, day, abandoned, text...).
using Key2 = std::tuple<int, qint64, int, QString>;
using Key3 = std::tuple<int, qint64, int, QString, QString>;
using Key4 = std::tuple<int, qint64, int, QString, QString, QString>;

struct TupleHash {
    template <typename T>
    size_t operator()(const T& t) const {
        size_t h = 0;
        std::apply([&h](const auto&... v) { ((h = h * 1000003u ^ qHash(v)), ...); }, t);
        return h;
    }
};

struct Accumulator {
    std::unordered_map<Key2, Counts, TupleHash> units, keys;
    std::unordered_map<Key4, qint64, TupleHash> mixups;
    std::unordered_map<Key3, Pair, TupleHash> pairs;
};

// Walks the keys of one game in order and splits them into kana units. A unit ends when its
// right keys fill the romaji form they followed ('shi': three), when the expected unit changes,
// or at the next question. The time of a unit runs from the key before it to its last key, so
// the first unit of a question (whose clock includes reading the question) is counted but
// not timed.
class Walker {
  public:
    explicit Walker(Accumulator& acc) : m_acc(acc) {}

    void BeginGame(qint64 day, int abandoned, bool kanaInput) {
        EndQuestion();
        m_day = day;
        m_abandoned = abandoned;
        m_kanaInput = kanaInput;
        m_question = -1;
    }

    void Key(int questionSeq, qint64 ms, const QString& expected, const QString& expectedKey,
             const QString& typed, bool hit, const QString& form) {
        if (questionSeq != m_question) {
            EndQuestion();
            m_question = questionSeq;
        }
        const Alphabet a = IsEnglishUnit(expected) ? Alphabet::English
                           : m_kanaInput           ? Alphabet::KanaKeys
                                                   : Alphabet::Kana;
        const int alpha = int(a);
        if (m_unit.isEmpty() || expected != m_unit) {
            EndUnit(false);
            m_unit = expected;
            m_alpha = alpha;
            m_unitStartMs = m_lastMs;
        }

        Counts& k = m_acc.keys[Key2{alpha, m_day, m_abandoned, expectedKey}];
        ++k.attempts;
        if (!hit) {
            ++k.misses;
            ++m_acc.mixups[Key4{alpha, m_day, m_abandoned, expected, expectedKey, typed}];
            m_unitMissed = true;
        } else if (m_prevHit) {
            // A key's time counts only after a right key: after a miss it holds the correction.
            ++k.timed;
            k.timeMs += ms - m_lastMs;
            Pair& p = m_acc.pairs[Key3{alpha, m_day, m_abandoned, m_prevKey, typed}];
            ++p.n;
            p.timeMs += ms - m_lastMs;
        }

        m_prevHit = hit;
        m_prevKey = typed;
        m_lastMs = ms;
        if (hit) {
            ++m_unitHits;
            if (!form.isEmpty() && m_unitHits >= form.size()) EndUnit(true);
        }
    }

    void EndQuestion() {
        EndUnit(false);
        m_lastMs = -1;
        m_prevHit = false;
        m_prevKey.clear();
    }

  private:
    void EndUnit(bool complete) {
        if (m_unit.isEmpty()) return;
        // A unit left half-typed counts only when it went wrong; its time is unknown.
        if (complete || m_unitMissed) {
            Counts& u = m_acc.units[Key2{m_alpha, m_day, m_abandoned, m_unit}];
            ++u.attempts;
            if (m_unitMissed) ++u.misses;
            if (complete && m_unitStartMs >= 0) {
                ++u.timed;
                u.timeMs += m_lastMs - m_unitStartMs;
            }
        }
        m_unit.clear();
        m_unitHits = 0;
        m_unitMissed = false;
    }

    Accumulator& m_acc;
    qint64 m_day = 0;
    int m_abandoned = 0;
    bool m_kanaInput = false;
    int m_question = -1;
    QString m_unit;
    int m_alpha = 0;
    int m_unitHits = 0;
    bool m_unitMissed = false;
    qint64 m_unitStartMs = -1;
    qint64 m_lastMs = -1;
    bool m_prevHit = false;
    QString m_prevKey;
};

bool Store(QSqlDatabase& db, const Accumulator& acc, QString* error) {
    QSqlQuery q(db);
    auto fail = [&] {
        if (error) *error = q.lastError().text();
        return false;
    };
    auto counts = [&](const QString& table, const QString& col, const auto& map) {
        if (!q.prepare(
                QStringLiteral("INSERT INTO %1(alpha, day, abandoned, %2, attempts, misses, timed, time_ms) "
                               "VALUES(?,?,?,?,?,?,?,?) ON CONFLICT DO UPDATE SET "
                               "attempts=attempts+excluded.attempts, misses=misses+excluded.misses, "
                               "timed=timed+excluded.timed, time_ms=time_ms+excluded.time_ms")
                    .arg(table, col)))
            return false;
        for (const auto& [k, c] : map)
            for (const qint64 day : {std::get<1>(k), kWholeRecord}) {
                q.addBindValue(std::get<0>(k));
                q.addBindValue(day);
                q.addBindValue(std::get<2>(k));
                q.addBindValue(std::get<3>(k));
                q.addBindValue(c.attempts);
                q.addBindValue(c.misses);
                q.addBindValue(c.timed);
                q.addBindValue(c.timeMs);
                if (!q.exec()) return false;
            }
        return true;
    };
    if (!counts(QStringLiteral("stat_units"), QStringLiteral("unit"), acc.units) ||
        !counts(QStringLiteral("stat_keys"), QStringLiteral("key"), acc.keys))
        return fail();
    if (!q.prepare(
            QStringLiteral("INSERT INTO stat_mixups(alpha, day, abandoned, unit, expected_key, typed, n) "
                           "VALUES(?,?,?,?,?,?,?) ON CONFLICT DO UPDATE SET n=n+excluded.n")))
        return fail();
    for (const auto& [k, n] : acc.mixups)
        for (const qint64 day : {std::get<1>(k), kWholeRecord}) {
            auto row = k;
            std::get<1>(row) = day;
            std::apply([&q](const auto&... v) { (q.addBindValue(v), ...); }, row);
            q.addBindValue(n);
            if (!q.exec()) return fail();
        }
    if (!q.prepare(QStringLiteral("INSERT INTO stat_pairs(alpha, day, abandoned, first, second, n, time_ms) "
                                  "VALUES(?,?,?,?,?,?,?) ON CONFLICT DO UPDATE SET n=n+excluded.n, "
                                  "time_ms=time_ms+excluded.time_ms")))
        return fail();
    for (const auto& [k, p] : acc.pairs)
        for (const qint64 day : {std::get<1>(k), kWholeRecord}) {
            auto row = k;
            std::get<1>(row) = day;
            std::apply([&q](const auto&... v) { (q.addBindValue(v), ...); }, row);
            q.addBindValue(p.n);
            q.addBindValue(p.timeMs);
            if (!q.exec()) return fail();
        }
    return true;
}

bool SetState(QSqlDatabase& db, const QString& key, qint64 value, QString* error) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO stat_state(key, value) VALUES(?, ?)"));
    q.addBindValue(key);
    q.addBindValue(value);
    if (q.exec()) return true;
    if (error) *error = q.lastError().text();
    return false;
}

// Adds the games with ids in (from, to] to the summaries.
bool Summarise(QSqlDatabase& db, qint64 from, qint64 to, QString* error, const std::atomic_bool* cancel) {
    Accumulator acc;
    Walker walker(acc);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral(
        "SELECT k.game_id, k.question_seq, k.ms, k.expected, k.expected_key, k.typed, k.hit, k.form, "
        "g.started_at, g.abandoned, g.input_method FROM keys k JOIN games g ON g.id = k.game_id "
        "WHERE k.game_id > ? AND k.game_id <= ? AND g.imported = 0 ORDER BY k.game_id, k.seq"));
    q.addBindValue(from);
    q.addBindValue(to);
    if (!q.exec()) {
        if (error) *error = q.lastError().text();
        return false;
    }
    qint64 game = -1, rows = 0;
    while (q.next()) {
        if ((++rows & 0xFFF) == 0 && cancel && *cancel) {
            if (error) *error = QStringLiteral("cancelled");
            return false;
        }
        const qint64 id = q.value(0).toLongLong();
        if (id != game) {
            game = id;
            walker.BeginGame(q.value(8).toLongLong() / kDayMs, q.value(9).toInt() ? 1 : 0,
                             q.value(10).toInt() == int(InputMethod::Kana));
        }
        walker.Key(q.value(1).toInt(), q.value(2).toLongLong(), q.value(3).toString(), q.value(4).toString(),
                   q.value(5).toString(), q.value(6).toInt() != 0, q.value(7).toString());
    }
    walker.EndQuestion();
    return Store(db, acc, error);
}

// Opens a transaction with the summary tables made: beside the record when it can be written,
// otherwise for this connection only.
bool BeginWithSummaryTables(QSqlDatabase& db, QString* error) {
    if (!db.transaction()) {
        if (error) *error = db.lastError().text();
        return false;
    }
    bool made = true;
    for (const QString& sql : SummarySchema(QStringLiteral("main"))) made = made && Exec(db, sql, nullptr);
    if (made) return true;
    db.rollback();
    if (!db.transaction()) return false;
    for (const QString& sql : SummarySchema(QStringLiteral("temp")))
        if (!Exec(db, sql, error)) {
            db.rollback();
            return false;
        }
    return true;
}

// Ends the transaction BeginWithSummaryTables began; `watermark` is the newest game summarised,
// 0 when the summaries had to be emptied.
bool CommitSummaryState(QSqlDatabase& db, qint64 newest, qint64& watermark, QString* error) {
    watermark = StateValue(db, QStringLiteral("watermark"), 0);
    const qint64 seen = StateValue(db, QStringLiteral("games"), -1);
    const qint64 version = StateValue(db, QStringLiteral("version"), 0);
    const qint64 stillThere =
        ScalarInt(db, QStringLiteral("SELECT count(*) FROM games WHERE id <= ?"), {watermark});
    // Games deleted (or the record cleared) since the last summary: count everything again.
    bool ok = true;
    if (version != kSummaryVersion || seen != stillThere || watermark > newest) {
        for (const char* t : kSummaryTables)
            Exec(db, QStringLiteral("DELETE FROM %1").arg(QLatin1String(t)), nullptr);
        watermark = 0;
        ok = SetState(db, QStringLiteral("watermark"), 0, error) &&
             SetState(db, QStringLiteral("games"), 0, error);
    }
    ok = ok && SetState(db, QStringLiteral("version"), kSummaryVersion, error);
    if (!ok || !db.commit()) {
        if (ok && error) *error = db.lastError().text();
        db.rollback();
        return false;
    }
    return true;
}

// Summarises the games after `watermark` up to `newest`, a few hundred games a transaction (ids
// need not be dense), which also keeps memory small: a game ending meanwhile waits for one step
// (its own connection waits 300 ms), not for the whole record; a step cut short by closing the
// window resumes next time.
bool SummariseUpTo(QSqlDatabase& db, qint64 watermark, qint64 newest, QString* error,
                   const std::atomic_bool* cancel) {
    constexpr qint64 kStepGames = 200;
    while (watermark < newest) {
        if (cancel && *cancel) {
            if (error) *error = QStringLiteral("cancelled");
            return false;
        }
        const qint64 to = std::min(
            newest,
            ScalarInt(
                db,
                QStringLiteral("SELECT max(id) FROM (SELECT id FROM games WHERE id > ? ORDER BY id LIMIT ?)"),
                {watermark, kStepGames}, newest));
        if (!db.transaction()) {
            if (error) *error = db.lastError().text();
            return false;
        }
        const bool ok =
            Summarise(db, watermark, to, error, cancel) &&
            SetState(db, QStringLiteral("watermark"), to, error) &&
            SetState(db, QStringLiteral("games"),
                     ScalarInt(db, QStringLiteral("SELECT count(*) FROM games WHERE id <= ?"), {to}), error);
        if (!ok || !db.commit()) {
            if (ok && error) *error = db.lastError().text();
            db.rollback();
            return false;
        }
        watermark = to;
    }
    return true;
}

QString SinceClause(const Filter& f) {
    QString s = f.sinceMs > 0 ? QStringLiteral(" AND day >= %1").arg(f.sinceMs / kDayMs)
                              : QStringLiteral(" AND day = %1").arg(kWholeRecord);
    if (!f.includeAbandoned) s += QStringLiteral(" AND abandoned = 0");
    return s;
}

QString GameClause(const Filter& f) {
    QString s = QStringLiteral(" WHERE started_at >= %1").arg(f.sinceMs);
    if (!f.includeAbandoned) s += QStringLiteral(" AND abandoned = 0");
    if (!f.includeImported) s += QStringLiteral(" AND imported = 0");
    return s;
}

QVector<UnitStat> Weak(const QSqlDatabase& db, const char* table, const char* column, Alphabet a,
                       const Filter& f) {
    QVector<UnitStat> out;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT %2, sum(attempts), sum(misses), sum(timed), sum(time_ms) FROM %1 "
                               "WHERE alpha = %3%4 GROUP BY %2")
                    .arg(QLatin1String(table), QLatin1String(column))
                    .arg(int(a))
                    .arg(SinceClause(f))))
        return out;
    while (q.next()) {
        UnitStat s;
        s.name = q.value(0).toString();
        s.attempts = q.value(1).toLongLong();
        s.misses = q.value(2).toLongLong();
        s.timed = q.value(3).toLongLong();
        if (s.attempts <= 0) continue;
        s.missRate = double(s.misses) / double(s.attempts);
        s.avgMs = s.timed > 0 ? q.value(4).toDouble() / double(s.timed) : 0;
        s.uncertain = s.attempts < kCertainAttempts;
        out << s;
    }
    std::sort(out.begin(), out.end(), [](const UnitStat& x, const UnitStat& y) {
        if (x.uncertain != y.uncertain) return !x.uncertain;
        if (x.missRate != y.missRate) return x.missRate > y.missRate;
        if (x.avgMs != y.avgMs) return x.avgMs > y.avgMs;
        return x.name < y.name;
    });
    return out;
}

}  // namespace

bool IsEnglishUnit(const QString& unit) {
    if (unit.isEmpty()) return false;
    for (QChar c : unit)
        if (c.unicode() >= 0x80) return false;
    return true;
}

Filter LastDays(int days, qint64 nowMs) {
    Filter f;
    // Whole days, as the summaries count them, so games and keys cover the same stretch.
    if (days > 0) f.sinceMs = std::max<qint64>(1, (nowMs - qint64(days) * kDayMs) / kDayMs * kDayMs);
    return f;
}

bool RefreshSummaries(QSqlDatabase& db, QString* error, const std::atomic_bool* cancel) {
    if (!db.isOpen()) {
        if (error) *error = QStringLiteral("database not open");
        return false;
    }
    if (!HasTable(db, QStringLiteral("main"), QStringLiteral("games")) ||
        !HasTable(db, QStringLiteral("main"), QStringLiteral("keys"))) {
        if (error) *error = QStringLiteral("not a learning record");
        return false;
    }
    {
        QSqlQuery busy(db);
        busy.exec(QStringLiteral("PRAGMA busy_timeout = 5000"));
    }
    if (!BeginWithSummaryTables(db, error)) return false;
    const qint64 newest = ScalarInt(db, QStringLiteral("SELECT max(id) FROM games"), {}, 0);
    qint64 watermark = 0;
    if (!CommitSummaryState(db, newest, watermark, error)) return false;
    return SummariseUpTo(db, watermark, newest, error, cancel);
}

QVector<SeriesKey> AvailableSeries(const QSqlDatabase& db, const Filter& f) {
    QVector<SeriesKey> out;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT mode, genre, count(*) AS n FROM games%1 GROUP BY mode, genre ORDER BY "
                               "n DESC, mode, genre")
                    .arg(GameClause(f))))
        return out;
    while (q.next()) out << SeriesKey{q.value(0).toInt(), q.value(1).toString()};
    return out;
}

QVector<ProgressSeries> Progress(const QSqlDatabase& db, const Filter& f, const QVector<SeriesKey>& only) {
    QVector<ProgressSeries> out;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral(
                    "SELECT id, mode, genre, started_at, duration_ms, correct, misses, abandoned, imported "
                    "FROM games%1 ORDER BY started_at, id")
                    .arg(GameClause(f))))
        return out;
    while (q.next()) {
        const SeriesKey key{q.value(1).toInt(), q.value(2).toString()};
        if (!only.isEmpty() && !only.contains(key)) continue;
        auto it = std::find_if(out.begin(), out.end(), [&](const ProgressSeries& s) { return s.key == key; });
        if (it == out.end()) {
            out.push_back(ProgressSeries{key, {}, 0, 0});
            it = out.end() - 1;
        }
        GamePoint p;
        p.id = q.value(0).toLongLong();
        p.startedAt = q.value(3).toLongLong();
        p.durationMs = q.value(4).toLongLong();
        p.correct = q.value(5).toInt();
        p.misses = q.value(6).toInt();
        p.abandoned = q.value(7).toInt() != 0;
        p.imported = q.value(8).toInt() != 0;
        p.keysPerSec = p.durationMs > 0 ? p.correct * 1000.0 / double(p.durationMs) : 0;
        p.correctRate = p.correct + p.misses > 0 ? double(p.correct) / double(p.correct + p.misses) : 0;
        it->games << p;
    }
    for (ProgressSeries& s : out) {
        double sumK = 0, sumR = 0;
        int bestAt = -1;
        for (int i = 0; i < s.games.size(); ++i) {
            GamePoint& p = s.games[i];
            sumK += p.keysPerSec;
            sumR += p.correctRate;
            if (i >= kMovingAverageGames) {
                sumK -= s.games[i - kMovingAverageGames].keysPerSec;
                sumR -= s.games[i - kMovingAverageGames].correctRate;
            }
            const int n = std::min(i + 1, kMovingAverageGames);
            p.movingKeysPerSec = sumK / n;
            p.movingCorrectRate = sumR / n;
            if (bestAt < 0 || p.keysPerSec > s.games[bestAt].keysPerSec) bestAt = i;
            s.bestCorrectRate = std::max(s.bestCorrectRate, p.correctRate);
        }
        if (bestAt >= 0) {
            s.games[bestAt].bestKeysPerSec = true;
            s.bestKeysPerSec = s.games[bestAt].keysPerSec;
        }
    }
    return out;
}

QVector<TimeTrialPoint> TimeTrials(const QSqlDatabase& db, const Filter& f) {
    QVector<TimeTrialPoint> out;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(
            QStringLiteral("SELECT id, started_at, time_ms, grade, genre, misses FROM games%1 AND mode = 1 "
                           "AND time_ms > 0 ORDER BY started_at, id")
                .arg(GameClause(f))))
        return out;
    QHash<QString, int> best;
    while (q.next()) {
        TimeTrialPoint p;
        p.id = q.value(0).toLongLong();
        p.startedAt = q.value(1).toLongLong();
        p.timeMs = q.value(2).toInt();
        p.grade = q.value(3).toString();
        p.genre = q.value(4).toString();
        p.misses = q.value(5).toInt();
        const auto it = best.constFind(p.genre);
        if (it == best.constEnd() || p.timeMs < out[*it].timeMs) best[p.genre] = out.size();
        out << p;
    }
    for (int i : best) out[i].best = true;
    return out;
}

Overview Summary(const QSqlDatabase& db, const Filter& f) {
    Overview o;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (q.exec(QStringLiteral("SELECT count(*), min(started_at), max(started_at) FROM games%1")
                   .arg(GameClause(f))) &&
        q.next()) {
        o.games = q.value(0).toLongLong();
        o.firstAt = q.value(1).toLongLong();
        o.lastAt = q.value(2).toLongLong();
    }
    o.keys =
        ScalarInt(db, QStringLiteral("SELECT sum(attempts) FROM stat_keys WHERE 1%1").arg(SinceClause(f)));
    return o;
}

QVector<UnitStat> WeakUnits(const QSqlDatabase& db, Alphabet a, const Filter& f) {
    return Weak(db, "stat_units", "unit", a, f);
}

// Keys as the keyboard has them: a capital is typed on its letter's key (with Shift), and the
// window labels keys by their capital, so "A" and "a" are one key and one row.
QVector<UnitStat> WeakKeys(const QSqlDatabase& db, Alphabet a, const Filter& f) {
    return Weak(db, "stat_keys", "lower(key)", a, f);
}

QVector<MixUp> MixUps(const QSqlDatabase& db, Alphabet a, const Filter& f, int limit) {
    QVector<MixUp> out;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral(
                    "SELECT unit, expected_key, typed, sum(n) AS c FROM stat_mixups WHERE alpha = %1%2 "
                    "GROUP BY unit, expected_key, typed ORDER BY c DESC, unit, expected_key, typed LIMIT %3")
                    .arg(int(a))
                    .arg(SinceClause(f))
                    .arg(limit)))
        return out;
    while (q.next())
        out << MixUp{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                     q.value(3).toLongLong()};
    return out;
}

QVector<KeyPair> KeyPairs(const QSqlDatabase& db, Alphabet a, const Filter& f, int limit) {
    QVector<KeyPair> out;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT lower(first), lower(second), sum(n), sum(time_ms) FROM stat_pairs "
                               "WHERE alpha = %1%2 GROUP BY lower(first), lower(second)")
                    .arg(int(a))
                    .arg(SinceClause(f))))
        return out;
    while (q.next()) {
        KeyPair p{q.value(0).toString(), q.value(1).toString(), q.value(2).toLongLong(), 0, true};
        if (p.count <= 0) continue;
        p.avgMs = q.value(3).toDouble() / double(p.count);
        p.uncertain = p.count < kCertainAttempts;
        out << p;
    }
    std::sort(out.begin(), out.end(), [](const KeyPair& x, const KeyPair& y) {
        if (x.uncertain != y.uncertain) return !x.uncertain;
        if (x.avgMs != y.avgMs) return x.avgMs > y.avgMs;
        return std::tie(x.first, x.second) < std::tie(y.first, y.second);
    });
    if (out.size() > limit) out.resize(limit);
    return out;
}

}  // namespace kd::stats
