#include "DerbyKit.h"
#include "platform/widgets/MessageBoxes.h"

namespace kd::test {
namespace {

// The race and the boss battle share the power rules; every case runs on both screens.
DerbyPlayScreen* OpenPlay(DerbyApp& app, bool boss) {
    app.g.derby.SetHeat(boss ? 6 : 1);
    if (boss) return app.Open<BossScreen>(Screen::Boss);
    return app.Open<RaceScreen>(Screen::KeyDerby);
}

const QColor kGreen(0, 255, 0), kRed(255, 0, 0);

TEST(Power, ThresholdsAndTheLosingMiss) {
    struct Case {
        int missCost;
        int misses;
        QString shown;
        bool red;
        bool lost;
    };
    const Case cases[] = {
        {23, 3, "31", false, false},  // 31 stays green
        {14, 5, "30", true, false},   // 30 turns red
        {15, 6, "10", true, false},   // CrazyBallRed's last miss before losing
        {15, 7, "0", true, true},     // ... and the 7th loses
        {25, 4, "0", true, true},     // exactly 0 loses
        {2, 49, "2", true, false},    // CrazyBallBlue survives 49 misses
        {2, 50, "0", true, true},
    };
    for (const bool boss : {false, true}) {
        for (const Case& c : cases) {
            DerbyApp app;
            app.msg.Answer(MsgAnswer::Yes);
            DerbyPlayScreen* play = OpenPlay(app, boss);
            PlayableCharacter tiring = PlayableCharacterOf(1);
            tiring.missCost = c.missCost;
            app.g.derby.ChoosePlayer(tiring);
            StartPlay(play);
            TypeWrong(play, c.misses);
            const auto trace = ::testing::Message()
                               << (boss ? "boss" : "race") << " cost " << c.missCost << " x" << c.misses;
            if (c.lost) {
                ASSERT_EQ(app.msg.asked.size(), 1) << trace;
                EXPECT_EQ(app.msg.asked[0].title, "You Lose!!");
                EXPECT_EQ(app.msg.asked[0].text, "パワーがなくなりました。もう一度挑戦しますか?");
                EXPECT_EQ(app.msg.asked[0].buttons, MsgButtons::YesNo);
                continue;
            }
            EXPECT_TRUE(app.msg.asked.isEmpty()) << trace;
            auto* label = Find<QLabel>(play, "powerValue");
            EXPECT_EQ(label->text(), c.shown) << trace;
            EXPECT_EQ(Find<QProgressBar>(play, "powerBar")->value(), c.shown.toInt()) << trace;
            const QColor want = c.red ? kRed : kGreen;
            EXPECT_EQ(ForeColor(label), want) << trace;
            EXPECT_EQ(ForeColor(Find<QLabel>(play, "powerCaption")), want) << trace;
        }
    }
}

TEST(Power, YesRestartsGreenAndNoGoesToTheMainMenuWithoutTouchingTheHeatFile) {
    for (const bool boss : {false, true}) {
        for (const MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
            DerbyApp app;
            app.g.musicOn = true;
            app.msg.Answer(answer);
            DerbyPlayScreen* play = OpenPlay(app, boss);
            StartPlay(play);
            TypeWrong(play, 7);
            ASSERT_EQ(app.msg.asked.size(), 1);
            EXPECT_EQ(app.audio.playing, "");
            EXPECT_FALSE(FindTimer(play, "moveTimer")->Enabled());
            if (answer == MsgAnswer::Yes) {
                EXPECT_EQ(app.nav.Current(), play);
                EXPECT_EQ(DisplayText(play), boss ? "" : "スペースでスタート");
                EXPECT_EQ(Find<QLabel>(play, "powerValue")->text(), "100");
                EXPECT_EQ(ForeColor(Find<QLabel>(play, "powerValue")), kGreen);
                EXPECT_FALSE(Find<QPushButton>(play, "retryButton")->isEnabled());
                // A new start works as the first one did.
                StartPlay(play);
                EXPECT_TRUE(FindTimer(play, "moveTimer")->Enabled());
            } else {
                EXPECT_EQ(app.nav.LastShown(), Screen::Main);
            }
            EXPECT_TRUE(app.HeatFile().isEmpty());
            EXPECT_EQ(app.g.derby.Heat(), boss ? 6 : 1);
        }
    }
}

// Message boxes that let the player close the screen while the question is up.
struct ClosingMessageBoxes : MessageBoxes {
    QWidget* closeMe = nullptr;
    MsgAnswer answer = MsgAnswer::No;
    int asked = 0;
    MsgAnswer Show(QWidget*, const QString&, const QString&, MsgButtons) override {
        ++asked;
        if (closeMe) closeMe->close();
        return answer;
    }
};

TEST(Power, AScreenClosedWhileTheQuestionIsUpIsLeftAlone) {
    for (const bool boss : {false, true}) {
        for (const MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
            DerbyApp app;
            ClosingMessageBoxes boxes;
            boxes.answer = answer;
            AppContext ctx{app.g, boxes, app.nav};
            app.nav.SetContext(&ctx);
            DerbyPlayScreen* play = OpenPlay(app, boss);
            boxes.closeMe = play;
            StartPlay(play);
            TypeWrong(play, 7);
            ASSERT_EQ(boxes.asked, 1);
            // The close box already went to the selection; the answer must not act on top of it.
            EXPECT_EQ(app.nav.shown.last(), Screen::SelectChara);
            EXPECT_FALSE(app.nav.shown.contains(Screen::Main));
            EXPECT_EQ(DisplayText(play), "forecast") << "no restart on a closed screen";
            app.nav.SetContext(&app.ctx);
        }
    }
}

}  // namespace
}  // namespace kd::test
