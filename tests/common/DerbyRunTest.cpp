// The derby's run without a window: the heat's field, the moves, the line, the settlement,
// the power and the boss battle, as the race and boss screens rely on them.
#include <gtest/gtest.h>

#include "common/DerbyRun.h"
#include "platform/core/Random.h"

namespace kd {
namespace {

// The same random value for each lane still running, move after move.
void MoveOpponents(DerbyRun& run, ScriptedRandom& rnd, const std::array<float, 3>& perLane, int moves) {
    QList<float> script;
    for (int move = 0; move < moves; ++move) script << perLane[0] << perLane[1] << perLane[2];
    rnd.Script(script);
    for (int move = 0; move < moves; ++move) run.StepOpponents(rnd);
}

void StepPlayerHome(DerbyRun& run) {
    for (int key = 0; key < 1000; ++key)
        if (run.StepPlayer()) return;
    FAIL() << "the player never got home";
}

// A run at this heat with CrazyBallRed (step 10, miss cost 15) and this co-qualifier.
DerbyRun RunAt(int heat, int coQualifier = 0) {
    DerbyRun run;
    run.ChoosePlayer(PlayableCharacterOf(1));
    run.SetHeat(heat);
    run.SetCoQualifier(coQualifier);
    run.SetUpHeat();
    return run;
}

// Fault guarded: a damaged heat file's number sending the player to a heat that does not
// exist; a co-qualifier nobody could have beaten racing in lane 1.
TEST(DerbyRun, HeatsAndCoQualifiersFromADamagedFileAreBroughtIntoTheGame) {
    const std::array<std::array<int, 2>, 6> heats = {{{0, 1}, {-4, 1}, {3, 3}, {6, 6}, {9, 6}, {32767, 6}}};
    for (const auto& [stored, kept] : heats) {
        DerbyRun run;
        run.SetHeat(stored);
        EXPECT_EQ(run.Heat(), kept) << stored;
    }
    struct Case {
        int heat, stored;
        std::array<int, 3> lanes;
    };
    const Case cases[] = {{1, 0, {11, 12, 13}},  {2, 99, {12, 21, 22}}, {3, 31, {21, 31, 32}},
                          {4, 12, {12, 41, 42}}, {5, 0, {41, 51, 52}},  {5, 13, {13, 51, 52}}};
    for (const Case& c : cases) {
        const DerbyRun run = RunAt(c.heat, c.stored);
        for (int lane = 1; lane <= 3; ++lane)
            EXPECT_EQ(run.Character(lane), c.lanes[lane - 1]) << "heat " << c.heat << " lane " << lane;
        EXPECT_EQ(run.Character(0), 1);
    }
}

// Fault guarded: a retry or the next heat starting with the last race's positions, finishing
// order or spent power.
TEST(DerbyRun, SettingUpAHeatStartsEveryoneAfreshWithFullPower) {
    DerbyRun run = RunAt(1);
    ScriptedRandom rnd;
    MoveOpponents(run, rnd, {0.999f, 0.0f, 0.0f}, 146);
    for (int miss = 0; miss < 5; ++miss) run.Miss();
    ASSERT_TRUE(run.Power().Low());
    StepPlayerHome(run);
    ASSERT_EQ(run.Settle().place, 2);
    ASSERT_EQ(run.Heat(), 2);

    run.SetUpHeat();
    EXPECT_EQ(run.Plan().step, 2);
    EXPECT_EQ(run.Plan().randomRange, 4);
    EXPECT_EQ((std::array<int, 4>{run.Character(0), run.Character(1), run.Character(2), run.Character(3)}),
              (std::array<int, 4>{1, 11, 21, 22}));
    for (int lane = 0; lane < DerbyRun::kLanes; ++lane) {
        EXPECT_EQ(run.X(lane), 0) << lane;
        EXPECT_FALSE(run.Home(lane)) << lane;
    }
    EXPECT_EQ(run.FinishOrder(), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(run.NextPlace(), 1);
    EXPECT_EQ(run.Power().Left(), 100);
    EXPECT_FALSE(run.Power().Low());
}

// Fault guarded: Int() rounding up (0.999 x 6 giving 6), a lane missing its step, a move
// without a new seed or drawing more than one number a lane.
TEST(DerbyRun, AnOpponentMovesItsStepPlusIntOfRangeTimesR) {
    DerbyRun run = RunAt(4, 13);  // step 3, range 6
    ScriptedRandom rnd;
    MoveOpponents(run, rnd, {0.0f, 0.5f, 0.999f}, 4);
    EXPECT_EQ(run.X(1), 4 * 3);
    EXPECT_EQ(run.X(2), 4 * 6);
    EXPECT_EQ(run.X(3), 4 * 8);
    EXPECT_EQ(run.X(0), 0);
    EXPECT_EQ(rnd.reseedCalls, 4);
    EXPECT_EQ(rnd.drawn, 12);
}

// Fault guarded: an opponent already home still drawing a number, which shifts every later
// lane's move; opponents crossing on one move ranked by distance instead of lane order.
TEST(DerbyRun, OpponentsHomeStopDrawNothingAndTiesGoInLaneOrder) {
    DerbyRun run = RunAt(1);
    ScriptedRandom rnd;
    // 4 px a move: lanes 1 and 3 cross together on move 146 (584); lane 2 crawls 1 px.
    MoveOpponents(run, rnd, {0.999f, 0.0f, 0.999f}, 145);
    EXPECT_FALSE(run.Home(1));
    MoveOpponents(run, rnd, {0.999f, 0.0f, 0.999f}, 1);
    EXPECT_EQ(run.FinishOrder(), (std::array<int, 4>{11, 13, 0, 0}));
    EXPECT_EQ(run.NextPlace(), 3);
    rnd.Script({0.5f});
    const int drawn = rnd.drawn;
    run.StepOpponents(rnd);
    EXPECT_EQ(rnd.drawn - drawn, 1);
    EXPECT_EQ(run.X(1), 584);
    EXPECT_EQ(run.X(2), 146 + 3);
    EXPECT_EQ(run.X(3), 584);
}

// Fault guarded: the line counted a step early or late (home at 580, or only past 582).
TEST(DerbyRun, ThePlayerIsHomeOnTheStepThatReachesTheLine) {
    const std::array<std::array<int, 2>, 5> keysHome = {{{1, 59}, {2, 97}, {3, 146}, {4, 73}, {5, 84}}};
    for (const auto& [chara, keys] : keysHome) {
        DerbyRun run;
        run.ChoosePlayer(PlayableCharacterOf(chara));
        run.SetUpHeat();
        for (int key = 1; key < keys; ++key) ASSERT_FALSE(run.StepPlayer()) << chara << " key " << key;
        EXPECT_TRUE(run.StepPlayer()) << chara;
        EXPECT_EQ(run.X(0), keys * PlayableCharacterOf(chara).step);
        EXPECT_GE(run.X(0), DerbyRun::kFinishX);
    }
}

// Fault guarded: the heat moving on, or lane 1's co-qualifier overwritten, for a player who
// did not go through; the place or order lost before the ranking shows them.
TEST(DerbyRun, SettlingMovesOnFirstAndSecondOnlyAndPutsTheOtherOneThrough) {
    struct Case {
        std::array<float, 3> perLane;  // 0.999: home after 117 moves at 5 px; 0: 2 px a move
        int place;
        std::array<int, 4> order;
        int heat, coQualifier;
    };
    const Case cases[] = {
        {{0.0f, 0.0f, 0.0f}, 1, {1, 12, 21, 22}, 3, 12},
        {{0.0f, 0.999f, 0.0f}, 2, {21, 1, 12, 22}, 3, 21},
        {{0.999f, 0.0f, 0.999f}, 3, {12, 22, 1, 21}, 2, 12},
        {{0.999f, 0.999f, 0.999f}, 4, {12, 21, 22, 1}, 2, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.place);
        DerbyRun run = RunAt(2, 12);
        ScriptedRandom rnd;
        MoveOpponents(run, rnd, c.perLane, 117);
        StepPlayerHome(run);
        const HeatSettlement s = run.Settle();
        EXPECT_EQ(s.place, c.place);
        EXPECT_EQ(s.advances, c.place <= 2);
        EXPECT_EQ(run.Place(), c.place);
        EXPECT_EQ(run.FinishOrder(), c.order);
        EXPECT_EQ(run.Heat(), c.heat);
        EXPECT_EQ(run.CoQualifier(), c.coQualifier);
        for (int lane = 0; lane < DerbyRun::kLanes; ++lane) EXPECT_TRUE(run.Home(lane)) << lane;
    }
}

// Fault guarded: red at 30 instead of below 31, out only below 0, the display reading below 0,
// or the miss that uses the power up turning it red.
TEST(DerbyRun, PowerIsLowBelowThirtyOneAndOutAtZero) {
    struct Case {
        int missCost, misses, left;
        bool low, out;
    };
    const Case cases[] = {
        {23, 3, 31, false, false}, {14, 5, 30, true, false}, {25, 4, 0, true, true},
        {2, 49, 2, true, false},   {2, 50, 0, true, true},   {60, 2, 0, false, true},
    };
    for (const Case& c : cases) {
        PlayerPower power;
        bool out = false;
        for (int miss = 0; miss < c.misses; ++miss) out = power.Miss(c.missCost);
        const auto trace = ::testing::Message() << "cost " << c.missCost << " x" << c.misses;
        EXPECT_EQ(out, c.out) << trace;
        EXPECT_EQ(power.Out(), c.out) << trace;
        EXPECT_EQ(power.Left(), c.left) << trace;
        EXPECT_EQ(power.Low(), c.low) << trace;
        power.Restore();
        EXPECT_EQ(power.Left(), 100);
        EXPECT_FALSE(power.Low());
    }
    // The run charges the chosen character's miss cost: CrazyBallRed is out on the 7th.
    DerbyRun run = RunAt(1);
    for (int miss = 1; miss <= 6; ++miss) ASSERT_FALSE(run.Miss()) << miss;
    EXPECT_EQ(run.Power().Left(), 10);
    EXPECT_TRUE(run.Miss());
}

// A boss battle with this playable character.
DerbyRun BossRun(int chara) {
    DerbyRun run;
    run.ChoosePlayer(PlayableCharacterOf(chara));
    run.SetUpBoss();
    return run;
}

// Fault guarded: the boss's step rounded half up or worked out in double precision, a new
// seed per move (the race's rule, not the boss's), or the boss scoring short of the post.
TEST(DerbyRun, TheBossStepsRoundedHalfToEvenAndScoresAtThePost) {
    const DerbyRun fresh = BossRun(3);
    EXPECT_EQ(fresh.Arena().bossX, 635);
    EXPECT_EQ(fresh.Arena().playerX, 0);
    EXPECT_EQ(fresh.Arena().postX, 300);
    EXPECT_EQ(fresh.Arena().playerStep, 4);
    EXPECT_EQ(fresh.Arena().balls, (std::array<int, 2>{0, 0}));
    // 17 r = 0.5 and 1.5 land on halves: 634.5 and 633.5 both go to 634.
    const std::array<std::pair<float, int>, 5> steps = {
        {{0.0f, 635}, {0.02f, 635}, {1.0f / 34, 634}, {3.0f / 34, 634}, {0.999f, 618}}};
    for (const auto& [r, x] : steps) {
        DerbyRun run = BossRun(3);
        ScriptedRandom rnd;
        rnd.Script({r});
        EXPECT_FALSE(run.StepBoss(rnd));
        EXPECT_EQ(run.Arena().bossX, x) << r;
        EXPECT_EQ(rnd.reseedCalls, 0);
    }
    // At 0.999 the boss runs 16.983 px a move: past the post's 390 on the 15th.
    DerbyRun run = BossRun(3);
    ScriptedRandom rnd;
    rnd.Script({0.999f});
    for (int move = 1; move < 15; ++move) run.StepBoss(rnd);
    EXPECT_EQ(run.Arena().balls[1], 0);
    EXPECT_GE(run.Arena().bossX, 390);
    run.StepBoss(rnd);
    EXPECT_EQ(run.Arena().balls[1], 1);
    EXPECT_EQ(run.Arena().bossX, 635);
}

// Fault guarded: the player's ball counted short of or past the post (246), or the battle
// given to whoever reaches five balls second.
TEST(DerbyRun, FiveBallsWinTheBossBattleForWhoeverGetsThemFirst) {
    const std::array<std::array<int, 2>, 5> keysPerBall = {{{1, 25}, {2, 41}, {3, 62}, {4, 31}, {5, 36}}};
    for (const auto& [chara, keys] : keysPerBall) {
        DerbyRun run = BossRun(chara);
        for (int key = 1; key < keys; ++key) run.StepPlayerAtBoss();
        EXPECT_EQ(run.Arena().balls[0], 0) << chara;
        run.StepPlayerAtBoss();
        EXPECT_EQ(run.Arena().balls[0], 1) << chara;
        EXPECT_EQ(run.Arena().playerX, 0) << chara;
    }
    for (const bool bossFirst : {true, false}) {
        SCOPED_TRACE(bossFirst ? "boss first" : "player first");
        DerbyRun run = BossRun(1);
        ScriptedRandom rnd;
        rnd.Script({0.999f});
        for (int key = 0; key < 4 * 25; ++key) ASSERT_FALSE(run.StepPlayerAtBoss());
        for (int move = 0; move < 4 * 15; ++move) ASSERT_FALSE(run.StepBoss(rnd));
        ASSERT_EQ(run.Arena().balls, (std::array<int, 2>{4, 4}));
        bool won = false;
        if (bossFirst) {
            for (int move = 0; move < 15; ++move) won = run.StepBoss(rnd);
            EXPECT_TRUE(won);
            for (int key = 0; key < 25; ++key) EXPECT_FALSE(run.StepPlayerAtBoss());
        } else {
            for (int key = 0; key < 25; ++key) won = run.StepPlayerAtBoss();
            EXPECT_TRUE(won);
        }
    }
}

}  // namespace
}  // namespace kd
