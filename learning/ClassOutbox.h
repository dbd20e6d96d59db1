#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include "common/PlayEvents.h"
#include "learning/RecordedGame.h"

class QSqlDatabase;

namespace kd {

// The class the player has joined, kept in the learning record's settings. Instead of the join
// code the record keeps a token derived from it (classroom/JoinToken), which the server knows
// only as a hash; the teacher's password is never stored.
struct ClassMembership {
    QString server;     // host[:port]
    QString classCode;  // XXXX-XXXX
    QString className;
    QString studentName;
    int studentId = 0;
    QString token;
    bool Joined() const { return studentId > 0 && !token.isEmpty(); }
};

ClassMembership LoadMembership(const QSqlDatabase& db);
bool SaveMembership(const QSqlDatabase& db, const ClassMembership& m);
// Leaves the class; games still waiting are dropped with it.
bool ForgetMembership(const QSqlDatabase& db);

// One finished or left game on its way to the class server: its summary and counts as JSON,
// under an id made once, so sending it again never makes a second game there.
struct OutboxEntry {
    qint64 seq = 0;
    QString uid;
    QByteArray payload;
};

// The summary the server keeps of a game (mode, genre, keys, misses, time, keys per second,
// grade, date, counts per key and per kana).
QByteArray ClassGamePayload(const RecordedGame& game, const QString& uid);

// Queues a game just written (inside the writer's transaction) when the player is in a class.
bool QueueClassGame(const QSqlDatabase& db, qint64 gameId, const RecordedGame& game);
// The outcome settled after the end (a time trial's grade and time) reaches a game not sent yet.
bool SettleQueuedGame(const QSqlDatabase& db, qint64 gameId, const GameSettled& outcome);
// The oldest entries first.
QList<OutboxEntry> PeekOutbox(const QSqlDatabase& db, int limit);
// Drops the entries sent, up to and including seq.
bool DropSent(const QSqlDatabase& db, qint64 lastSeq);
int OutboxSize(const QSqlDatabase& db);

}  // namespace kd
