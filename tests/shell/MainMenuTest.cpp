#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QtMath>

#include "platform/core/Language.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Zoom.h"
#include "shell/MainMenu.h"
#include "shell/Register.h"
#include "support/TestApp.h"

using namespace kd;
using namespace kd::test;

namespace {

const QColor kGreen(0, 192, 0);
const QColor kYellow(255, 255, 0);
const QString kPracticeText = QStringLiteral(
    "　自分で練習時間を設定して、ひたすら打ち続ける。長時間のタイピングに耐えられる持久力がつく（？）");
const QString kTimeTrialText = QStringLiteral("　自分の限界に挑戦！まさに、自分との戦い！");

// The mode screens belong to other parts of the program; stand-ins record the hand-over.
ScreenBase* StandIn(AppContext& c, Screen screen) {
    return new ScreenBase(c, screen);
}

class MainMenuScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterShellScreens(app.nav);
        for (Screen s : {Screen::Practice, Screen::TimeTrial, Screen::SelectChara})
            app.nav.Register(s, [s](AppContext& c) { return StandIn(c, s); });
        app.g.player.SetUserName(QStringLiteral("Tester"));
        QDir().mkpath(app.g.PlayerFolder());
    }

    MainMenu* Open() {
        app.audio.calls.clear();
        form = app.Open<MainMenu>(Screen::Main);
        return form;
    }
    QLabel* Item(int i) const { return Find<QLabel>(form, QStringLiteral("menuItem%1").arg(i)); }
    QLabel* Label(const char* name) const { return Find<QLabel>(form, QString::fromLatin1(name)); }
    QAction* Menu(const char* name) const { return form->findChild<QAction*>(QString::fromLatin1(name)); }
    QString Data() const { return app.PlayerPath(QStringLiteral("DATA/Data")); }
    int Selected() const {
        for (int i = 0; i < 4; ++i)
            if (ForeColor(Item(i)) == kYellow) return i;
        return -1;
    }

    TestApp app;
    MainMenu* form = nullptr;
};

}  // namespace

TEST_F(MainMenuScreen, ANewPlayerGetsFoldersAndFilesAndStartsWithBothSwitchesOff) {
    Open();
    EXPECT_TRUE(QFileInfo(app.PlayerPath(QStringLiteral("DATA"))).isDir());
    EXPECT_TRUE(QFileInfo::exists(Data()));
    EXPECT_EQ(QFileInfo(Data()).size(), 0);
    EXPECT_TRUE(QFileInfo::exists(app.PlayerPath(QStringLiteral("DATA/Heat"))));
    EXPECT_FALSE(app.g.musicOn);
    EXPECT_FALSE(app.g.keySoundsOn);
    EXPECT_TRUE(Menu("musicOffAction")->isChecked());
    EXPECT_FALSE(Menu("musicOnAction")->isChecked());
    EXPECT_TRUE(Menu("effectsOffAction")->isChecked());
    EXPECT_FALSE(Menu("effectsOnAction")->isChecked());
    EXPECT_EQ(app.audio.calls, QStringList{QStringLiteral("InitSoundEffects")});
    EXPECT_EQ(app.g.derby.Heat(), 1);
}

TEST_F(MainMenuScreen, ShowsTheTitleTheItemsAndSelectsTheFirst) {
    Open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Key Derby"));
    EXPECT_EQ(Label("titleText")->text(), QStringLiteral("Key Derby"));
    EXPECT_EQ(Label("titleShadow")->text(), QStringLiteral("Key Derby"));
    EXPECT_EQ(Label("versionText0")->text(), QStringLiteral("Ver.2.1.0"));
    EXPECT_GT(Label("titleShadow")->x(), Label("titleText")->x());
    EXPECT_GT(Label("versionText1")->y(), Label("versionText0")->y());
    const char* captions[] = {"PRACTICE", "TIME TRIAL", "KEY DERBY", "END"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Item(i)->text(), QString::fromLatin1(captions[i]));
        if (i > 0) {
            EXPECT_GT(Item(i)->y(), Item(i - 1)->y());
        }
    }
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(ForeColor(Item(1)), kGreen);
    EXPECT_EQ(form->Selected(), 0);
    EXPECT_EQ(Label("itemShadow")->pos(), Item(0)->pos() + QPoint(2, 2));
    EXPECT_EQ(Label("itemShadow")->text(), QStringLiteral("PRACTICE"));
    EXPECT_EQ(Label("modeDescription")->text(), kPracticeText);

    // 対戦 (network races) is ours, beside the specified menus.
    const QStringList menus = {QStringLiteral("ファイル(&F)"), QStringLiteral("効果音(&E)"),
                               QStringLiteral("BGM(&B)"),      QStringLiteral("表示(&D)"),
                               QStringLiteral("対戦(&N)"),     QStringLiteral("バージョン情報(&V)")};
    QStringList shown;
    for (QAction* a : form->findChild<QWidget*>(QStringLiteral("menuBar"))->actions()) shown << a->text();
    // The original menus in their order, then the statistics menu added after them.
    EXPECT_EQ(shown, menus + QStringList{QStringLiteral("成績(&S)")});
    EXPECT_EQ(Menu("deleteRecordsAction")->text(), QStringLiteral("記録の削除(&D)"));
    EXPECT_EQ(Menu("exitAction")->text(), QStringLiteral("終了(&X)"));
}

TEST_F(MainMenuScreen, TheViewMenuZoomsTheWholeWindowAndRemembersTheChoice) {
    const QString settings = app.dir.filePath(QStringLiteral("zoom.conf"));
    Zoom zoom(settings);
    zoom.LoadSettings({300, 250});  // a small screen for the offscreen one
    zoom.SetPercent(100);
    Open();
    const QSize plain = form->size();
    auto* view = form->findChild<QMenu*>(QStringLiteral("viewMenu"));
    ASSERT_NE(view, nullptr);
    auto* zoomMenu = view->findChild<QMenu*>(QStringLiteral("zoomMenu"));
    ASSERT_NE(zoomMenu, nullptr);
    QStringList items;
    for (QAction* a : zoomMenu->actions()) items << a->text();
    EXPECT_EQ(items, (QStringList{"100 %", "150 %", "200 %"}));
    EXPECT_TRUE(view->actions().contains(zoom.FullScreenAction()));

    zoomMenu->actions().at(2)->trigger();
    QApplication::processEvents();  // once the menu has closed, the window is made again
    ASSERT_EQ(zoom.AppliedPercent(), 200);
    EXPECT_EQ(form->size(), plain);  // the same window, its pixels twice as large
    EXPECT_DOUBLE_EQ(form->devicePixelRatioF(), 2.0);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(QSettings(settings, QSettings::IniFormat).value("view/zoomPercent").toInt(), 200);
    // The menu still works at 200 %: Down and Enter start the time trial.
    QTest::keyClick(form, Qt::Key_Down);
    QTest::keyClick(form, Qt::Key_Return);
    EXPECT_EQ(app.nav.LastShown(), Screen::TimeTrial);
    zoom.SetPercent(100);
}

TEST_F(MainMenuScreen, ArrowKeysWrapAndEndKeepsTheLastDescription) {
    Open();
    struct Step {
        Qt::Key key;
        int selected;
        QString description;
    } steps[] = {
        {Qt::Key_Up, 3, kPracticeText},    // from the top to END, description stays
        {Qt::Key_Down, 0, kPracticeText},  // from END back to the top
        {Qt::Key_Down, 1, kTimeTrialText}, {Qt::Key_Left, 1, kTimeTrialText},  // other keys do nothing
        {Qt::Key_Down, 2, QString()},      {Qt::Key_Down, 3, QString()},
    };
    for (const Step& s : steps) {
        Press(form, s.key);
        EXPECT_EQ(Selected(), s.selected);
        EXPECT_EQ(form->Selected(), s.selected);
        EXPECT_EQ(Label("itemShadow")->text(), Item(s.selected)->text());
        if (!s.description.isNull()) {
            EXPECT_EQ(Label("modeDescription")->text(), s.description);
        }
    }
    EXPECT_TRUE(Label("modeDescription")->text().contains(QStringLiteral("Champion Ship")));
}

TEST_F(MainMenuScreen, ThePointerSelectsAndAClickStartsTheMode) {
    Open();
    QTest::mouseMove(Item(2));
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(form->Selected(), 2);
    Click(Item(1));
    EXPECT_EQ(app.nav.LastShown(), Screen::TimeTrial);
    EXPECT_TRUE(form->IsClosing());
}

TEST_F(MainMenuScreen, ChoosingAModeSavesBothSwitchesAndStopsTheMusic) {
    Open();
    Menu("musicOnAction")->trigger();
    Menu("effectsOnAction")->trigger();
    EXPECT_EQ(QFileInfo(Data()).size(), 0) << "the switches reach the file only when an item is chosen";
    EXPECT_EQ(app.audio.playing, QStringLiteral("startup.mid"));
    Press(form, Qt::Key_Down);
    Press(form, Qt::Key_Down);
    Press(form, Qt::Key_Return);
    EXPECT_EQ(app.nav.LastShown(), Screen::SelectChara);
    EXPECT_EQ(app.ReadFile(Data()), Record("FF FF") + Record("FF FF"));
    EXPECT_EQ(app.audio.calls.last(), QStringLiteral("StopMidi"));

    // Back on the menu the music starts again, with both switches shown on.
    TestApp::Flush();
    Open();
    EXPECT_EQ(app.audio.calls,
              (QStringList{QStringLiteral("InitSoundEffects"), QStringLiteral("PlayMidi startup.mid")}));
    EXPECT_TRUE(Menu("musicOnAction")->isChecked());
    EXPECT_FALSE(Menu("musicOffAction")->isChecked());
    EXPECT_TRUE(Menu("effectsOnAction")->isChecked());
    EXPECT_TRUE(app.g.keySoundsOn);
}

TEST_F(MainMenuScreen, SwitchMenusSetTheChecksAndTheMusic) {
    Open();
    Menu("musicOnAction")->trigger();
    Menu("musicOnAction")->trigger();  // already on: not started twice
    EXPECT_EQ(app.audio.calls.count(QStringLiteral("PlayMidi startup.mid")), 1);
    EXPECT_TRUE(Menu("musicOnAction")->isChecked());
    Menu("musicOffAction")->trigger();
    EXPECT_EQ(app.audio.calls.last(), QStringLiteral("StopMidi"));
    EXPECT_TRUE(Menu("musicOffAction")->isChecked());
    EXPECT_FALSE(Menu("musicOnAction")->isChecked());
    EXPECT_FALSE(app.g.musicOn);
    Menu("effectsOnAction")->trigger();
    Menu("effectsOnAction")->trigger();  // a second click keeps it checked
    EXPECT_TRUE(Menu("effectsOnAction")->isChecked());
    EXPECT_FALSE(Menu("effectsOffAction")->isChecked());
    Menu("effectsOffAction")->trigger();
    EXPECT_FALSE(app.g.keySoundsOn);
    EXPECT_TRUE(Menu("effectsOffAction")->isChecked());
}

TEST_F(MainMenuScreen, ReadsTheSwitchesAndTheDerbyProgress) {
    QDir().mkpath(app.PlayerPath(QStringLiteral("DATA")));
    app.WriteFile(Data(), Record("FF FF") + Record("00 00"));
    // Heat: memo "", heat 3; co-qualifier 12.
    app.WriteFile(app.PlayerPath(QStringLiteral("DATA/Heat")), Record("00 00 03 00") + Record("0C 00"));
    Open();
    EXPECT_EQ(app.audio.calls,
              (QStringList{QStringLiteral("InitSoundEffects"), QStringLiteral("PlayMidi startup.mid")}));
    EXPECT_TRUE(app.g.musicOn);
    EXPECT_FALSE(app.g.keySoundsOn);
    EXPECT_EQ(app.g.derby.Heat(), 3);
    EXPECT_EQ(app.g.derby.Character(1), 12);
}

TEST_F(MainMenuScreen, AStraySwitchValueReadsAsOff) {
    QDir().mkpath(app.PlayerPath(QStringLiteral("DATA")));
    app.WriteFile(Data(), Record("01 00") + Record("05 00"));
    Open();
    EXPECT_FALSE(app.g.musicOn);
    EXPECT_FALSE(app.g.keySoundsOn);
    Menu("musicOnAction")->trigger();
    EXPECT_EQ(app.audio.playing, QStringLiteral("startup.mid"));
}

TEST_F(MainMenuScreen, EndAsksFirstAndTheSwitchesAreSavedEvenOnCancel) {
    QDir().mkpath(app.PlayerPath(QStringLiteral("DATA")));
    app.WriteFile(Data(), Record("FF FF") + Record("FF FF"));
    Open();
    Menu("musicOffAction")->trigger();
    app.msg.Answer(MsgAnswer::Cancel);
    Press(form, Qt::Key_Up);
    Press(form, Qt::Key_Return);
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].title, QStringLiteral("Key Derby"));
    EXPECT_EQ(app.msg.asked[0].text, QStringLiteral("終了してもよろしいですか？"));
    EXPECT_EQ(app.msg.asked[0].buttons, MsgButtons::OKCancel);
    EXPECT_FALSE(app.nav.ended);
    EXPECT_FALSE(form->IsClosing());
    EXPECT_EQ(app.ReadFile(Data()), Record("00 00") + Record("FF FF"));

    Menu("musicOnAction")->trigger();
    app.audio.calls.clear();
    Menu("exitAction")->trigger();  // OK
    EXPECT_TRUE(app.nav.ended);
    EXPECT_EQ(app.audio.calls, QStringList{QStringLiteral("StopMidi")});
}

TEST_F(MainMenuScreen, TheCloseBoxIsHandledAsEnd) {
    Open();
    form->show();
    app.msg.Answer(MsgAnswer::Cancel);
    form->close();
    EXPECT_EQ(app.msg.asked.size(), 1);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(app.nav.ended);

    QPointer<MainMenu> guard(form);
    form->close();  // OK this time
    EXPECT_TRUE(app.nav.ended);
    TestApp::Flush();
    EXPECT_TRUE(guard.isNull());
}

TEST_F(MainMenuScreen, AModeNotInThisBuildLeavesTheMenuAlone) {
    TestApp bare;
    RegisterShellScreens(bare.nav);
    bare.UsePlayer();
    auto* menu = bare.Open<MainMenu>(Screen::Main);
    Press(menu, Qt::Key_Return);
    EXPECT_EQ(bare.nav.LastShown(), Screen::Main);
    EXPECT_FALSE(menu->IsClosing());
    EXPECT_EQ(QFileInfo(bare.PlayerPath(QStringLiteral("DATA/Data"))).size(), 0);
}

TEST_F(MainMenuScreen, AnUnwritableDataFolderIsReportedAndTheMenuStillLoads) {
    app.WriteFile(app.PlayerPath(QStringLiteral("DATA")), "not a folder");
    Open();
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_TRUE(app.msg.asked[0].text.startsWith(
        QStringLiteral("記録用のフォルダーを作成できませんでした（書き込みできません）。")));
    EXPECT_EQ(app.g.derby.Heat(), 1);
    Press(form, Qt::Key_Return);
    ASSERT_EQ(app.msg.asked.size(), 2);
    EXPECT_TRUE(app.msg.asked[1].text.startsWith(
        QStringLiteral("BGMと効果音の設定を保存できませんでした（書き込みできません）。")));
    EXPECT_EQ(app.nav.LastShown(), Screen::Practice);
}

// 表示 → 言語 keeps the choice for the computer, says in the chosen language that it comes at
// the next start, and leaves the open menu as it is.
TEST_F(MainMenuScreen, TheLanguageMenuKeepsTheChoiceForTheNextStart) {
    const QString settings = app.dir.filePath(QStringLiteral("keyderby.conf"));
    Zoom zoom(settings);
    Open();
    auto* languages = form->findChild<QMenu*>(QStringLiteral("languageMenu"));
    ASSERT_NE(languages, nullptr);
    EXPECT_EQ(languages->title(), QStringLiteral("言語(&L)"));
    emit languages->aboutToShow();
    EXPECT_TRUE(Menu("japaneseAction")->isChecked()) << "nothing chosen: the interface's own language";

    Menu("englishAction")->trigger();
    EXPECT_EQ(QSettings(settings, QSettings::IniFormat).value("view/language").toString(), "en");
    EXPECT_EQ(ResolveLanguage(StoredLanguageChoice(settings), InterfaceLanguage::Japanese),
              InterfaceLanguage::English);
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].text, "Key Derby will be in English from the next start.");
    EXPECT_EQ(form->findChild<QMenu*>(QStringLiteral("fileMenu"))->title(), QStringLiteral("ファイル(&F)"));
    emit languages->aboutToShow();
    EXPECT_TRUE(Menu("englishAction")->isChecked());

    // Back to the language already on screen: kept, nothing to say.
    Menu("japaneseAction")->trigger();
    EXPECT_EQ(StoredLanguageChoice(settings), "ja");
    EXPECT_EQ(app.msg.asked.size(), 1);
}
