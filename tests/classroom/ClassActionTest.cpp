// The class windows' controls do the same when pressed through their accessibility actions as
// when clicked, with the server's answers: each copy of a window has a class of its own on the
// suite's server, so a join or a removal in one copy leaves the other's class as it was.
#include <QLineEdit>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "PgTestServer.h"
#include "classroom/ClassTask.h"
#include "classui/ClassDialogs.h"
#include "classui/ClassViewWindow.h"
#include "support/ActionSweep.h"

namespace kd::test {
namespace {

// A program with a class of its own on the server: two students, one teacher.
struct ClassActionApp : TestApp {
    ClassActionApp() {
        static int made = 0;
        const int n = ++made;
        className = QStringLiteral("押す組%1").arg(n);
        teacher = QStringLiteral("押す先生%1").arg(n);
        PgTestServer& pg = PgTestServer::Shared();
        if (!pg.Running()) return;
        QSqlQuery q(pg.Admin());
        if (!q.exec(QStringLiteral("SELECT keyderby.add_class('%1')").arg(className)) || !q.next()) return;
        code = q.value(0).toString();
        if (!q.exec(QStringLiteral("SELECT keyderby.add_teacher('%1', '%2')").arg(teacher, className)) ||
            !q.next())
            return;
        password = q.value(0).toString();
        if (!q.exec(
                QStringLiteral("SELECT name, join_code FROM keyderby.add_students('%1', '{\"森\", \"林\"}')")
                    .arg(className)))
            return;
        while (q.next()) joinCodes.insert(q.value(0).toString(), q.value(1).toString());
        login = {pg.Address(), code, teacher, password};
    }
    // What differs between two classes made alike.
    QString Alike(QString text) const {
        return text.replace(code, QStringLiteral("<code>"))
            .replace(className, QStringLiteral("<class>"))
            .replace(teacher, QStringLiteral("<teacher>"));
    }
    void Fill(ServerDialog* d, const QString& name, const QString& secret) const {
        d->server->setText(QStringLiteral("127.0.0.1:%1").arg(login.server.port));
        d->classCode->setText(code);
        d->name->setText(name);
        d->secret->setText(secret);
    }

    QString className, teacher, code, password;
    QMap<QString, QString> joinCodes;
    TeacherLogin login;
};

template <class W>
W* Shown(W* w) {
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
    return w;
}

const ActionWindow<ClassActionApp> kClassWindows[] = {
    {"JoinClassDialog",
     [](ClassActionApp& a) -> QWidget* {
         auto* d =
             Shown(new JoinClassDialog(QStringLiteral("森"), [](const ClassMembership&) { return true; }));
         a.Fill(d, QStringLiteral("森"), a.joinCodes.value(QStringLiteral("森")));
         return d;
     }},
    {"TeacherLoginDialog",
     [](ClassActionApp& a) -> QWidget* {
         auto* d = Shown(new TeacherLoginDialog([&a](const TeacherLogin& login, const ClassView& view) {
             Shown(new ClassViewWindow(login, view, a.msg));
         }));
         a.Fill(d, a.teacher, a.password);
         return d;
     }},
    {"ClassViewWindow",
     [](ClassActionApp& a) -> QWidget* {
         ClassServer server(a.login.server);
         const auto view = server.LoadClassView(a.login);
         return view ? Shown(new ClassViewWindow(a.login, *view, a.msg)) : nullptr;
     }},
};

// The window pressed in and any other window it opened, with their accessibility trees, and
// the questions asked.
ActionOutcome LookAtClassWindows(ClassActionApp& app, QWidget* window) {
    ActionOutcome o;
    QList<QWidget*> open;
    if (window && window->isVisible()) open << window;
    // Both programs' windows are in this process; a class view is this one's by its class.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != window && w->isVisible() && qobject_cast<ClassViewWindow*>(w) &&
            w->windowTitle().contains(app.code))
            open << w;
    for (QWidget* w : open) o.seen << app.Alike(w->objectName() + u'\n' + AccessibleTree(w).join(u'\n'));
    for (const auto& asked : app.msg.asked) o.seen << app.Alike(asked.text);
    o.moved = open.size() != 1 || !app.msg.asked.isEmpty();
    return o;
}

TEST(ClassActions, EveryControlOfTheClassWindowsDoesWhatAClickDoes) {
    PgTestServer& pg = PgTestServer::Shared();
    ASSERT_TRUE(pg.Running()) << pg.Problem().toStdString();
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("class.csv"));
    const CsvFileChooser chooser = std::exchange(ClassCsvChooser(), [csv](QWidget*) { return csv; });
    // Both copies' questions and answers are in before they are compared.
    const auto answered = [] {
        EXPECT_TRUE(QTest::qWaitFor([] { return ServerWorkRunning() == 0; }, 10000));
    };
    int compared = 0;
    for (const auto& window : kClassWindows) compared += SweepActions(window, {LookAtClassWindows}, answered);
    // Join and cancel, log in and cancel, reload, export, remove and three tabs.
    EXPECT_GE(compared, 10);
    ClassCsvChooser() = chooser;
}

}  // namespace
}  // namespace kd::test
