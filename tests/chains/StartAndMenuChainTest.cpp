#include <QAbstractItemView>
#include <QDir>
#include <QFileInfo>

#include "ChainKit.h"
#include "common/GameState.h"

using namespace kd;
using namespace kd::test;

namespace {

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// Picks a name from the drop-down list of the name screen, as the mouse would.
void PickFromList(QComboBox* box, int index) {
    box->showPopup();
    QAbstractItemView* view = box->view();
    view->setCurrentIndex(view->model()->index(index, 0));
    Press(view, Qt::Key_Return);
}

QStringList Listed(QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
    return out;
}

}  // namespace

// A screen left out of the program's wiring would stop the game the moment it is reached.
TEST(StartChain, TheProgramBuildsEveryScreen) {
    ChainApp app;
    for (Screen s : AllScreens()) EXPECT_TRUE(app.nav.IsRegistered(s)) << ScreenName(s).toStdString();
}

TEST(StartChain, SplashNameScreenAndMenuForANewPlayer) {
    ChainApp app;
    app.nav.Show(Screen::StartUp);
    ASSERT_EQ(app.NowScreen(), Screen::StartUp);
    EXPECT_EQ(FindTimer(app.Now(), QStringLiteral("splashTimer"))->Interval(), 500);
    Fire(app.Now(), QStringLiteral("splashTimer"));
    ASSERT_EQ(app.NowScreen(), Screen::InputUserName);
    TestApp::Flush();

    auto* box = Find<QComboBox>(app.Now(), QStringLiteral("userNameBox"));
    EXPECT_EQ(Listed(box), QStringList{"DefaultUser"});
    EXPECT_EQ(box->lineEdit()->selectedText(), "DefaultUser");
    EXPECT_EQ(Entries(app.dir.path()), QStringList{"Data.dat"}) << "reading the list creates it empty";

    // Cancel keeps the screen and creates nothing; OK goes on to the menu.
    box->lineEdit()->selectAll();
    Type(box, QStringLiteral("Alice"));
    app.msg.Answer(MsgAnswer::Cancel);
    Press(box, Qt::Key_Return);
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].text, "Aliceさんでよろしいですか？");
    EXPECT_EQ(app.msg.asked[0].title, "Key Derby");
    EXPECT_EQ(app.NowScreen(), Screen::InputUserName);
    EXPECT_EQ(Entries(app.dir.path()), QStringList{"Data.dat"});

    Click(Button(app.Now(), QStringLiteral("okButton")));
    ASSERT_EQ(app.NowScreen(), Screen::Main);
    EXPECT_EQ(app.nav.shown, (QList<Screen>{Screen::StartUp, Screen::InputUserName, Screen::Main}));
    EXPECT_EQ(app.nav.OpenForms().size(), 1) << "each screen closed as the next opened";
    EXPECT_EQ(app.g.player.GetUserName(), "Alice");
    EXPECT_EQ(app.audio.calls, QStringList{"InitSoundEffects"}) << "a new player has the music off";

    EXPECT_EQ(Entries(app.dir.path()), (QStringList{"Alice", "Data.dat"}));
    // The offered "DefaultUser" was in the list, so it stays below the new name.
    EXPECT_EQ(app.ReadFile(app.dir.filePath("Data.dat")),
              Record("05 00 41 6C 69 63 65 0B 00 44 65 66 61 75 6C 74 55 73 65 72"));
    EXPECT_EQ(Entries(app.Player("DATA")), (QStringList{"Data", "Heat"}));
    EXPECT_EQ(app.ReadFile(app.Player("DATA/Data")), QByteArray());
    EXPECT_EQ(app.ReadFile(app.Player("DATA/Heat")), QByteArray());
}

TEST(StartChain, ARestartListsThePlayersAndBringsBackTheirSwitches) {
    ChainApp first;
    StartAs(first, QStringLiteral("Alice"));
    Menu(first.Now(), QStringLiteral("musicOnAction"))->trigger();
    Menu(first.Now(), QStringLiteral("effectsOnAction"))->trigger();
    ChooseMenuItem(first, 0);  // choosing a mode stores the switches
    ASSERT_EQ(first.NowScreen(), Screen::Practice);
    Press(first.Now(), Qt::Key_Backspace);
    ASSERT_EQ(first.NowScreen(), Screen::Main);
    Menu(first.Now(), QStringLiteral("exitAction"))->trigger();
    EXPECT_TRUE(first.nav.ended);
    EXPECT_TRUE(first.nav.OpenForms().isEmpty());

    // A second run on the same data folder as another player.
    ChainApp second;
    second.g.programFolder = first.dir.path();
    StartAs(second, QStringLiteral("Bob"));
    EXPECT_FALSE(second.g.musicOn);
    EXPECT_EQ(second.ReadFile(first.dir.filePath("Data.dat")), Record("03 00 42 6F 62 05 00 41 6C 69 63 65"));
    Menu(second.Now(), QStringLiteral("exitAction"))->trigger();

    // A third run picks Alice from the list: she goes to the top and her switches come back.
    ChainApp third;
    third.g.programFolder = first.dir.path();
    third.nav.Show(Screen::StartUp);
    Fire(third.Now(), QStringLiteral("splashTimer"));
    auto* box = Find<QComboBox>(third.Now(), QStringLiteral("userNameBox"));
    EXPECT_EQ(Listed(box), (QStringList{"Bob", "Alice"}));
    PickFromList(box, 1);
    EXPECT_EQ(box->currentText(), "Alice");
    Press(box, Qt::Key_Return);
    ASSERT_EQ(third.NowScreen(), Screen::Main);
    EXPECT_TRUE(third.g.musicOn);
    EXPECT_TRUE(third.g.keySoundsOn);
    EXPECT_EQ(third.audio.playing, "startup.mid");
    EXPECT_TRUE(Menu(third.Now(), QStringLiteral("musicOnAction"))->isChecked());
    EXPECT_EQ(third.ReadFile(first.dir.filePath("Data.dat")), Record("05 00 41 6C 69 63 65 03 00 42 6F 62"));
    EXPECT_EQ(third.ReadFile(third.Player("DATA/Data")), Record("FF FF") + Record("FF FF"));
}

TEST(MainMenuChain, EveryItemLeadsToItsScreenAndBackAndEndAsksFirst) {
    ChainApp app;
    StartAs(app, QStringLiteral("Tester"));
    Menu(app.Now(), QStringLiteral("musicOnAction"))->trigger();
    EXPECT_EQ(app.audio.playing, "startup.mid");

    // Enter on each mode, Backspace (or the close box) back to a freshly loaded menu.
    const struct {
        int item;
        Screen screen;
        bool closeBox;
    } modes[] = {
        {0, Screen::Practice, false}, {1, Screen::TimeTrial, false}, {2, Screen::SelectChara, false},
        {0, Screen::Practice, true},  {1, Screen::TimeTrial, true},  {2, Screen::SelectChara, true},
    };
    for (const auto& m : modes) {
        ChooseMenuItem(app, m.item);
        ASSERT_EQ(app.NowScreen(), m.screen);
        EXPECT_EQ(app.audio.playing, m.item == 2 ? "back.mid" : "") << ScreenName(m.screen).toStdString();
        if (m.closeBox)
            app.Now()->close();
        else
            Press(app.Now(), Qt::Key_Backspace);
        TestApp::Flush();
        ASSERT_EQ(app.NowScreen(), Screen::Main) << ScreenName(m.screen).toStdString();
        EXPECT_EQ(app.audio.playing, "startup.mid") << "the stored switch starts the music again";
        EXPECT_EQ(app.nav.OpenForms().size(), 1);
    }

    // A click on an item activates it too.
    Click(Label(app.Now(), QStringLiteral("menuItem1")));
    ASSERT_EQ(app.NowScreen(), Screen::TimeTrial);
    Press(app.Now(), Qt::Key_Backspace);

    // END (up from item 0), the close box and the menu's end item all ask first.
    Menu(app.Now(), QStringLiteral("musicOffAction"))->trigger();
    Press(app.Now(), Qt::Key_Up);
    EXPECT_EQ(Text(app.Now(), "itemShadow"), "END");
    app.msg.Answer(MsgAnswer::Cancel);
    Press(app.Now(), Qt::Key_Return);
    app.msg.Answer(MsgAnswer::Cancel);
    app.Now()->close();
    ASSERT_EQ(app.msg.asked.size(), 2);
    for (const auto& q : app.msg.asked) {
        EXPECT_EQ(q.text, "終了してもよろしいですか？");
        EXPECT_EQ(q.buttons, MsgButtons::OKCancel);
    }
    EXPECT_EQ(app.NowScreen(), Screen::Main);
    EXPECT_FALSE(app.nav.ended);
    // The switch turned off before the end question was stored by it.
    EXPECT_EQ(app.ReadFile(app.Player("DATA/Data")), Record("00 00") + Record("00 00"));

    Menu(app.Now(), QStringLiteral("exitAction"))->trigger();
    EXPECT_TRUE(app.nav.ended);
    EXPECT_TRUE(app.nav.OpenForms().isEmpty());
    EXPECT_EQ(app.ReadFile(app.Player("DATA/Data")), Record("00 00") + Record("00 00"));
}

TEST(MainMenuChain, VersionBoxAndRecordDeletion) {
    ChainApp app;
    app.UsePlayer(QStringLiteral("Other"));
    const QByteArray othersHeat = Record("00 00 04 00");
    app.WriteFile(app.Player("DATA/Heat"), othersHeat);
    StartAs(app, QStringLiteral("Tester"));

    Menu(app.Now(), QStringLiteral("aboutAction"))->trigger();
    ASSERT_EQ(app.NowScreen(), Screen::Version);
    EXPECT_TRUE(app.Now()->isModal());
    Click(Button(app.Now(), QStringLiteral("okButton")));
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::Main);

    // Records made by playing: a practice setting, the derby at heat 3, both genres.
    const QMap<QString, QByteArray> records = {
        {"DATA/Data", Record("FF FF") + Record("FF FF")},
        {"DATA/Heat", Record("00 00 03 00") + Record("0C 00")},
        {"DATA/PracticeTime", Record("5A 00 07 00 65 6E 67 6C 69 73 68")},
        {"DATA/gen", Record("01 00")},
        {"DATA/genderby", Record("01 00")},
    };
    for (auto it = records.begin(); it != records.end(); ++it)
        app.WriteFile(app.Player(it.key()), it.value());
    const QByteArray list = app.ReadFile(app.dir.filePath("Data.dat"));

    app.msg.Answer(MsgAnswer::No);
    Menu(app.Now(), QStringLiteral("deleteRecordsAction"))->trigger();
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].title, "KeyDerby");
    EXPECT_EQ(app.msg.asked[0].text, "すべての記録を削除します。よろしいですか？");
    EXPECT_EQ(app.msg.asked[0].buttons, MsgButtons::YesNo);
    for (auto it = records.begin(); it != records.end(); ++it)
        EXPECT_EQ(app.ReadFile(app.Player(it.key())), it.value()) << qPrintable(it.key());

    Menu(app.Now(), QStringLiteral("deleteRecordsAction"))->trigger();  // Yes
    EXPECT_EQ(app.NowScreen(), Screen::Main);
    EXPECT_EQ(Entries(app.Player("DATA")), (QStringList{"Data", "Heat"}));
    EXPECT_EQ(app.ReadFile(app.Player("DATA/Data")), QByteArray());
    EXPECT_EQ(app.ReadFile(app.Player("DATA/Heat")), QByteArray());
    EXPECT_TRUE(Menu(app.Now(), QStringLiteral("musicOffAction"))->isChecked());
    EXPECT_TRUE(Menu(app.Now(), QStringLiteral("effectsOffAction"))->isChecked());
    EXPECT_EQ(app.ReadFile(app.dir.filePath("Data.dat")), list);
    EXPECT_EQ(app.ReadFile(app.dir.filePath("Other/DATA/Heat")), othersHeat);

    // The derby starts again at the first heat, the practice with a fresh default setting.
    ChooseMenuItem(app, 2);
    Click(Button(app.Now(), QStringLiteral("okButton")));
    ASSERT_EQ(app.NowScreen(), Screen::HeatInfo);
    EXPECT_EQ(Label(app.Now(), "heatName0")->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    Press(app.Now(), Qt::Key_Space);
    ASSERT_EQ(app.NowScreen(), Screen::KeyDerby);
    Press(app.Now(), Qt::Key_Backspace);
    ASSERT_EQ(app.NowScreen(), Screen::SelectChara);
    Press(app.Now(), Qt::Key_Backspace);
    ChooseMenuItem(app, 0);
    ASSERT_EQ(app.NowScreen(), Screen::Practice);
    EXPECT_EQ(app.ReadFile(app.Player("DATA/PracticeTime")),
              Record("3C 00 09 00 6B 61 6E 6E 79 6F 75 6B 75"));
}
