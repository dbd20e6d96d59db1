#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>

#include "learning/LearningRecord.h"
#include "shell/LearningExport.h"
#include "shell/MainMenu.h"
#include "shell/Register.h"
#include "support/LearningKit.h"
#include "support/TestApp.h"

using namespace kd;
using namespace kd::test;

namespace {

class LearningMenu : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterShellScreens(app.nav);
        app.UsePlayer(QStringLiteral("Tester"));
        app.g.learning = &record;
        EventScript s{record.Recorder()};
        s.Begin(GameMode::TimeTrial, "english");
        s.Question(1000, "apple", "apple");
        s.Unit("a", "a", "!sa");
        s.End(false, 1, 1);
        saved = ExportFileChooser();
    }
    void TearDown() override { ExportFileChooser() = saved; }
    void Trigger(ScreenBase* form, const char* action) {
        form->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }

    TestApp app;
    LearningRecord record{app.g};
    SaveFileChooser saved;
};

}  // namespace

// ファイル → 学習記録の書き出し writes the CSV where the player chose; a cancel writes nothing.
TEST_F(LearningMenu, ExportWritesTheChosenFile) {
    auto* menu = app.Open<MainMenu>(Screen::Main);
    const QString target = app.dir.filePath("out/record.csv");
    QDir().mkpath(app.dir.filePath("out"));
    QString suggested;
    ExportFileChooser() = [&](QWidget*, const QString& s) {
        suggested = s;
        return QString();
    };
    Trigger(menu, "exportLearningAction");
    EXPECT_TRUE(suggested.endsWith(".csv"));
    EXPECT_TRUE(app.msg.asked.isEmpty());
    EXPECT_TRUE(QDir(app.dir.filePath("out")).isEmpty());

    ExportFileChooser() = [&](QWidget*, const QString&) { return target; };
    Trigger(menu, "exportLearningAction");
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].text, "学習記録を書き出しました。\n" + target);
    const QStringList lines = QString::fromUtf8(app.ReadFile(target)).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("game_id,mode,"));
    EXPECT_TRUE(lines[2].startsWith("1,timetrial,english,"));
    EXPECT_TRUE(lines[2].endsWith(",a,a,a,1,a"));

    // A folder that cannot take the file: told so, nothing left behind.
    ExportFileChooser() = [&](QWidget*, const QString&) { return app.dir.filePath("missing/record.csv"); };
    Trigger(menu, "exportLearningAction");
    ASSERT_EQ(app.msg.asked.size(), 2);
    EXPECT_TRUE(app.msg.asked[1].text.startsWith("学習記録を書き出せませんでした（書き込みできません）。"));
}

// Record deletion names the learning record in its question and deletes it with the rest.
TEST_F(LearningMenu, DeletionRemovesTheDatabaseToo) {
    const QString db = app.PlayerPath("learning.sqlite");
    ASSERT_TRUE(QFile::exists(db));
    ASSERT_TRUE(QFile::exists(db + "-wal"));
    auto* menu = app.Open<MainMenu>(Screen::Main);
    app.msg.Answer(MsgAnswer::No);
    Trigger(menu, "deleteRecordsAction");
    EXPECT_TRUE(QFile::exists(db));
    Trigger(menu, "deleteRecordsAction");
    ASSERT_EQ(app.msg.asked.size(), 2);
    EXPECT_EQ(app.msg.asked[1].text, "すべての記録（学習記録を含む）を削除します。よろしいですか？");
    for (const char* suffix : {"", "-wal", "-shm"}) EXPECT_FALSE(QFile::exists(db + suffix)) << suffix;
    EXPECT_EQ(QDir(app.g.PlayerFolder()).entryList(QDir::Files), QStringList());

    // The next game starts a new record with that game alone.
    EventScript s{record.Recorder()};
    s.Begin(GameMode::Practice);
    s.End(true, 0, 0);
    EXPECT_EQ(One(record.Store()->Database(), "SELECT count(*) FROM games").toInt(), 1);
}
