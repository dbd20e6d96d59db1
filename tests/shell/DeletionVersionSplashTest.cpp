#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include "shell/AboutBox.h"
#include "shell/MainMenu.h"
#include "shell/Register.h"
#include "shell/SplashScreen.h"
#include "support/TestApp.h"

using namespace kd;
using namespace kd::test;

namespace {

class Shell : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterShellScreens(app.nav);
        app.UsePlayer(QStringLiteral("Tester"));
    }
    MainMenu* OpenMenu() { return app.Open<MainMenu>(Screen::Main); }
    void Trigger(ScreenBase* form, const char* action) {
        form->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    QStringList DataFiles() const {
        return QDir(app.PlayerPath(QStringLiteral("DATA"))).entryList(QDir::Files, QDir::Name);
    }

    TestApp app;
};

}  // namespace

TEST_F(Shell, DeletingRecordsEmptiesThePlayersDataFolderOnly) {
    const QString data = app.PlayerPath(QStringLiteral("DATA"));
    app.WriteFile(data + QStringLiteral("/Data"), Record("FF FF") + Record("FF FF"));
    app.WriteFile(data + QStringLiteral("/Heat"), Record("00 00 04 00") + Record("0D 00"));
    for (const char* f : {"PracticeTime", "TimeTrialData", "gen", "genderby"})
        app.WriteFile(data + u'/' + QString::fromLatin1(f), Record("01 00"));
    const QByteArray list = Record("06 00 54 65 73 74 65 72 05 00 4F 74 68 65 72");
    app.WriteFile(app.dir.filePath(QStringLiteral("Data.dat")), list);
    QDir().mkpath(app.dir.filePath(QStringLiteral("Other/DATA")));
    app.WriteFile(app.dir.filePath(QStringLiteral("Other/DATA/Data")), Record("FF FF"));

    auto* menu = OpenMenu();
    EXPECT_EQ(app.g.derby.Heat(), 4);
    app.audio.calls.clear();
    Trigger(menu, "deleteRecordsAction");
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].title, QStringLiteral("KeyDerby"));
    EXPECT_EQ(app.msg.asked[0].text, QStringLiteral("すべての記録を削除します。よろしいですか？"));
    EXPECT_EQ(app.msg.asked[0].buttons, MsgButtons::YesNo);

    // The menu loaded again: the two files it reads are back, empty, and everything is reset.
    EXPECT_EQ(DataFiles(), (QStringList{QStringLiteral("Data"), QStringLiteral("Heat")}));
    EXPECT_EQ(QFileInfo(data + QStringLiteral("/Data")).size(), 0);
    EXPECT_EQ(QFileInfo(data + QStringLiteral("/Heat")).size(), 0);
    EXPECT_EQ(app.g.derby.Heat(), 1);
    EXPECT_EQ(app.g.derby.Character(1), 0);
    EXPECT_FALSE(app.g.musicOn);
    EXPECT_FALSE(app.g.keySoundsOn);
    EXPECT_TRUE(menu->findChild<QAction*>(QStringLiteral("musicOffAction"))->isChecked());
    EXPECT_EQ(app.audio.calls, (QStringList{QStringLiteral("StopMidi"), QStringLiteral("InitSoundEffects")}));
    EXPECT_TRUE(app.audio.playing.isEmpty());

    EXPECT_EQ(app.ReadFile(app.dir.filePath(QStringLiteral("Data.dat"))), list);
    EXPECT_EQ(app.ReadFile(app.dir.filePath(QStringLiteral("Other/DATA/Data"))), Record("FF FF"));
}

TEST_F(Shell, AnsweringNoDeletesNothing) {
    auto* menu = OpenMenu();
    app.WriteFile(app.PlayerPath(QStringLiteral("DATA/gen")), Record("01 00"));
    app.msg.Answer(MsgAnswer::No);
    Trigger(menu, "deleteRecordsAction");
    EXPECT_EQ(DataFiles(),
              (QStringList{QStringLiteral("Data"), QStringLiteral("Heat"), QStringLiteral("gen")}));
}

TEST_F(Shell, TheVersionBoxOpensModallyOverTheMenuAndOkClosesIt) {
    auto* menu = OpenMenu();
    Trigger(menu, "aboutAction");
    auto* box = qobject_cast<AboutBox*>(app.nav.Current());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->parentWidget(), menu);
    EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Key Derby"));
    const QString texts[][2] = {
        {QStringLiteral("headingText0"), QStringLiteral("Key Derby")},
        {QStringLiteral("headingText1"), QStringLiteral("Key Derby")},
        {QStringLiteral("headingText2"), QStringLiteral("Ver.2.1.0")},
        {QStringLiteral("headingText3"), QStringLiteral("Ver.2.1.0")},
        {QStringLiteral("presentedByText"), QStringLiteral("Presented by")},
        {QStringLiteral("authorText"), QStringLiteral("The Quiet Lantern")},
        {QStringLiteral("sinceText"), QStringLiteral("Since 1998")},
    };
    for (const auto& t : texts) EXPECT_EQ(Find<QLabel>(box, t[0])->text(), t[1]) << qPrintable(t[0]);
    // The shadow copies sit 3 pixels (45 twips) right and down.
    EXPECT_EQ(Find<QLabel>(box, QStringLiteral("headingText0"))->pos(),
              Find<QLabel>(box, QStringLiteral("headingText1"))->pos() + QPoint(3, 3));
    EXPECT_FALSE(Find<QLabel>(box, QStringLiteral("appIcon"))->pixmap().isNull());

    Click(Find<QPushButton>(box, QStringLiteral("okButton")));
    EXPECT_TRUE(box->IsClosing());
    EXPECT_EQ(app.nav.Current(), menu);

    Trigger(menu, "aboutAction");
    auto* again = app.nav.Current();
    Press(again, Qt::Key_Escape);
    EXPECT_EQ(app.nav.Current(), menu);
}

TEST_F(Shell, TheSplashHandsOverToTheNameScreenAfterHalfASecond) {
    auto* splash = app.Open<SplashScreen>(Screen::StartUp);
    ASSERT_NE(splash, nullptr);
    Timer* timer = FindTimer(splash, QStringLiteral("splashTimer"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->Interval(), 500);
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(app.nav.LastShown(), Screen::StartUp);
    EXPECT_EQ(Fire(splash, QStringLiteral("splashTimer"), 3), 1);  // fires once
    EXPECT_EQ(app.nav.LastShown(), Screen::InputUserName);
    EXPECT_TRUE(splash->IsClosing());
    EXPECT_EQ(app.nav.Current()->Id(), Screen::InputUserName);
}
