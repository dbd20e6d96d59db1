#include "PgTestServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDateTime>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QStandardPaths>
#include <QVersionNumber>

namespace kd::test {

namespace {

// initdb and pg_ctl from PATH or from Debian's versioned folders, the newest first.
QString FindServerBin() {
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("initdb"));
    if (!onPath.isEmpty() && !QStandardPaths::findExecutable(QStringLiteral("pg_ctl")).isEmpty())
        return QFileInfo(onPath).absolutePath();
    QString best;
    QVersionNumber bestVersion;
    for (const QString& v :
         QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(v);
        const QVersionNumber n = QVersionNumber::fromString(v);
        if (QFileInfo::exists(bin + "/initdb") && QFileInfo::exists(bin + "/pg_ctl") && n > bestVersion)
            best = bin, bestVersion = n;
    }
    return best;
}

int FreePort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(s);
    return port;
}

}  // namespace

namespace {

std::unique_ptr<PgTestServer>& SharedServer() {
    static std::unique_ptr<PgTestServer> server;
    return server;
}

}  // namespace

PgTestServer& PgTestServer::Shared() {
    if (!SharedServer()) SharedServer().reset(new PgTestServer);
    return *SharedServer();
}

void PgTestServer::EndShared() {
    SharedServer().reset();
}

PgTestServer::PgTestServer() {
    Start();
}

PgTestServer::~PgTestServer() {
    if (QSqlDatabase::contains(QStringLiteral("pg-admin"))) {
        QSqlDatabase::database(QStringLiteral("pg-admin"), false).close();
        QSqlDatabase::removeDatabase(QStringLiteral("pg-admin"));
    }
    if (watchdog_) {
        watchdog_->kill();
        watchdog_->waitForFinished(5000);
    }
    if (running_)
        RunServerTool(QStringLiteral("pg_ctl"), {"-D", dir_->path() + "/data", "-m", "immediate", "stop"});
}

// A program that dies without its destructors (a crash, a kill, a failed assertion in Qt) would
// leave the server running: a process of its own session waits for the end of a pipe only we
// hold, then stops the server and removes its folder.
void PgTestServer::StartWatchdog() {
    const QString stop = QStringLiteral("%1%2/pg_ctl -D %3/data -m immediate stop >/dev/null 2>&1; rm -rf %3")
                             .arg(::geteuid() == 0 ? QStringLiteral("runuser -u postgres -- ") : QString(),
                                  bin_, dir_->path());
    watchdog_ = std::make_unique<QProcess>();
    watchdog_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    watchdog_->start(QStringLiteral("setsid"), {"sh", "-c", QStringLiteral("cat >/dev/null; ") + stop});
    watchdog_->waitForStarted(5000);
}

ServerAddress PgTestServer::Address() const {
    ServerAddress a;
    a.host = QStringLiteral("127.0.0.1");
    a.port = port_;
    return a;
}

bool PgTestServer::RunServerTool(const QString& tool, const QStringList& args, int timeoutMs) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    if (::geteuid() == 0)
        p.start(QStringLiteral("runuser"), QStringList{"-u", "postgres", "--", bin_ + u'/' + tool} + args);
    else
        p.start(bin_ + u'/' + tool, args);
    if (!p.waitForFinished(timeoutMs) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        problem_ = tool + QStringLiteral(" failed: ") + QString::fromLocal8Bit(p.readAll()) + p.errorString();
        return false;
    }
    return true;
}

bool PgTestServer::Start() {
    bin_ = FindServerBin();
    if (bin_.isEmpty()) {
        problem_ = QStringLiteral(
            "PostgreSQL's server programs (initdb, pg_ctl) were not found on PATH or in /usr/lib/postgresql: "
            "install the package postgresql (scripts/setup.sh does)");
        return false;
    }
    dir_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/kd-pg-XXXXXX"));
    if (!dir_->isValid()) return problem_ = QStringLiteral("no temporary folder"), false;
    if (::geteuid() == 0) {
        const passwd* pw = ::getpwnam("postgres");
        if (!pw || ::chown(dir_->path().toLocal8Bit().constData(), pw->pw_uid, pw->pw_gid) != 0) {
            problem_ =
                QStringLiteral("running as root needs the system user postgres to own the test server");
            return false;
        }
    }
    if (!MakeDataFolder()) return false;
    port_ = FreePort();
    if (!StartAgain()) return false;
    StartWatchdog();
    const ScriptRun init = Script({QStringLiteral("init")});
    if (init.exitCode != 0) return problem_ = QStringLiteral("class-server.sh init: ") + init.err, false;
    return true;
}

// initdb takes seconds; its result is kept in the build folder (per server version) and copied
// for the next run, owner and rights as they are.
bool PgTestServer::MakeDataFolder() {
    const QString data = dir_->path() + QStringLiteral("/data");
#ifdef KD_BINARY_DIR
    // Named after the initdb that made it, so another server version makes its own.
    const QFileInfo initdb(bin_ + QStringLiteral("/initdb"));
    const QString kept =
        QStringLiteral(KD_BINARY_DIR "/pg-template-%1")
            .arg(qHash(initdb.canonicalFilePath() + initdb.lastModified().toString(Qt::ISODate)));
#else
    const QString kept;
#endif
    if (!kept.isEmpty() && QFileInfo::exists(kept + QStringLiteral("/PG_VERSION")) &&
        QProcess::execute(QStringLiteral("cp"), {"-a", kept, data}) == 0)
        return true;
    if (!RunServerTool(QStringLiteral("initdb"), {"-D", data, "-A", "trust", "-U", "postgres", "-E", "UTF8",
                                                  "--no-locale", "--no-sync"}))
        return false;
    if (!kept.isEmpty()) {
        // Copied under another name and renamed, so a run never finds half a copy.
        const QString part = kept + QStringLiteral(".part");
        QDir(part).removeRecursively();
        if (QProcess::execute(QStringLiteral("cp"), {"-a", data, part}) == 0) QDir().rename(part, kept);
    }
    return true;
}

bool PgTestServer::StartAgain() {
    // Durability is the server's business, not the test's: no fsync.
    const QString options = QStringLiteral(
                                "-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off "
                                "-c synchronous_commit=off -c full_page_writes=off")
                                .arg(port_)
                                .arg(dir_->path());
    running_ = RunServerTool(QStringLiteral("pg_ctl"), {"-D", dir_->path() + "/data", "-o", options, "-l",
                                                        dir_->path() + "/log", "-w", "start"});
    return running_;
}

bool PgTestServer::Stop() {
    if (QSqlDatabase::contains(QStringLiteral("pg-admin"))) {
        QSqlDatabase::database(QStringLiteral("pg-admin"), false).close();
        QSqlDatabase::removeDatabase(QStringLiteral("pg-admin"));
    }
    running_ =
        !RunServerTool(QStringLiteral("pg_ctl"), {"-D", dir_->path() + "/data", "-m", "fast", "-w", "stop"});
    return !running_;
}

PgTestServer::ScriptRun PgTestServer::Script(const QStringList& args) const {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGHOST"), QStringLiteral("127.0.0.1"));
    env.insert(QStringLiteral("PGPORT"), QString::number(port_));
    env.insert(QStringLiteral("PGUSER"), QStringLiteral("postgres"));
    env.remove(QStringLiteral("PGDATABASE"));
    env.insert(QStringLiteral("PATH"), bin_ + u':' + env.value(QStringLiteral("PATH")));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KD_SOURCE_DIR "/scripts/class-server.sh"), args);
    ScriptRun r;
    if (!p.waitForFinished(60000)) return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QSqlDatabase PgTestServer::Admin() const {
    const QString name = QStringLiteral("pg-admin");
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::database(name);
        if (db.isOpen()) return db;
        QSqlDatabase::removeDatabase(name);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    db.setHostName(QStringLiteral("127.0.0.1"));
    db.setPort(port_);
    db.setDatabaseName(QStringLiteral("keyderby"));
    db.setUserName(QStringLiteral("postgres"));
    db.open();
    return db;
}

}  // namespace kd::test
