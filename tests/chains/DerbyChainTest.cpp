#include <QRadioButton>

#include "ChainKit.h"
#include "common/GameState.h"

using namespace kd;
using namespace kd::test;

namespace {

const QColor kYellow(255, 255, 0);

// CrazyBallRed (step 10) crosses the line at 582 with its 59th correct key.
constexpr int kKeysToFinish = 59;
// Five balls at 25 correct keys each.
constexpr int kKeysToBeatTheBoss = 125;
// With r = 0.99 the boss steps 17 px: 15 ticks per ball, 75 for five.
constexpr int kTicksForTheBossToWin = 75;

// Opponent ticks, each with these random values for lanes 1, 2, 3; then every draw is 0 again,
// so every question is the same English word.
void Ticks(ChainApp& app, QWidget* race, const QList<float>& perTick, int ticks) {
    QList<float> script;
    for (int t = 0; t < ticks; ++t) script << perTick;
    script << 0.0f;
    app.rnd.Script(script);
    ASSERT_EQ(Fire(race, QStringLiteral("moveTimer"), ticks), ticks);
}

// The heat screen names heat `heatNo` and Space opens its race.
void EnterRace(ChainApp& app, int heatNo) {
    ASSERT_EQ(app.NowScreen(), Screen::HeatInfo);
    const QString label = QStringLiteral("heatName%1").arg(heatNo - 1);
    EXPECT_EQ(Label(app.Now(), label)->palette().color(QPalette::WindowText), kYellow) << heatNo;
    Press(app.Now(), Qt::Key_Space);
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::KeyDerby);
}

// Types to the line and lets the finish timer settle the heat.
void FinishRace(ChainApp& app) {
    QWidget* race = app.Now();
    TypeHead(race, kKeysToFinish);
    ASSERT_EQ(DisplayText(race), "Finish!!");
    Fire(race, QStringLiteral("finishTimer"));
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::RankingKeyDerby);
}

void ExpectRanking(ChainApp& app, const char* place, bool advanced) {
    EXPECT_EQ(Text(app.Now(), "placeText"), QString::fromUtf8(place));
    EXPECT_EQ(Text(app.Now(), "verdictText"),
              advanced ? "おめでとう！！次のステージへ!!" : "残念!!もう一度挑戦！！");
}

QByteArray HeatFile(const char* heatNo, const char* coQualifier) {
    return Record((QByteArray("00 00 ") + heatNo).constData()) + Record(coQualifier);
}

}  // namespace

TEST(DerbyChain, FiveHeatsTheBossAndTheRollCall) {
    ChainApp app;
    StartAs(app, QStringLiteral("Tester"));
    Menu(app.Now(), QStringLiteral("musicOnAction"))->trigger();
    ChooseMenuItem(app, 2);
    ASSERT_EQ(app.NowScreen(), Screen::SelectChara);
    EXPECT_EQ(app.audio.playing, "back.mid");

    Click(Button(app.Now(), QStringLiteral("settingsButton")));
    ASSERT_EQ(app.NowName(), "DerbyGenreDialog");
    Click(Find<QRadioButton>(app.Now(), QStringLiteral("genreEnglish")));
    Click(Button(app.Now(), QStringLiteral("okButton")));
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::SelectChara);
    EXPECT_EQ(app.ReadFile(app.Player("DATA/genderby")), Record("01 00"));
    Click(Button(app.Now(), QStringLiteral("okButton")));
    EXPECT_EQ(app.g.derby.Player().name, "CrazyBallRed");

    // Heat 1: a win far ahead; lane 1 comes through with the player.
    EnterRace(app, 1);
    StartPlay(app.Now());
    EXPECT_EQ(app.audio.playing, "umai3.mid");
    Ticks(app, app.Now(), {0, 0, 0}, 10);
    FinishRace(app);
    ExpectRanking(app, "1位", true);
    EXPECT_EQ(app.g.derby.FinishOrder(), (std::array<int, 4>{1, 11, 12, 13}));
    EXPECT_EQ(app.ReadFile(app.Player("DATA/Heat")), HeatFile("02 00", "0B 00"));
    Click(Button(app.Now(), QStringLiteral("okButton")));

    // Heat 2: second behind lane 2, who comes through.
    EnterRace(app, 2);
    EXPECT_EQ(app.g.derby.Character(1), 11);
    StartPlay(app.Now());
    EXPECT_EQ(app.audio.playing, "heat1.mid");
    Ticks(app, app.Now(), {0, 0.99f, 0}, 117);
    FinishRace(app);
    ExpectRanking(app, "2位", true);
    EXPECT_EQ(app.ReadFile(app.Player("DATA/Heat")), HeatFile("03 00", "15 00"));
    Click(Button(app.Now(), QStringLiteral("okButton")));

    // Heat 3: third, so heat 3 again; then a win.
    EnterRace(app, 3);
    StartPlay(app.Now());
    Ticks(app, app.Now(), {0.99f, 0.99f, 0}, 97);
    FinishRace(app);
    ExpectRanking(app, "3位", false);
    EXPECT_EQ(app.ReadFile(app.Player("DATA/Heat")), HeatFile("03 00", "15 00"));
    Click(Button(app.Now(), QStringLiteral("okButton")));
    EnterRace(app, 3);
    EXPECT_EQ(app.g.derby.Character(1), 21);
    StartPlay(app.Now());
    EXPECT_EQ(app.audio.playing, "heat2.mid");
    FinishRace(app);
    ExpectRanking(app, "1位", true);
    Click(Button(app.Now(), QStringLiteral("okButton")));

    // Heat 4: out of power first (the seventh wrong key), Yes to try again, then a win.
    EnterRace(app, 4);
    StartPlay(app.Now());
    TypeWrong(app.Now(), 7);
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].title, "You Lose!!");
    EXPECT_EQ(app.msg.asked[0].text, "パワーがなくなりました。もう一度挑戦しますか?");
    ASSERT_EQ(app.NowScreen(), Screen::KeyDerby);
    EXPECT_EQ(DisplayText(app.Now()), "スペースでスタート");
    EXPECT_EQ(app.ReadFile(app.Player("DATA/Heat")), HeatFile("04 00", "15 00"));
    StartPlay(app.Now());
    EXPECT_EQ(app.audio.playing, "heat3.mid");
    FinishRace(app);
    Click(Button(app.Now(), QStringLiteral("okButton")));

    // Heat 5, the "Champion Ship".
    EnterRace(app, 5);
    StartPlay(app.Now());
    EXPECT_EQ(app.audio.playing, "98.mid");
    FinishRace(app);
    ExpectRanking(app, "1位", true);
    EXPECT_EQ(app.ReadFile(app.Player("DATA/Heat")), HeatFile("06 00", "15 00"));
    Click(Button(app.Now(), QStringLiteral("okButton")));

    // Heat 6: the heat screen names only the boss, and its second runs out.
    ASSERT_EQ(app.NowScreen(), Screen::HeatInfo);
    EXPECT_EQ(Text(app.Now(), "heatName0"), "");
    EXPECT_EQ(Text(app.Now(), "heatName2"), "BOSS!!");
    Fire(app.Now(), QStringLiteral("timeoutTimer"));
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::Boss);

    // The boss wins first; Yes sets the battle up again.
    QWidget* boss = app.Now();
    StartPlay(boss);
    EXPECT_EQ(app.audio.playing, "coolguy.mid");
    app.rnd.Script({0.99f});
    EXPECT_EQ(Fire(boss, QStringLiteral("moveTimer"), kTicksForTheBossToWin + 5), kTicksForTheBossToWin);
    EXPECT_EQ(DisplayText(boss), "You Lose!!");
    app.msg.asked.clear();
    Fire(boss, QStringLiteral("finishTimer"));
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].text, "あなたの負けです。もう一度挑戦しますか?");
    ASSERT_EQ(app.Now(), boss);
    EXPECT_EQ(DisplayText(boss), "");

    // Then the player wins.
    app.rnd.Script({0.0f});
    StartPlay(boss);
    Fire(boss, QStringLiteral("moveTimer"), 3);
    TypeHead(boss, kKeysToBeatTheBoss);
    EXPECT_EQ(DisplayText(boss), "You Win!!");
    app.msg.asked.clear();
    Fire(boss, QStringLiteral("finishTimer"));
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].title, "You Win!!");
    EXPECT_EQ(app.msg.asked[0].text, "ボスを倒した!!");
    TestApp::Flush();

    // The roll call, then the menu.
    ASSERT_EQ(app.NowScreen(), Screen::Introduction);
    EXPECT_EQ(app.audio.playing, "recovery1.mid");
    Fire(app.Now(), QStringLiteral("typeOutTimer"), 5);
    EXPECT_EQ(Text(app.Now(), "characterName"), "Craz");
    Press(app.Now(), Qt::Key_Space);
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::Main);
    EXPECT_EQ(app.audio.playing, "startup.mid");
    EXPECT_EQ(app.nav.OpenForms().size(), 1);
    EXPECT_EQ(app.ReadFile(app.Player("DATA/Heat")), HeatFile("06 00", "15 00"))
        << "beating the boss writes nothing";

    // The next derby goes straight to the boss; a lost battle answered No ends on the menu.
    ChooseMenuItem(app, 2);
    Press(app.Now(), Qt::Key_Return);  // OK on the selection screen
    ASSERT_EQ(app.NowScreen(), Screen::HeatInfo);
    EXPECT_EQ(Text(app.Now(), "heatName2"), "BOSS!!");
    Press(app.Now(), Qt::Key_Return);
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::Boss);
    StartPlay(app.Now());
    app.rnd.Script({0.99f});
    Fire(app.Now(), QStringLiteral("moveTimer"), kTicksForTheBossToWin);
    app.msg.Answer(MsgAnswer::No);
    Fire(app.Now(), QStringLiteral("finishTimer"));
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::Main);
    EXPECT_EQ(app.nav.OpenForms().size(), 1);

    EXPECT_EQ(app.ReadFile(app.Player("DATA/Heat")), HeatFile("06 00", "15 00"));
    EXPECT_EQ(app.ReadFile(app.Player("DATA/genderby")), Record("01 00"));
    EXPECT_EQ(app.ReadFile(app.Player("DATA/Data")), Record("FF FF") + Record("00 00"));
}

TEST(DerbyChain, ProgressSurvivesARestartAndTheCloseBoxesLeadBack) {
    ChainApp first;
    first.UsePlayer(QStringLiteral("Tester"));
    first.WriteFile(first.Player("DATA/genderby"), Record("01 00"));
    StartAs(first, QStringLiteral("Tester"));
    ChooseMenuItem(first, 2);
    Click(Button(first.Now(), QStringLiteral("okButton")));
    EnterRace(first, 1);
    StartPlay(first.Now());
    Ticks(first, first.Now(), {0, 0.99f, 0}, 146);  // lane 2 (12) crosses first
    FinishRace(first);
    ExpectRanking(first, "2位", true);
    EXPECT_EQ(first.ReadFile(first.Player("DATA/Heat")), HeatFile("02 00", "0C 00"));

    // The ranking's close box leads to the menu, not to the next heat.
    first.Now()->close();
    TestApp::Flush();
    ASSERT_EQ(first.NowScreen(), Screen::Main);
    Menu(first.Now(), QStringLiteral("exitAction"))->trigger();
    ASSERT_TRUE(first.nav.ended);

    ChainApp second;
    second.g.programFolder = first.dir.path();
    StartAs(second, QStringLiteral("Tester"));
    ChooseMenuItem(second, 2);
    Click(Button(second.Now(), QStringLiteral("okButton")));
    EnterRace(second, 2);
    EXPECT_EQ((std::array<int, 3>{second.g.derby.Character(1), second.g.derby.Character(2),
                                  second.g.derby.Character(3)}),
              (std::array<int, 3>{12, 21, 22}));

    // The race's close box leads to the selection, the selection's to the menu.
    StartPlay(second.Now());
    second.Now()->close();
    TestApp::Flush();
    ASSERT_EQ(second.NowScreen(), Screen::SelectChara);
    second.Now()->close();
    TestApp::Flush();
    ASSERT_EQ(second.NowScreen(), Screen::Main);
    EXPECT_EQ(second.nav.OpenForms().size(), 1);
    EXPECT_EQ(second.ReadFile(second.Player("DATA/Heat")), HeatFile("02 00", "0C 00"));
}
