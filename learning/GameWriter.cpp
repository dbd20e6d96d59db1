#include "learning/GameWriter.h"

#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

#include "learning/ClassOutbox.h"

namespace kd {

namespace {

QVariant Opt(const std::optional<int>& v) {
    return v ? QVariant(*v) : QVariant(QMetaType(QMetaType::Int));
}
QVariant Opt(const std::optional<qint64>& v) {
    return v ? QVariant(*v) : QVariant(QMetaType(QMetaType::LongLong));
}
QVariant Opt(const std::optional<QString>& v) {
    return v ? QVariant(*v) : QVariant(QMetaType(QMetaType::QString));
}

void BindGame(QSqlQuery& q, const RecordedGame& g) {
    q.bindValue(QStringLiteral(":mode"), int(g.mode));
    q.bindValue(QStringLiteral(":genre"), g.genre);
    q.bindValue(QStringLiteral(":chara"), Opt(g.chara));
    q.bindValue(QStringLiteral(":heat"), Opt(g.heat));
    q.bindValue(QStringLiteral(":setting_s"), Opt(g.settingSeconds));
    q.bindValue(QStringLiteral(":started_at"), g.startedAt);
    q.bindValue(QStringLiteral(":duration_ms"), g.durationMs);
    q.bindValue(QStringLiteral(":correct"), g.correct);
    q.bindValue(QStringLiteral(":misses"), g.misses);
    q.bindValue(QStringLiteral(":abandoned"), int(g.abandoned));
    q.bindValue(QStringLiteral(":imported"), int(g.imported));
    q.bindValue(QStringLiteral(":time_ms"),
                g.timeMs ? QVariant(*g.timeMs) : QVariant(QMetaType(QMetaType::Int)));
    q.bindValue(QStringLiteral(":grade"), Opt(g.grade));
    q.bindValue(QStringLiteral(":score"), g.score ? QVariant(*g.score) : QVariant(QMetaType(QMetaType::Int)));
    q.bindValue(QStringLiteral(":place"), Opt(g.place));
    q.bindValue(QStringLiteral(":won"), g.won ? QVariant(int(*g.won)) : QVariant(QMetaType(QMetaType::Int)));
    q.bindValue(QStringLiteral(":input_method"), int(g.inputMethod));
}

}  // namespace

GameWriter::GameWriter(const QSqlDatabase& db) : db_(db) {}

GameWriter::~GameWriter() = default;

QSqlQuery* GameWriter::GameInsert() {
    if (!gameInsert_) {
        auto q = std::make_unique<QSqlQuery>(db_);
        // Named values: Qt makes a new text for every positional one it binds.
        const QString sql = QStringLiteral(
            "INSERT INTO games(mode, genre, chara, heat, setting_s, started_at, duration_ms, correct, "
            "misses, abandoned, imported, time_ms, grade, score, place, won, input_method) "
            "VALUES(:mode, :genre, :chara, :heat, :setting_s, :started_at, :duration_ms, :correct, "
            ":misses, :abandoned, :imported, :time_ms, :grade, :score, :place, :won, :input_method)");
        if (!q->prepare(sql)) return nullptr;
        gameInsert_ = std::move(q);
    }
    return gameInsert_.get();
}

bool GameWriter::Insert(const RecordedGame& g, qint64& id, QSqlQuery& insert) {
    BindGame(insert, g);
    if (!insert.exec()) return false;
    id = insert.lastInsertId().toLongLong();
    return InsertQuestions(g, id) && InsertKeys(g, id) && InsertCast(g, id) && InsertLanes(g, id);
}

bool GameWriter::InsertQuestions(const RecordedGame& g, qint64 id) {
    if (g.questions.isEmpty()) return true;
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("INSERT INTO questions VALUES(?,?,?,?,?,?,?,?,?,?)"));
    for (int i = 0; i < g.questions.size(); ++i) {
        const RecordedQuestion& r = g.questions[i];
        q.addBindValue(id);
        q.addBindValue(i);
        q.addBindValue(r.questionId);
        q.addBindValue(r.text);
        q.addBindValue(r.reading);
        q.addBindValue(r.shownMs);
        q.addBindValue(Opt(r.firstKeyMs));
        q.addBindValue(Opt(r.lastKeyMs));
        q.addBindValue(r.misses);
        q.addBindValue(int(r.completed));
        if (!q.exec()) return false;
    }
    return true;
}

bool GameWriter::InsertKeys(const RecordedGame& g, qint64 id) {
    if (g.keys.isEmpty()) return true;
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("INSERT INTO keys VALUES(?,?,?,?,?,?,?,?,?)"));
    for (int i = 0; i < g.keys.size(); ++i) {
        const RecordedKey& k = g.keys[i];
        q.addBindValue(id);
        q.addBindValue(i);
        q.addBindValue(k.questionSeq);
        q.addBindValue(k.ms);
        q.addBindValue(k.expected);
        q.addBindValue(k.expectedKey.isNull() ? QString() : QString(k.expectedKey));
        q.addBindValue(QString(k.typed));
        q.addBindValue(int(k.hit));
        q.addBindValue(k.hit ? QVariant(k.form) : QVariant(QMetaType(QMetaType::QString)));
        if (!q.exec()) return false;
    }
    return true;
}

bool GameWriter::InsertCast(const RecordedGame& g, qint64 id) {
    if (std::none_of(g.cast.begin(), g.cast.end(), [](int c) { return c > 0; })) return true;
    // Who ran in which lane (the co-qualifier of the heat before is named nowhere else).
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS game_cast(game_id INTEGER NOT NULL REFERENCES "
                               "games(id) ON DELETE CASCADE, lane INTEGER NOT NULL, chara INTEGER NOT NULL, "
                               "PRIMARY KEY(game_id, lane)) WITHOUT ROWID")))
        return false;
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO game_cast VALUES(?,?,?)"));
    for (int lane = 0; lane < int(g.cast.size()); ++lane) {
        if (g.cast[size_t(lane)] <= 0) continue;
        q.addBindValue(id);
        q.addBindValue(lane);
        q.addBindValue(g.cast[size_t(lane)]);
        if (!q.exec()) return false;
    }
    return true;
}

bool GameWriter::InsertLanes(const RecordedGame& g, qint64 id) {
    if (g.lanes.isEmpty()) return true;
    QSqlQuery q(db_);
    // Two moves in the same millisecond: the later one is where the lanes stood.
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO lanes VALUES(?,?,?,?,?,?,?)"));
    for (const RecordedLanes& l : g.lanes) {
        q.addBindValue(id);
        q.addBindValue(l.ms);
        for (int p : l.positions) q.addBindValue(p);
        if (!q.exec()) return false;
    }
    return true;
}

std::optional<qint64> GameWriter::Write(const RecordedGame& game) {
    if (!db_.transaction()) {
        error_ = db_.lastError();
        return std::nullopt;
    }
    qint64 id = 0;
    QSqlQuery* insert = GameInsert();
    // A game of a class member is queued for the server with the game itself: both or neither.
    if (!insert || !Insert(game, id, *insert) || !QueueClassGame(db_, id, game) || !db_.commit()) {
        error_ = db_.lastError();
        if (insert && insert->lastError().isValid()) error_ = insert->lastError();
        db_.rollback();
        return std::nullopt;
    }
    return id;
}

bool GameWriter::WriteAll(const QList<RecordedGame>& games) {
    if (!db_.transaction()) return false;
    qint64 id = 0;
    QSqlQuery* insert = GameInsert();
    if (!insert) return db_.rollback(), false;
    for (const RecordedGame& g : games)
        if (!Insert(g, id, *insert)) return db_.rollback(), false;
    if (!db_.commit()) return db_.rollback(), false;
    return true;
}

bool GameWriter::Settle(qint64 gameId, GameMode mode, const GameSettled& s) {
    QSqlQuery q(db_);
    switch (mode) {
        case GameMode::TimeTrial:
            q.prepare(
                QStringLiteral("UPDATE games SET time_ms = ?, grade = ?, score = ?, place = ? WHERE id = ?"));
            q.addBindValue(s.timeMs);
            q.addBindValue(s.grade);
            q.addBindValue(s.score);
            q.addBindValue(s.place > 0 ? QVariant(s.place) : QVariant(QMetaType(QMetaType::Int)));
            break;
        case GameMode::Boss:
            q.prepare(QStringLiteral("UPDATE games SET won = ? WHERE id = ?"));
            q.addBindValue(int(s.won));
            break;
        case GameMode::Race:
        case GameMode::NetRace:
            q.prepare(QStringLiteral("UPDATE games SET place = ? WHERE id = ?"));
            q.addBindValue(s.racePlace > 0 ? QVariant(s.racePlace) : QVariant(QMetaType(QMetaType::Int)));
            break;
        case GameMode::Practice:
            return true;  // its figures are the game's own counts
    }
    q.addBindValue(gameId);
    if (!q.exec()) {
        error_ = q.lastError();
        return false;
    }
    return true;
}

}  // namespace kd
