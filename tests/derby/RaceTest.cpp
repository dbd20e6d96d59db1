#include <QDir>
#include <QPushButton>

#include "DerbyKit.h"
#include "common/HeatFile.h"
#include "derby/HeatInfoScreen.h"
#include "derby/RaceRankingScreen.h"
#include "support/PaintRecorder.h"
#include "support/PlayProbe.h"

namespace kd::test {
namespace {

// The player's correct keys to the line at step 10: 58 x 10 = 580 is short of 582.
constexpr int kKeysToFinishAtStep10 = 59;

RaceScreen* OpenRace(DerbyApp& app, int heatNo, int coQualifier = 0) {
    app.g.derby.SetHeat(heatNo);
    app.g.derby.SetCoQualifier(coQualifier);
    return app.Open<RaceScreen>(Screen::KeyDerby);
}

// Opponent ticks with the same random value for each lane (lanes 1, 2, 3 in order).
void Ticks(DerbyApp& app, QWidget* race, QList<float> perLane, int ticks) {
    QList<float> script;
    for (int t = 0; t < ticks; ++t) script << perLane;
    script << 0.0f;  // afterwards every question is "forecast" again
    app.rnd.Script(script);
    ASSERT_EQ(Fire(race, "moveTimer", ticks), ticks);
}

void FinishAndSettle(RaceScreen* race, int keys = kKeysToFinishAtStep10) {
    TypeCorrect(race, keys);
    ASSERT_EQ(DisplayText(race), "Finish!!");
    ASSERT_EQ(Fire(race, "finishTimer"), 1);
}

TEST(Race, InitShowsTheHeatFieldAtRest) {
    struct Case {
        int heat;
        int coQualifier;
        std::array<int, 3> lanes;
        int step;
        QString midi;
    };
    const Case cases[] = {
        {1, 0, {11, 12, 13}, 1, "umai3.mid"},  {2, 12, {12, 21, 22}, 2, "heat1.mid"},
        {3, 21, {21, 31, 32}, 3, "heat2.mid"}, {4, 13, {13, 41, 42}, 3, "heat3.mid"},
        {5, 42, {42, 51, 52}, 4, "98.mid"},
    };
    for (const Case& c : cases) {
        DerbyApp app;
        app.g.musicOn = true;
        RaceScreen* race = OpenRace(app, c.heat, c.coQualifier);
        ASSERT_TRUE(race);
        for (int j = 1; j <= 3; ++j)
            EXPECT_EQ(app.g.derby.Character(j), c.lanes[j - 1]) << "heat " << c.heat << " lane " << j;
        EXPECT_EQ(app.g.derby.Plan().step, c.step);
        EXPECT_EQ(DisplayText(race), "スペースでスタート");
        EXPECT_EQ(GenreOf(race), "english");
        EXPECT_FALSE(Find<QPushButton>(race, "retryButton")->isEnabled());
        EXPECT_EQ(app.audio.playing, "");
        StartPlay(race);
        EXPECT_EQ(app.audio.playing, c.midi);
        EXPECT_TRUE(Find<QPushButton>(race, "retryButton")->isEnabled());
        EXPECT_EQ(DisplayText(race), "forecast");
        EXPECT_EQ(Find<QLabel>(race, "questionText")->text(), "forecast");
    }
}

TEST(Race, CountdownAndEscapeAndSpaceDuringIt) {
    DerbyApp app;
    RaceScreen* race = OpenRace(app, 1);
    Press(race, Qt::Key_Space);
    EXPECT_EQ(DisplayText(race), "Ready...");
    EXPECT_EQ(DisplayColor(race), QColor(255, 0, 0));
    EXPECT_EQ(FindTimer(race, "readyGoTimer")->Interval(), 1000);
    Press(race, Qt::Key_Space);  // nothing during the countdown
    Fire(race, "readyGoTimer");
    EXPECT_EQ(DisplayText(race), "Go!!");
    EXPECT_EQ(DisplayColor(race), QColor(0, 255, 0));
    EXPECT_EQ(FindTimer(race, "readyGoTimer")->Interval(), 500);
    Press(race, Qt::Key_Escape);
    EXPECT_EQ(DisplayText(race), "スペースでスタート");
    for (const char* t : {"readyGoTimer", "moveTimer", "finishTimer"})
        EXPECT_FALSE(FindTimer(race, t)->Enabled()) << t;
    EXPECT_EQ(FindTimer(race, "readyGoTimer")->Interval(), 1000);
    StartPlay(race);
    EXPECT_TRUE(FindTimer(race, "moveTimer")->Enabled());
    // Space while racing is a key like any other: a miss.
    Press(race, Qt::Key_Space);
    EXPECT_EQ(Find<QLabel>(race, "powerValue")->text(), "85");
}

TEST(Race, OpponentsAdvanceByStepPlusIntOfRangeTimesR) {
    struct Case {
        int heat;
        float r;
        int advance;
    };
    // Int() is the floor: 0.999 x 4 = 3.996 gives 3, never 4.
    const Case cases[] = {{1, 0.0f, 1},   {1, 0.999f, 4},  {2, 0.25f, 3}, {3, 0.5f, 5},
                          {4, 0.999f, 8}, {5, 0.999f, 10}, {5, 0.5f, 7}};
    for (const Case& c : cases) {
        DerbyApp app;
        RaceScreen* race = OpenRace(app, c.heat, 11);
        StartPlay(race);
        const int seedsBefore = app.rnd.reseedCalls;
        Ticks(app, race, {c.r, c.r, c.r}, 3);
        for (int j = 1; j <= 3; ++j)
            EXPECT_EQ(app.g.derby.X(j), 3 * c.advance) << "heat " << c.heat << " r " << c.r;
        EXPECT_EQ(app.g.derby.X(0), 0);
        EXPECT_EQ(app.rnd.reseedCalls - seedsBefore, 3) << "re-seeded on every tick";
    }
}

TEST(Race, OpponentsOnTheSameTickAreRankedInLaneOrder) {
    DerbyApp app;
    RaceScreen* race = OpenRace(app, 1);
    StartPlay(race);
    // Lanes 1 and 3 run 4 px a tick and cross together on tick 146; lane 2 crawls.
    Ticks(app, race, {0.999f, 0.0f, 0.999f}, 146);
    EXPECT_EQ(app.g.derby.FinishOrder()[0], 11);
    EXPECT_EQ(app.g.derby.FinishOrder()[1], 13);
    EXPECT_EQ(app.g.derby.NextPlace(), 3);
    // Finished opponents stay where they stopped.
    Ticks(app, race, {0.999f, 0.0f, 0.999f}, 5);
    EXPECT_EQ(app.g.derby.X(1), 584);
    // The player comes third: the file is not touched and lane 2 takes fourth place unmoved.
    FinishAndSettle(race);
    EXPECT_EQ(app.g.derby.Place(), 3);
    EXPECT_EQ(app.g.derby.FinishOrder()[2], 1);
    EXPECT_EQ(app.g.derby.FinishOrder()[3], 12);
    EXPECT_EQ(app.g.derby.Heat(), 1);
    EXPECT_EQ(app.nav.LastShown(), Screen::RankingKeyDerby);
}

TEST(Race, SecondBehindTwelveAdvancesWithTwelveAcrossARestart) {
    DerbyApp app;
    LoadHeat(app.g);  // a new player: no file yet
    EXPECT_EQ(app.g.derby.Heat(), 1);
    RaceScreen* race = OpenRace(app, app.g.derby.Heat());
    StartPlay(race);
    Ticks(app, race, {0.0f, 0.999f, 0.0f}, 146);
    ASSERT_EQ(app.g.derby.FinishOrder()[0], 12);
    FinishAndSettle(race);
    EXPECT_EQ(app.g.derby.Place(), 2);
    EXPECT_EQ((std::array<int, 4>{12, 1, 11, 13}), app.g.derby.FinishOrder());
    EXPECT_EQ(app.HeatFile(), Record("00 00 02 00") + Record("0C 00"));

    // The program starts again: only the file knows the progress.
    app.g.derby = DerbyRun();
    app.Pick(1);
    LoadHeat(app.g);
    auto* info = app.Open<HeatInfoScreen>(Screen::HeatInfo);
    EXPECT_EQ(ForeColor(info->heatNames[1]), QColor(255, 255, 0));
    Press(info, Qt::Key_Space);
    EXPECT_EQ(app.nav.LastShown(), Screen::KeyDerby);
    EXPECT_EQ(app.g.derby.Character(1), 12);
    EXPECT_EQ(app.g.derby.Character(2), 21);
    EXPECT_EQ(app.g.derby.Character(3), 22);
}

TEST(Race, WinningWithAllBehindMakesLaneOneTheCoQualifier) {
    DerbyApp app;
    RaceScreen* race = OpenRace(app, 3, 21);
    StartPlay(race);
    Ticks(app, race, {0.999f, 0.999f, 0.999f}, 20);  // all still far behind
    FinishAndSettle(race);
    EXPECT_EQ(app.g.derby.Place(), 1);
    EXPECT_EQ((std::array<int, 4>{1, 21, 31, 32}), app.g.derby.FinishOrder());
    EXPECT_EQ(app.g.derby.Character(1), 21);
    EXPECT_EQ(app.HeatFile(), Record("00 00 04 00") + Record("15 00"));
}

TEST(Race, ThirdOrFourthLeavesTheHeatFileAlone) {
    for (const int place : {3, 4}) {
        DerbyApp app;
        const QByteArray before = Record("00 00 02 00") + Record("0C 00");
        app.WriteFile(app.PlayerPath("DATA/Heat"), before);
        LoadHeat(app.g);
        RaceScreen* race = OpenRace(app, app.g.derby.Heat(), app.g.derby.Character(1));
        StartPlay(race);
        // Heat 2 runs 2 + Int(4r): 5 px a tick at 0.999, 117 ticks to the line.
        const float third = place == 4 ? 0.999f : 0.0f;
        Ticks(app, race, {0.999f, 0.999f, third}, 117);
        FinishAndSettle(race);
        EXPECT_EQ(app.g.derby.Place(), place);
        EXPECT_EQ(app.g.derby.Heat(), 2);
        EXPECT_EQ(app.g.derby.Character(1), 12);
        EXPECT_EQ(app.HeatFile(), before);
    }
}

TEST(Race, TheMessageOfAFailedSaveIsShownAndTheRankingStillFollows) {
    DerbyApp app;
    // A folder where the file should be: the write cannot succeed.
    QDir().mkpath(app.PlayerPath("DATA/Heat"));
    RaceScreen* race = OpenRace(app, 1);
    StartPlay(race);
    FinishAndSettle(race);
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].text, "レースの結果を保存できませんでした（書き込みできません）。");
    EXPECT_EQ(app.nav.LastShown(), Screen::RankingKeyDerby);
}

TEST(Race, FinishStopsTheOrderAndKeysUntilSettled) {
    DerbyApp app;
    app.g.musicOn = true;
    RaceScreen* race = OpenRace(app, 1);
    StartPlay(race);
    TypeCorrect(race, kKeysToFinishAtStep10);
    EXPECT_EQ(DisplayText(race), "Finish!!");
    EXPECT_EQ(DisplayColor(race), QColor(0, 255, 0));
    EXPECT_EQ(Find<QLabel>(race, "questionText")->text(), "");
    EXPECT_EQ(app.audio.playing, "");
    EXPECT_FALSE(FindTimer(race, "moveTimer")->Enabled());
    TypeWrong(race, 10);  // ignored: no power lost, no question
    EXPECT_EQ(Find<QLabel>(race, "powerValue")->text(), "100");
    EXPECT_EQ(app.g.derby.X(0), 590);
    Press(race, Qt::Key_Space);  // no countdown either
    EXPECT_EQ(DisplayText(race), "Finish!!");
}

TEST(Race, EscapeDuringFinishRestartsAndNothingIsSettled) {
    DerbyApp app;
    RaceScreen* race = OpenRace(app, 1);
    StartPlay(race);
    TypeCorrect(race, kKeysToFinishAtStep10);
    Press(race, Qt::Key_Escape);
    EXPECT_EQ(Fire(race, "finishTimer"), 0);
    EXPECT_EQ(DisplayText(race), "スペースでスタート");
    EXPECT_EQ(app.g.derby.X(0), 0);
    EXPECT_EQ(app.g.derby.Heat(), 1);
    EXPECT_TRUE(app.HeatFile().isEmpty());
    EXPECT_EQ(app.nav.LastShown(), Screen::KeyDerby);
}

TEST(Race, BackspaceReturnsToTheSelectionWithItsMusicPlaying) {
    DerbyApp app;
    app.g.musicOn = true;
    RaceScreen* race = OpenRace(app, 2, 12);
    StartPlay(race);
    ASSERT_EQ(app.audio.playing, "heat1.mid");
    Press(race, Qt::Key_Backspace);
    EXPECT_EQ(app.nav.LastShown(), Screen::SelectChara);
    EXPECT_EQ(app.audio.playing, "back.mid");
    EXPECT_EQ(app.g.derby.Heat(), 2);
}

TEST(Race, TheCloseBoxLeadsToTheSelection) {
    DerbyApp app;
    RaceScreen* race = OpenRace(app, 1);
    StartPlay(race);
    race->close();
    EXPECT_EQ(app.nav.LastShown(), Screen::SelectChara);
    EXPECT_GE(app.audio.calls.count("StopMidi"), 1);
}

TEST(Race, HeatFiveWonLeadsToTheBoss) {
    DerbyApp app;
    RaceScreen* race = OpenRace(app, 5, 41);
    StartPlay(race);
    FinishAndSettle(race);
    EXPECT_EQ(app.HeatFile(), Record("00 00 06 00") + Record("29 00"));
    auto* ranking = app.Current<RaceRankingScreen>();
    ASSERT_TRUE(ranking);
    ranking->ShowNextHeat();
    auto* info = app.Current<HeatInfoScreen>();
    ASSERT_TRUE(info);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(info->heatNames[i]->text(), i == 2 ? "BOSS!!" : "") << i;
    EXPECT_EQ(ForeColor(info->heatNames[2]), QColor(255, 255, 0));
    Fire(info, "timeoutTimer");
    EXPECT_EQ(app.nav.LastShown(), Screen::Boss);
}

TEST(Race, AnImpossibleCoQualifierFromADamagedFileIsReplaced) {
    struct Case {
        int heat;
        int stored;
        int raced;
    };
    // 99 has no picture, 31 cannot have come through heat 2, 0 is a missing record.
    const Case cases[] = {{2, 99, 12}, {3, 31, 21}, {5, 0, 41}, {4, 12, 12}, {5, 13, 13}};
    for (const Case& c : cases) {
        DerbyApp app;
        OpenRace(app, c.heat, c.stored);
        EXPECT_EQ(app.g.derby.Character(1), c.raced) << "heat " << c.heat << " stored " << c.stored;
    }
}

TEST(Race, AStepOfTheBallsRepaintsTheBallsNotTheLaneLines) {
    // Fault guarded: the four lane lines drawn again with every step, so the whole track was
    // painted ten times a second (at 200 % all of it, four times the pixels).
    DerbyApp app;
    RaceScreen* race = OpenRace(app, 1);
    ASSERT_TRUE(race);
    auto* ground = Find<QWidget>(race, QStringLiteral("track"));
    StartPlay(race);
    const QImage before = static_cast<DrawingArea*>(ground)->Canvas();
    PaintRecorder paints;
    paints.Settle();
    Ticks(app, race, {0.0f, 0.0f, 0.0f}, 1);
    PaintRecorder::Flush();
    const QRegion painted = paints.Painted(ground);
    EXPECT_FALSE(painted.isEmpty());
    // The four balls near the start, each its old and new rectangle (a step is a pixel here).
    EXPECT_LE(PaintRecorder::Area(painted), 4 * 66 * 66) << PaintRecorder::Text(painted);
    EXPECT_FALSE(painted.intersects(QRect(100, 0, 540, 270))) << PaintRecorder::Text(painted);
    // The lines are still there, under the balls that moved.
    const QImage after = static_cast<DrawingArea*>(ground)->Canvas();
    const qreal dpr = after.devicePixelRatio();
    for (int y : RaceScreen::kLaneLineY)
        EXPECT_EQ(after.pixelColor(int(300 * dpr), int(y * dpr)),
                  before.pixelColor(int(300 * dpr), int(y * dpr)))
            << y;
    EXPECT_EQ(after.pixelColor(int(300 * dpr), int(66 * dpr)), QColor(Qt::white));
}

}  // namespace
}  // namespace kd::test
