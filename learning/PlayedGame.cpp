#include "learning/PlayedGame.h"

#include <QHash>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

namespace kd {

namespace {

std::optional<qint64> OptInt(const QVariant& v) {
    if (v.isNull()) return std::nullopt;
    return v.toLongLong();
}

bool KnownMode(int mode) {
    return mode >= 0 && mode <= int(GameMode::NetRace);
}

std::optional<PlayedGame> ReadGameRow(const QSqlDatabase& db, qint64 gameId) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral(
        "SELECT mode, genre, chara, heat, started_at, duration_ms, correct, misses, abandoned, "
        "imported, time_ms, grade, place, won, input_method FROM games WHERE id = ?"));
    q.addBindValue(gameId);
    if (!q.exec() || !q.next()) return std::nullopt;
    PlayedGame game;
    game.id = gameId;
    const int mode = q.value(0).toInt();
    if (!KnownMode(mode)) return std::nullopt;
    game.mode = GameMode(mode);
    game.genre = q.value(1).toString();
    game.chara = q.value(2).isNull() ? -1 : q.value(2).toInt();
    game.heat = q.value(3).toInt();
    game.startedAt = q.value(4).toLongLong();
    game.durationMs = std::max<qint64>(0, q.value(5).toLongLong());
    game.correct = q.value(6).toInt();
    game.misses = q.value(7).toInt();
    game.abandoned = q.value(8).toInt() != 0;
    game.imported = q.value(9).toInt() != 0;
    if (auto t = OptInt(q.value(10))) game.timeMs = qint32(std::clamp<qint64>(*t, 0, INT32_MAX));
    game.grade = q.value(11).toString();
    if (auto p = OptInt(q.value(12))) game.place = int(*p);
    if (auto w = OptInt(q.value(13))) game.won = *w != 0;
    game.inputMethod =
        q.value(14).toInt() == int(InputMethod::Kana) ? InputMethod::Kana : InputMethod::Romaji;
    return game;
}

bool ReadQuestions(const QSqlDatabase& db, PlayedGame& game, QHash<int, qint64>& shownBySeq) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(
        QStringLiteral("SELECT seq, question_id, text, reading, shown_ms, last_key_ms, misses, completed "
                       "FROM questions WHERE game_id = ? ORDER BY seq"));
    q.addBindValue(game.id);
    if (!q.exec()) return false;
    while (q.next()) {
        PlayedQuestion rq;
        rq.seq = q.value(0).toInt();
        rq.questionId = q.value(1).toInt();
        rq.text = q.value(2).toString();
        rq.reading = q.value(3).toString();
        rq.shownMs = std::max<qint64>(0, q.value(4).toLongLong());
        rq.lastKeyMs = OptInt(q.value(5));
        rq.misses = q.value(6).toInt();
        rq.completed = q.value(7).toInt() != 0;
        shownBySeq.insert(rq.seq, rq.shownMs);
        game.questions.append(rq);
    }
    return true;
}

// Keys of a question that is not in the record are left out: their time in the game is unknown.
bool ReadKeys(const QSqlDatabase& db, PlayedGame& game, const QHash<int, qint64>& shownBySeq) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(
        QStringLiteral("SELECT seq, question_seq, ms, expected, typed, hit, form FROM keys WHERE game_id = ? "
                       "ORDER BY seq"));
    q.addBindValue(game.id);
    if (!q.exec()) return false;
    while (q.next()) {
        PlayedKey k;
        k.seq = q.value(0).toInt();
        k.questionSeq = q.value(1).toInt();
        const auto shown = shownBySeq.constFind(k.questionSeq);
        if (shown == shownBySeq.constEnd()) continue;
        k.ms = std::max<qint64>(0, q.value(2).toLongLong());
        k.gameMs = *shown + k.ms;
        k.expected = q.value(3).toString();
        k.typed = q.value(4).toString();
        k.hit = q.value(5).toInt() != 0;
        k.form = q.value(6).toString();
        game.keys.append(k);
    }
    return true;
}

bool ReadLanes(const QSqlDatabase& db, PlayedGame& game) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT ms, p0, p1, p2, p3, p4 FROM lanes WHERE game_id = ? ORDER BY ms"));
    q.addBindValue(game.id);
    if (!q.exec()) return false;
    while (q.next()) {
        LaneSample s;
        s.ms = q.value(0).toLongLong();
        for (int i = 0; i < 5; ++i) s.positions[size_t(i)] = q.value(i + 1).toInt();
        game.lanes.append(s);
    }
    return true;
}

// Records from before the cast was kept have no such table: the lanes stay unknown.
void ReadCast(const QSqlDatabase& db, PlayedGame& game) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT lane, chara FROM game_cast WHERE game_id = ?"));
    q.addBindValue(game.id);
    if (!q.exec()) return;
    while (q.next()) {
        const int lane = q.value(0).toInt();
        if (lane >= 0 && lane < int(game.cast.size())) game.cast[size_t(lane)] = q.value(1).toInt();
    }
}

}  // namespace

int PlayedGame::QuestionIndex(int seq) const {
    // Questions are stored 0, 1, 2 ...; look there first and search only when rows are missing.
    if (seq >= 0 && seq < questions.size() && questions[seq].seq == seq) return seq;
    for (int i = 0; i < questions.size(); ++i)
        if (questions[i].seq == seq) return i;
    return -1;
}

std::optional<PlayedGame> LoadPlayedGame(const QSqlDatabase& db, qint64 gameId) {
    if (!db.isOpen()) return std::nullopt;
    std::optional<PlayedGame> game = ReadGameRow(db, gameId);
    if (!game) return std::nullopt;
    QHash<int, qint64> shownBySeq;
    if (!ReadQuestions(db, *game, shownBySeq) || !ReadKeys(db, *game, shownBySeq) || !ReadLanes(db, *game))
        return std::nullopt;
    ReadCast(db, *game);
    return game;
}

std::optional<qint64> FindBestTimeTrial(const QSqlDatabase& db, const QString& genre, qint64 startedBefore,
                                        InputMethod method) {
    if (!db.isOpen()) return std::nullopt;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    // Equal times: the earlier run stays the best, as in the ranking.
    q.prepare(QStringLiteral(
        "SELECT g.id FROM games g WHERE g.mode = 1 AND g.genre = ? AND g.abandoned = 0 "
        "AND g.imported = 0 AND g.time_ms > 0 AND (? = 0 OR g.started_at < ?) AND g.input_method = ? "
        "AND EXISTS (SELECT 1 FROM keys k WHERE k.game_id = g.id AND k.hit = 1) "
        "ORDER BY g.time_ms, g.started_at, g.id LIMIT 1"));
    q.addBindValue(genre);
    q.addBindValue(startedBefore);
    q.addBindValue(startedBefore);
    q.addBindValue(int(method));
    if (!q.exec() || !q.next()) return std::nullopt;
    return q.value(0).toLongLong();
}

QList<PlayedGameSummary> ListReplayableGames(const QSqlDatabase& db, int limit) {
    QList<PlayedGameSummary> out;
    if (!db.isOpen()) return out;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral(
        "SELECT g.id, g.mode, g.genre, g.started_at, g.duration_ms, g.correct, g.misses, g.time_ms, "
        "g.place, g.won, g.abandoned FROM games g WHERE g.mode IN (1, 2, 3) AND g.imported = 0 "
        "AND EXISTS (SELECT 1 FROM keys k WHERE k.game_id = g.id) "
        "ORDER BY g.started_at DESC, g.id DESC LIMIT ?"));
    q.addBindValue(limit);
    if (!q.exec()) return out;
    while (q.next()) {
        PlayedGameSummary s;
        s.id = q.value(0).toLongLong();
        s.mode = GameMode(q.value(1).toInt());
        s.genre = q.value(2).toString();
        s.startedAt = q.value(3).toLongLong();
        s.durationMs = q.value(4).toLongLong();
        s.correct = q.value(5).toInt();
        s.misses = q.value(6).toInt();
        if (auto t = OptInt(q.value(7))) s.timeMs = qint32(*t);
        if (auto p = OptInt(q.value(8))) s.place = int(*p);
        if (auto w = OptInt(q.value(9))) s.won = *w != 0;
        s.abandoned = q.value(10).toInt() != 0;
        out.append(s);
    }
    return out;
}

}  // namespace kd
