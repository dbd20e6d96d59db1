#include "DerbyKit.h"
#include "platform/widgets/MessageBoxes.h"

namespace kd::test {
namespace {

BossScreen* OpenBoss(DerbyApp& app) {
    app.g.derby.SetHeat(6);
    return app.Open<BossScreen>(Screen::Boss);
}

// Boss ticks with one random value each; questions drawn afterwards are "forecast" again.
void BossTicks(DerbyApp& app, BossScreen* boss, float r, int ticks) {
    QList<float> script(ticks, r);
    script << 0.0f;
    app.rnd.Script(script);
    ASSERT_EQ(Fire(boss, "moveTimer", ticks), ticks);
}

// At 0.999 the boss runs 16.983 px a tick: 635, 618, 601, ... it scores on the 15th tick.
constexpr int kBossTicksPerBall = 15;

TEST(Boss, InitLaysOutTheArenaAtRest) {
    DerbyApp app;
    app.Pick(3);
    BossScreen* boss = OpenBoss(app);
    EXPECT_EQ(app.g.derby.Arena().bossX, 635);
    EXPECT_EQ(app.g.derby.Arena().playerX, 0);
    EXPECT_EQ(app.g.derby.Arena().postX, 300);
    EXPECT_EQ(app.g.derby.Arena().playerStep, 4);
    EXPECT_EQ(DisplayText(boss), "");
    EXPECT_EQ(Find<QWidget>(boss, "track")->geometry(), QRect(3, 129, 700, 295));
    const int seeds = app.rnd.reseedCalls;
    StartPlay(boss);
    BossTicks(app, boss, 0.5f, 10);
    EXPECT_EQ(app.rnd.reseedCalls, seeds) << "the boss's generator is not re-seeded per tick";
}

TEST(Boss, StepIsRoundedHalfToEvenAndZeroStaysPut) {
    struct Case {
        float r;
        int x;
    };
    // 17 r = 0.5 and 1.5 land on halves: 634.5 and 633.5 both go to 634.
    const Case cases[] = {{0.0f, 635}, {0.02f, 635}, {1.0f / 34, 634}, {3.0f / 34, 634}, {0.999f, 618}};
    for (const Case& c : cases) {
        DerbyApp app;
        BossScreen* boss = OpenBoss(app);
        StartPlay(boss);
        BossTicks(app, boss, c.r, 1);
        EXPECT_EQ(app.g.derby.Arena().bossX, c.x) << "r " << c.r;
    }
}

TEST(Boss, ABallPerArrivalAndTheBossRestartsFromItsEdge) {
    DerbyApp app;
    BossScreen* boss = OpenBoss(app);
    StartPlay(boss);
    BossTicks(app, boss, 0.999f, kBossTicksPerBall - 1);
    EXPECT_EQ(app.g.derby.Arena().balls[1], 0);
    EXPECT_GE(app.g.derby.Arena().bossX, 390);
    BossTicks(app, boss, 0.999f, 1);
    EXPECT_EQ(app.g.derby.Arena().balls[1], 1);
    EXPECT_EQ(app.g.derby.Arena().bossX, 635);
}

TEST(Boss, CorrectKeysPerBallFollowTheStepSize) {
    struct Case {
        int charaNo;
        int keysPerBall;
    };
    const Case cases[] = {{1, 25}, {2, 41}, {3, 62}, {4, 31}, {5, 36}};
    for (const Case& c : cases) {
        DerbyApp app;
        app.Pick(c.charaNo);
        BossScreen* boss = OpenBoss(app);
        StartPlay(boss);
        TypeCorrect(boss, c.keysPerBall - 1);
        EXPECT_EQ(app.g.derby.Arena().balls[0], 0) << "chara " << c.charaNo;
        TypeCorrect(boss, 1);
        EXPECT_EQ(app.g.derby.Arena().balls[0], 1) << "chara " << c.charaNo;
        EXPECT_EQ(app.g.derby.Arena().playerX, 0);
    }
}

// Four balls each, then one more for whoever is named.
BossScreen* FourAllWith(DerbyApp& app) {
    BossScreen* boss = OpenBoss(app);
    StartPlay(boss);
    BossTicks(app, boss, 0.999f, 4 * kBossTicksPerBall);
    TypeCorrect(boss, 4 * 25);
    EXPECT_EQ(app.g.derby.Arena().balls[0], 4);
    EXPECT_EQ(app.g.derby.Arena().balls[1], 4);
    return boss;
}

TEST(Boss, AtFourAllTheBossScoringNextWins) {
    DerbyApp app;
    app.g.musicOn = true;
    app.msg.Answer(MsgAnswer::No);
    BossScreen* boss = FourAllWith(app);
    EXPECT_EQ(app.audio.playing, "coolguy.mid");
    BossTicks(app, boss, 0.999f, kBossTicksPerBall);
    EXPECT_EQ(app.g.derby.Arena().balls[1], 5);
    EXPECT_EQ(DisplayText(boss), "You Lose!!");
    EXPECT_EQ(DisplayColor(boss), QColor(0, 0, 255));
    EXPECT_EQ(app.audio.playing, "");
    TypeCorrect(boss, 25);  // too late: keys are no longer judged
    EXPECT_EQ(app.g.derby.Arena().balls[0], 4);
    Fire(boss, "finishTimer");
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].title, "You Lose!!");
    EXPECT_EQ(app.msg.asked[0].text, "あなたの負けです。もう一度挑戦しますか?");
    EXPECT_EQ(app.nav.LastShown(), Screen::Main);
}

TEST(Boss, AtFourAllThePlayerScoringNextWinsAndTheHeatFileStays) {
    DerbyApp app;
    const QByteArray heat = Record("00 00 06 00") + Record("29 00");
    app.WriteFile(app.PlayerPath("DATA/Heat"), heat);
    BossScreen* boss = FourAllWith(app);
    TypeCorrect(boss, 25);
    EXPECT_EQ(app.g.derby.Arena().balls[0], 5);
    EXPECT_EQ(DisplayText(boss), "You Win!!");
    EXPECT_EQ(DisplayColor(boss), QColor(255, 0, 0));
    EXPECT_EQ(Fire(boss, "moveTimer"), 0);
    Fire(boss, "finishTimer");
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].title, "You Win!!");
    EXPECT_EQ(app.msg.asked[0].text, "ボスを倒した!!");
    EXPECT_EQ(app.msg.asked[0].buttons, MsgButtons::OK);
    EXPECT_EQ(app.nav.LastShown(), Screen::Introduction);
    EXPECT_EQ(app.HeatFile(), heat);
}

TEST(Boss, LostBattleYesStartsAgain) {
    DerbyApp app;
    app.msg.Answer(MsgAnswer::Yes);
    BossScreen* boss = OpenBoss(app);
    StartPlay(boss);
    BossTicks(app, boss, 0.999f, 5 * kBossTicksPerBall);
    Fire(boss, "finishTimer");
    EXPECT_EQ(app.nav.Current(), boss);
    EXPECT_EQ(app.g.derby.Arena().balls[1], 0);
    EXPECT_EQ(app.g.derby.Arena().bossX, 635);
    EXPECT_EQ(DisplayText(boss), "");
}

TEST(Boss, EscapeDuringTheVerdictRestartsWithoutAWord) {
    DerbyApp app;
    app.Pick(1);
    BossScreen* boss = OpenBoss(app);
    StartPlay(boss);
    TypeCorrect(boss, 5 * 25);
    ASSERT_EQ(DisplayText(boss), "You Win!!");
    Press(boss, Qt::Key_Space);  // no countdown over the verdict
    EXPECT_EQ(DisplayText(boss), "You Win!!");
    Press(boss, Qt::Key_Escape);
    EXPECT_EQ(Fire(boss, "finishTimer"), 0);
    EXPECT_TRUE(app.msg.asked.isEmpty());
    EXPECT_EQ(app.nav.Current(), boss);
    EXPECT_EQ(app.g.derby.Arena().balls[0], 0);
    EXPECT_EQ(DisplayText(boss), "");
}

TEST(Boss, BackspaceAndTheCloseBoxGoToTheSelection) {
    for (const bool closeBox : {false, true}) {
        DerbyApp app;
        app.g.musicOn = true;
        BossScreen* boss = OpenBoss(app);
        StartPlay(boss);
        if (closeBox)
            boss->close();
        else
            Press(boss, Qt::Key_Backspace);
        EXPECT_EQ(app.nav.LastShown(), Screen::SelectChara);
        EXPECT_EQ(app.audio.playing, "back.mid");
    }
}

}  // namespace
}  // namespace kd::test
