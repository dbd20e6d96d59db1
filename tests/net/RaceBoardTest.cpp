// The host's rules of a race: positions from counts, finishing order, power, leaving, the end.
#include <gtest/gtest.h>

#include "net/RaceBoard.h"
#include "platform/core/Random.h"

namespace kd::net {
namespace {

std::array<StartLane, kLaneCount> Field(int humans) {
    std::array<StartLane, kLaneCount> lanes;
    const int charas[] = {1, 3, 4, 2};
    for (int i = 0; i < kLaneCount; ++i)
        lanes[i] = i < humans ? StartLane{LaneKind::Human, QStringLiteral("p%1").arg(i), charas[i]}
                              : StartLane{LaneKind::Computer, QStringLiteral("c%1").arg(i), 11 + (i % 3)};
    return lanes;
}

int KeysToFinish(int chara) {
    const int step = PlayableCharacterOf(chara).step;
    return (kFinishX + step - 1) / step;
}

TEST(NetRaceBoard, PlacesFollowTheOrderTheLineIsCrossed) {
    RaceBoard b;
    b.Begin(Field(4), 1, 1000);
    // Lane 2 (Mouse, step 8) crosses first, lane 0 (CrazyBallRed, step 10) next, then lane 1.
    b.PlayerCounts(2, KeysToFinish(4), 0, 20000);
    b.PlayerCounts(0, KeysToFinish(1) - 1, 2, 20010);
    EXPECT_EQ(b.State(0), LaneState::Racing);
    b.PlayerCounts(0, KeysToFinish(1), 2, 20100);
    b.PlayerCounts(1, KeysToFinish(3), 5, 30000);
    EXPECT_FALSE(b.Over(30000));
    b.PlayerCounts(3, 10, 0, 31000);
    b.Drop(3, 31000);
    ASSERT_TRUE(b.Over(31000));
    const Result r = b.Settle(31000);
    const int lanes[] = {2, 0, 1, 3};
    for (int place = 0; place < 4; ++place) {
        EXPECT_EQ(r.rows[place].lane, lanes[place]);
        EXPECT_EQ(r.rows[place].place, place + 1);
    }
    EXPECT_EQ(r.rows[0].ms, 19000);
    EXPECT_EQ(r.rows[1].misses, 2);
    EXPECT_EQ(r.rows[3].state, LaneState::Gone);
}

TEST(NetRaceBoard, CountsNeverGoBackAndAPositionIsWhatWasTyped) {
    RaceBoard b;
    b.Begin(Field(2), 1, 0);
    b.PlayerCounts(1, 50, 3, 100);
    EXPECT_EQ(b.X(1), 50 * PlayableCharacterOf(3).step);
    b.PlayerCounts(1, 10, 0, 200);  // late or forged: the lane stays where it was
    EXPECT_EQ(b.X(1), 50 * PlayableCharacterOf(3).step);
    b.PlayerCounts(2, 500, 0, 300);  // a computer lane is the host's alone
    EXPECT_EQ(b.X(2), 0);
    b.PlayerCounts(1, kMaxCount, 0, 400);
    EXPECT_LE(b.X(1), kMaxTrackX);
    EXPECT_EQ(b.State(1), LaneState::Finished);
}

TEST(NetRaceBoard, PowerRunsOutAtTheCharactersMissBudget) {
    const struct { int chara, missesToLose; } cases[] = {{1, 7}, {2, 20}, {3, 50}, {4, 13}, {5, 15}};
    for (const auto& c : cases) {
        auto lanes = Field(1);
        lanes[0].chara = c.chara;
        RaceBoard b;
        b.Begin(lanes, 1, 0);
        b.PlayerCounts(0, 3, c.missesToLose - 1, 10);
        EXPECT_EQ(b.State(0), LaneState::Racing) << c.chara;
        b.PlayerCounts(0, 3, c.missesToLose, 20);
        EXPECT_EQ(b.State(0), LaneState::Out) << c.chara;
        EXPECT_TRUE(b.Over(20));
    }
}

TEST(NetRaceBoard, ComputersCrossingOnOneTickRankInLaneOrderBehindEarlierFinishers) {
    RaceBoard b;
    b.Begin(Field(1), 1, 0);
    ScriptedRandom rnd;
    rnd.Script({0.99f});
    int ticks = 0;
    while (b.State(1) == LaneState::Racing && ticks < 1000) {
        b.ComputerTick(rnd, 150 * ++ticks);
    }
    EXPECT_EQ(b.State(2), LaneState::Finished);
    EXPECT_EQ(b.State(3), LaneState::Finished);
    b.PlayerCounts(0, KeysToFinish(1), 0, 150 * ticks + 1);
    const Result r = b.Settle(150 * ticks + 1);
    EXPECT_EQ(r.rows[0].lane, 1);
    EXPECT_EQ(r.rows[1].lane, 2);
    EXPECT_EQ(r.rows[2].lane, 3);
    EXPECT_EQ(r.rows[3].lane, 0);
}

TEST(NetRaceBoard, SlowPlayersGetThirtySecondsAfterTheFirstPlayerFinishes) {
    RaceBoard b;
    b.Begin(Field(3), 1, 0);
    b.PlayerCounts(1, 10, 0, 500);
    b.PlayerCounts(2, 30, 0, 500);
    b.PlayerCounts(0, KeysToFinish(1), 0, 10000);
    EXPECT_FALSE(b.Over(10000 + kLastCallMs - 1));
    ASSERT_TRUE(b.Over(10000 + kLastCallMs));
    const Result r = b.Settle(10000 + kLastCallMs);
    EXPECT_EQ(r.rows[0].lane, 0);
    // Still running: by distance (lane 2 at 240 px, lane 1 at 40 px), computer
    // lane 3 at 0 last of them.
    EXPECT_EQ(r.rows[1].lane, 2);
    EXPECT_EQ(r.rows[2].lane, 1);
    EXPECT_EQ(r.rows[3].lane, 3);
    EXPECT_EQ(r.rows[2].ms, 10000 + kLastCallMs);
}

}  // namespace
}  // namespace kd::net
