#include "classroom/ClassTask.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QThread>
#include <QUuid>
#include <atomic>
#include <memory>

namespace kd {

namespace {
std::atomic<int> g_running{0};
}

void RunOnServer(QObject* receiver, const ServerAddress& address, ServerWork work) {
    ++g_running;
    auto then = std::make_shared<std::function<void()>>();
    QThread* thread = QThread::create([address, work = std::move(work), then] {
        ClassServer server(address);
        *then = work(server);
    });
    // Queued to the receiver's thread; Qt drops the call when the receiver is deleted first.
    QObject::connect(thread, &QThread::finished, receiver, [then] {
        if (*then) (*then)();
    });
    // After the answer above (connected first), or when the receiver is gone.
    QObject::connect(thread, &QThread::finished, thread, [thread] {
        --g_running;
        thread->deleteLater();
    });
    thread->start();
}

int ServerWorkRunning() {
    return g_running;
}

namespace {

template <class F>
auto WithRecord(const QString& path, F f) {
    const QString name = QStringLiteral("class-member-") + QUuid::createUuid().toString(QUuid::Id128);
    decltype(f(QSqlDatabase())) result{};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        if (db.open()) result = f(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

}  // namespace

ClassMembership ReadMembership(const QString& learningPath) {
    if (!QFileInfo::exists(learningPath)) return {};
    return WithRecord(learningPath, [](const QSqlDatabase& db) { return LoadMembership(db); });
}

bool WriteMembership(const QString& learningPath, const ClassMembership& m) {
    if (!QFileInfo::exists(learningPath)) return false;
    return WithRecord(learningPath, [&m](const QSqlDatabase& db) { return SaveMembership(db, m); });
}

}  // namespace kd
