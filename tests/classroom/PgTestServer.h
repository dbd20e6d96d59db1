#pragma once
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "classroom/ClassServer.h"

namespace kd::test {

// A PostgreSQL server of the test program's own: initdb and pg_ctl in a temporary folder, on a
// free port, as the postgres user when the tests run as root (the server refuses to run as
// root), prepared by scripts/class-server.sh and removed when the program ends.
class PgTestServer {
  public:
    // The one server of this test program, started on first use; Problem() says why not.
    static PgTestServer& Shared();
    // Stops and removes it (before the program's end, while Qt is still up).
    static void EndShared();
    ~PgTestServer();

    bool Running() const { return running_; }
    QString Problem() const { return problem_; }
    int Port() const { return port_; }
    ServerAddress Address() const;

    bool Stop();
    bool StartAgain();

    // Runs class-server.sh against the server; its output (stdout) and exit code.
    struct ScriptRun {
        int exitCode = -1;
        QString out, err;
    };
    ScriptRun Script(const QStringList& args) const;
    // A connection as the superuser (setting up classes quickly, checking tables).
    QSqlDatabase Admin() const;

  private:
    PgTestServer();
    bool Start();
    bool MakeDataFolder();
    void StartWatchdog();
    // Runs a server program, as the postgres user when we are root.
    bool RunServerTool(const QString& tool, const QStringList& args, int timeoutMs = 60000);

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QProcess> watchdog_;
    QString bin_;
    QString problem_;
    int port_ = 0;
    bool running_ = false;
};

}  // namespace kd::test
