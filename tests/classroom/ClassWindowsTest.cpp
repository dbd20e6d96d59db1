// The class windows as a student and a teacher use them, from the main menu's ファイル menu,
// against the suite's PostgreSQL server.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>

#include "PgTestServer.h"
#include "app/Screens.h"
#include "classroom/ClassCsv.h"
#include "classroom/ClassSender.h"
#include "classui/ClassDialogs.h"
#include "classui/ClassViewWindow.h"
#include "learning/LearningRecord.h"
#include "platform/widgets/ScreenBase.h"
#include "stats/ClassTab.h"
#include "support/TestApp.h"

namespace kd::test {
namespace {

template <class W>
W* OpenWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<W*>(w); found && found->isVisible()) return found;
    return nullptr;
}

void Type(QWidget* owner, const char* field, const QString& text) {
    auto* edit = owner->findChild<QLineEdit*>(QString::fromLatin1(field));
    ASSERT_NE(edit, nullptr) << field;
    edit->clear();
    // Kana and kanji come from the input method, not from keys.
    bool ascii = true;
    for (QChar c : text) ascii = ascii && c.unicode() < 128;
    if (ascii)
        QTest::keyClicks(edit, text);
    else
        edit->insert(text);
}

QAction* FileItem(ScreenBase* menu, const char* name) {
    return menu->findChild<QAction*>(QString::fromLatin1(name));
}

TEST(ClassWindows, AStudentJoinsFromTheMenuAndTheTeacherSeesExportsAndRemoves) {
    PgTestServer& pg = PgTestServer::Shared();
    ASSERT_TRUE(pg.Running()) << pg.Problem().toStdString();
    QSqlQuery q(pg.Admin());
    ASSERT_TRUE(q.exec("SELECT keyderby.add_class('窓の組')") && q.next());
    const QString code = q.value(0).toString();
    ASSERT_TRUE(q.exec("SELECT keyderby.add_teacher('窓先生', '窓の組')") && q.next());
    const QString password = q.value(0).toString();
    ASSERT_TRUE(q.exec("SELECT name, join_code FROM keyderby.add_students('窓の組', '{\"=出口\", \"森\"}')"));
    QMap<QString, QString> joinCodes;
    while (q.next()) joinCodes.insert(q.value(0).toString(), q.value(1).toString());

    TestApp app;
    RegisterAllScreens(app.nav);
    app.UsePlayer(QStringLiteral("森"));
    LearningRecord record(app.g);
    app.g.learning = &record;
    ScreenBase* menu = app.nav.Show(Screen::Main);
    const QString server = QStringLiteral("127.0.0.1:%1").arg(pg.Port());

    // ファイル → クラスに参加, with the join code typed wrong once.
    FileItem(menu, "joinClassAction")->trigger();
    auto* join = OpenWindow<JoinClassDialog>();
    ASSERT_NE(join, nullptr);
    EXPECT_EQ(join->name->text(), "森") << "the player's name is offered";
    Type(join, "server", server);
    Type(join, "classCode", code.toLower().remove('-'));
    Type(join, "joinCode", "AAAA-AAAA");
    QSignalSpy answered(join, &ServerDialog::Answered);
    QTest::mouseClick(join->goButton, Qt::LeftButton);
    ASSERT_TRUE(answered.wait(10000));
    EXPECT_EQ(join->Outcome(), (ClassError{ClassFailure::NotRecognised, {}}.Message()));
    Type(join, "joinCode", joinCodes["森"]);
    QTest::mouseClick(join->goButton, Qt::LeftButton);
    ASSERT_TRUE(answered.wait(10000));
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_TRUE(app.msg.asked[0].text.contains("「窓の組」に参加しました"))
        << app.msg.asked[0].text.toStdString();
    const ClassMembership m = LoadMembership(record.Store()->Database());
    EXPECT_TRUE(m.Joined());
    EXPECT_EQ(m.classCode, code);
    record.Close();
    QFile file(LearningRecord::PathFor(app.g));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains(joinCodes["森"].toLatin1())) << "the join code is never stored";
    file.close();

    // A game, sent, then the クラス tab of the statistics shows the player's place.
    RecordedGame game;
    game.genre = QStringLiteral("kannyouku");
    game.mode = GameMode::TimeTrial;
    game.correct = 114;
    game.durationMs = 30000;
    game.startedAt = 1765000000000;
    ASSERT_TRUE(record.WritableStore()->WriteGame(game));
    ClassServer sender(pg.Address());
    EXPECT_EQ(SendOutbox(record.Store()->Database(), sender).sent, 1);
    {
        stats::ClassTab tab(LearningRecord::PathFor(app.g));
        QSignalSpy refreshed(&tab, &stats::ClassTab::Refreshed);
        tab.show();
        ASSERT_TRUE(refreshed.wait(10000));
        EXPECT_EQ(tab.findChild<QLabel*>("place")->text(), "森 さんは 1 人中 1 位です。");
        EXPECT_EQ(tab.findChild<QTableWidget*>("ranking")->item(0, 2)->text(), "30.0 秒");
    }

    // ファイル → クラスの成績: the teacher logs in and sees both students.
    FileItem(menu, "classResultsAction")->trigger();
    auto* login = OpenWindow<TeacherLoginDialog>();
    ASSERT_NE(login, nullptr);
    EXPECT_EQ(login->secret->echoMode(), QLineEdit::Password);
    Type(login, "server", server);
    Type(login, "classCode", code);
    Type(login, "name", "窓先生");
    Type(login, "password", password);
    QSignalSpy loggedIn(login, &ServerDialog::Answered);
    QTest::mouseClick(login->goButton, Qt::LeftButton);
    ASSERT_TRUE(loggedIn.wait(10000));
    auto* view = OpenWindow<ClassViewWindow>();
    ASSERT_NE(view, nullptr) << login->problem->text().toStdString();
    auto* students = view->findChild<QTableWidget*>("students");
    ASSERT_EQ(students->rowCount(), 2);
    EXPECT_EQ(students->item(1, 0)->text(), "森");
    EXPECT_EQ(students->item(1, 1)->text(), "1");
    EXPECT_EQ(students->item(1, 3)->text(), "30.0 秒");
    EXPECT_EQ(students->item(1, 4)->text(),
              QDateTime::fromMSecsSinceEpoch(1765000000000).toString("yyyy/MM/dd"));
    EXPECT_EQ(students->item(0, 2)->text(), "—") << "no game yet";

    QTemporaryDir dir;
    const QString csv = dir.filePath("class.csv");
    ClassCsvChooser() = [csv](QWidget*) { return csv; };
    QTest::mouseClick(view->findChild<QPushButton*>("exportButton"), Qt::LeftButton);
    QFile out(csv);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(
        out.readAll(),
        "\xEF\xBB\xBFstudent,played_at,mode,genre,keys,misses,time_ms,keys_per_second,grade,abandoned\r\n"
        "\xE6\xA3\xAE,2025-12-06T05:46:40Z,timetrial,kannyouku,114,0,30000,3.80,,0\r\n");

    // Removing "=出口" (a name a spreadsheet would take for a formula) after the question.
    view->SelectStudent(0);
    app.msg.Answer(MsgAnswer::Yes);
    QSignalSpy updated(view, &ClassViewWindow::Updated);
    QTest::mouseClick(view->findChild<QPushButton*>("removeButton"), Qt::LeftButton);
    ASSERT_TRUE(updated.wait(10000));
    EXPECT_TRUE(app.msg.asked.last().text.contains("=出口 さんをクラスから削除しますか"))
        << app.msg.asked.last().text.toStdString();
    ASSERT_EQ(students->rowCount(), 1);
    EXPECT_EQ(students->item(0, 0)->text(), "森");
    view->close();
    app.g.learning = nullptr;
}

// A name a spreadsheet would read as a formula stays text; commas and quotes are quoted.
TEST(ClassWindows, TheCsvKeepsNamesAsTextForASpreadsheet) {
    ClassView view;
    StudentGame g{QDateTime::fromMSecsSinceEpoch(0, Qt::UTC), 1, "set:3", 10, 2, 2500, 4.0, "S", true};
    view.students = {{1, "=SUM(A1)", 1, 4, 2500, {}, {g}}, {2, "a,\"b\"", 0, 0, 0, {}, {}}};
    view.students[1].history = {g};
    QBuffer out;
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    ASSERT_TRUE(WriteClassCsv(view, out));
    EXPECT_EQ(
        out.data(),
        "\xEF\xBB\xBFstudent,played_at,mode,genre,keys,misses,time_ms,keys_per_second,grade,abandoned\r\n"
        "'=SUM(A1),1970-01-01T00:00:00Z,timetrial,set:3,10,2,2500,4.00,S,1\r\n"
        "\"a,\"\"b\"\"\",1970-01-01T00:00:00Z,timetrial,set:3,10,2,2500,4.00,S,1\r\n");
}

}  // namespace
}  // namespace kd::test
