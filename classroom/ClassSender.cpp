#include "classroom/ClassSender.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QSqlDatabase>
#include <QTimer>
#include <QUuid>
#include <memory>

namespace kd {

namespace {

// Well under the server's own limits (200 games, 1 MiB a sending).
constexpr int kBatchGames = 50;
constexpr qsizetype kBatchBytes = 512 * 1024;

}  // namespace

SendOutcome SendOutbox(const QSqlDatabase& learning, ClassServer& server,
                       const std::function<void()>& stored) {
    SendOutcome out;
    const ClassMembership m = LoadMembership(learning);
    if (!m.Joined()) return out;
    int batchGames = kBatchGames;
    for (;;) {
        const QList<OutboxEntry> entries = PeekOutbox(learning, batchGames);
        if (entries.isEmpty()) break;
        QByteArray batch = "[";
        qint64 last = 0;
        int count = 0;
        for (const OutboxEntry& e : entries) {
            if (count > 0 && batch.size() + e.payload.size() > kBatchBytes) break;
            if (count > 0) batch += ',';
            batch += e.payload;
            last = e.seq;
            ++count;
        }
        batch += ']';
        if (!server.Submit(m.studentId, m.token, batch)) {
            const ClassFailure why = server.Error().kind;
            // A game the server refuses for what it holds would hold back every game after it
            // for good: the batch goes again game by game, and the one refused is given up.
            if (why == ClassFailure::Other || why == ClassFailure::TooLarge) {
                if (count > 1) {
                    batchGames = 1;
                    continue;
                }
                if (!DropSent(learning, last)) break;
                ++out.refused;
                out.error = server.Error();
                continue;
            }
            out.error = server.Error();
            break;
        }
        if (stored) stored();
        if (!DropSent(learning, last)) {
            out.error = {ClassFailure::Other, QStringLiteral("the outbox could not be cleared")};
            break;
        }
        out.sent += count;
    }
    out.waiting = OutboxSize(learning);
    return out;
}

namespace {

class SenderWorker : public QObject {
  public:
    SenderWorker(ClassSender* owner, int delayMs, int retryMs)
        : owner_(owner), retryMs_(retryMs), delay_(delayMs), timer_(new QTimer(this)) {
        timer_->setSingleShot(true);
        connect(timer_, &QTimer::timeout, this, [this] { Send(); });
    }
    ~SenderWorker() override { Close(); }

    void Kick(const QString& path) {
        if (path != path_) {
            Close();
            path_ = path;
        }
        // A kick also cuts short the wait after a failure: the player is back at the keys.
        if (!timer_->isActive() || timer_->interval() == retryMs_) {
            timer_->setInterval(delay_);
            timer_->start();
        }
    }

  private:
    void Close() { server_.reset(); }

    // The record is opened for each sending only, so deleting or exporting it never meets a
    // connection of ours; a record not made yet is not made here.
    void Send() {
        if (path_.isEmpty() || !QFileInfo::exists(path_)) return;
        const QString connection =
            QStringLiteral("class-outbox-") + QUuid::createUuid().toString(QUuid::Id128);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(path_);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
            if (db.open()) SendFrom(db);
            db.close();
        }
        QSqlDatabase::removeDatabase(connection);
    }

    void SendFrom(const QSqlDatabase& db) {
        const ClassMembership m = LoadMembership(db);
        if (!m.Joined()) return;
        const std::optional<ServerAddress> address = ParseServer(m.server);
        if (!address) return;
        if (!server_ || server_address_ != m.server) {
            server_ = std::make_unique<ClassServer>(*address);
            server_address_ = m.server;
        }
        const SendOutcome out = SendOutbox(db, *server_);
        // A refusal is not cured by waiting; the network and the server are.
        if (out.error.kind == ClassFailure::Unreachable && out.waiting > 0) {
            timer_->setInterval(retryMs_);
            timer_->start();
        }
        emit owner_->Finished(out.sent, out.waiting, out.error.Message());
    }

    ClassSender* owner_;
    int retryMs_;
    int delay_ = 0;
    QTimer* timer_;
    QString path_;
    QString server_address_;
    std::unique_ptr<ClassServer> server_;
};

}  // namespace

ClassSender::ClassSender(int delayMs, int retryMs, QObject* parent) : QObject(parent) {
    auto* worker = new SenderWorker(this, delayMs, retryMs);
    worker->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker, &QObject::deleteLater);
    worker_ = worker;
    thread_.setObjectName(QStringLiteral("ClassSender"));
    thread_.start(QThread::LowPriority);
}

ClassSender::~ClassSender() {
    thread_.quit();
    thread_.wait();
}

void ClassSender::Kick(const QString& learningPath) {
    auto* worker = static_cast<SenderWorker*>(worker_);
    QMetaObject::invokeMethod(
        worker, [worker, learningPath] { worker->Kick(learningPath); }, Qt::QueuedConnection);
}

}  // namespace kd
