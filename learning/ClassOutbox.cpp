#include "learning/ClassOutbox.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include "learning/Settings.h"

namespace kd {

namespace {

const QString kServer = QStringLiteral("class.server"), kCode = QStringLiteral("class.code"),
              kClassName = QStringLiteral("class.name"), kStudentName = QStringLiteral("class.student_name"),
              kStudentId = QStringLiteral("class.student_id"), kToken = QStringLiteral("class.token");

QJsonObject Counts(const QMap<QString, QPair<int, int>>& counts) {
    QJsonObject o;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        o.insert(it.key(), QJsonArray{it.value().first, it.value().second});
    return o;
}

}  // namespace

ClassMembership LoadMembership(const QSqlDatabase& db) {
    ClassMembership m;
    m.server = Setting(db, kServer);
    m.classCode = Setting(db, kCode);
    m.className = Setting(db, kClassName);
    m.studentName = Setting(db, kStudentName);
    m.studentId = Setting(db, kStudentId).toInt();
    m.token = Setting(db, kToken);
    return m;
}

bool SaveMembership(const QSqlDatabase& db, const ClassMembership& m) {
    QSqlDatabase d = db;
    if (!d.transaction()) return false;
    const bool ok = SetSetting(db, kServer, m.server) && SetSetting(db, kCode, m.classCode) &&
                    SetSetting(db, kClassName, m.className) && SetSetting(db, kStudentName, m.studentName) &&
                    SetSetting(db, kStudentId, QString::number(m.studentId)) &&
                    SetSetting(db, kToken, m.token);
    if (!ok || !d.commit()) return d.rollback(), false;
    return true;
}

bool ForgetMembership(const QSqlDatabase& db) {
    QSqlQuery q(db);
    return q.exec(QStringLiteral("DELETE FROM settings WHERE key LIKE 'class.%'")) &&
           q.exec(QStringLiteral("DELETE FROM class_outbox"));
}

QByteArray ClassGamePayload(const RecordedGame& g, const QString& uid) {
    QMap<QString, QPair<int, int>> keys, kana;
    for (const RecordedKey& k : g.keys) {
        auto& key = keys[QString(k.expectedKey)];
        auto& unit = kana[k.expected];
        (k.hit ? key.first : key.second)++;
        (k.hit ? unit.first : unit.second)++;
    }
    // English games count letters only: their "kana" would repeat the keys.
    const bool english = g.genre == QLatin1String("english");
    const qint64 timeMs = g.timeMs.value_or(g.durationMs);
    QJsonObject o{
        {QStringLiteral("id"), uid},
        {QStringLiteral("mode"), int(g.mode)},
        {QStringLiteral("genre"), g.genre},
        {QStringLiteral("keys"), g.correct},
        {QStringLiteral("misses"), g.misses},
        {QStringLiteral("time_ms"), timeMs},
        {QStringLiteral("kps"), timeMs > 0 ? g.correct * 1000.0 / timeMs : 0.0},
        {QStringLiteral("played_at"), g.startedAt},
        {QStringLiteral("abandoned"), g.abandoned},
        {QStringLiteral("key_counts"), Counts(keys)},
        {QStringLiteral("kana_counts"), english ? QJsonObject() : Counts(kana)},
    };
    if (g.grade) o.insert(QStringLiteral("grade"), *g.grade);
    // How the reading was typed; English words are letters either way.
    if (!english)
        o.insert(QStringLiteral("ime"),
                 g.inputMethod == InputMethod::Kana ? QStringLiteral("kana") : QStringLiteral("romaji"));
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

bool QueueClassGame(const QSqlDatabase& db, qint64 gameId, const RecordedGame& game) {
    if (game.imported || Setting(db, kToken).isEmpty()) return true;
    const QString uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO class_outbox(uid, game_id, payload) VALUES(?, ?, ?)"));
    q.addBindValue(uid);
    q.addBindValue(gameId);
    q.addBindValue(QString::fromUtf8(ClassGamePayload(game, uid)));
    return q.exec();
}

bool SettleQueuedGame(const QSqlDatabase& db, qint64 gameId, const GameSettled& s) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT payload FROM class_outbox WHERE game_id = ?"));
    q.addBindValue(gameId);
    if (!q.exec()) return false;
    if (!q.next()) return true;  // not in a class, or already sent
    QJsonObject o = QJsonDocument::fromJson(q.value(0).toString().toUtf8()).object();
    q.finish();
    if (s.grade.isEmpty()) return true;
    o.insert(QStringLiteral("grade"), s.grade);
    o.insert(QStringLiteral("time_ms"), s.timeMs);
    const int keys = o.value(QStringLiteral("keys")).toInt();
    o.insert(QStringLiteral("kps"), s.timeMs > 0 ? keys * 1000.0 / s.timeMs : 0.0);
    q.prepare(QStringLiteral("UPDATE class_outbox SET payload = ? WHERE game_id = ?"));
    q.addBindValue(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)));
    q.addBindValue(gameId);
    return q.exec();
}

QList<OutboxEntry> PeekOutbox(const QSqlDatabase& db, int limit) {
    QList<OutboxEntry> out;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT seq, uid, payload FROM class_outbox ORDER BY seq LIMIT ?"));
    q.addBindValue(limit);
    if (!q.exec()) return out;
    while (q.next())
        out.append({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString().toUtf8()});
    return out;
}

bool DropSent(const QSqlDatabase& db, qint64 lastSeq) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("DELETE FROM class_outbox WHERE seq <= ?"));
    q.addBindValue(lastSeq);
    return q.exec();
}

int OutboxSize(const QSqlDatabase& db) {
    QSqlQuery q(db);
    return q.exec(QStringLiteral("SELECT count(*) FROM class_outbox")) && q.next() ? q.value(0).toInt() : 0;
}

}  // namespace kd
