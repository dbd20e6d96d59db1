#pragma once
#include <QObject>
#include <QString>
#include <QThread>
#include <functional>

#include "classroom/ClassServer.h"

class QSqlDatabase;
class QTimer;

namespace kd {

struct SendOutcome {
    int sent = 0;      // entries the server confirmed (new or already there)
    int waiting = 0;   // entries still queued
    int refused = 0;   // entries the server refused for what they hold, given up
    ClassError error;  // why it stopped early
};

// Sends the outbox of an open learning record, oldest first, in batches; each batch leaves the
// outbox only after the server has stored it. A batch stored but not yet dropped (the program
// killed in between) is sent again and the server keeps its games once. `stored` is called
// after the server's answer and before the local drop (tests stop there).
SendOutcome SendOutbox(const QSqlDatabase& learning, ClassServer& server,
                       const std::function<void()>& stored = {});

// The background sender: its own thread, its own connections to the learning record and the
// server, so the game never waits for the network. Kick() after a game; on failure it tries
// again later on its own.
class ClassSender : public QObject {
    Q_OBJECT

  public:
    // delayMs: the wait after a kick, so the game's settled outcome (grade) travels with it.
    explicit ClassSender(int delayMs = 1500, int retryMs = 30000, QObject* parent = nullptr);
    ~ClassSender() override;

    // Sends what the record at `learningPath` holds (thread-safe; returns at once).
    void Kick(const QString& learningPath);

  signals:
    void Finished(int sent, int waiting, const QString& problem);

  private:
    QThread thread_;
    QObject* worker_ = nullptr;
};

}  // namespace kd
