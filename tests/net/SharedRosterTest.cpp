// The derby and the network race read one roster: a character runs and tires alike in both,
// and the computer lanes of a network race are the derby's first heat.
#include "NetKit.h"
#include "common/DerbyRun.h"
#include "common/Roster.h"
#include "net/RaceBoard.h"
#include "platform/core/Random.h"

namespace kd::net::test {
namespace {

// This character alone in lane 0 against the host's computer lanes.
std::array<StartLane, kLaneCount> AloneAgainstComputers(int chara) {
    std::array<StartLane, kLaneCount> lanes;
    lanes[0] = {LaneKind::Human, QStringLiteral("p"), chara};
    for (int lane = 1; lane < kLaneCount; ++lane)
        lanes[lane] = {LaneKind::Computer, QStringLiteral("c"), kComputerField.laneCharacters[lane - 1]};
    return lanes;
}

// Fault guarded: the network race keeping a copy of the playable characters of its own, so
// a change to the derby's leaves a network player with another step or miss cost.
TEST(SharedRoster, EachPlayableCharacterRunsAndTiresAlikeInBothRaces) {
    for (const PlayableCharacter& c : PlayableCast()) {
        SCOPED_TRACE(c.name.toStdString());
        DerbyRun run;
        run.ChoosePlayer(c);
        run.SetUpHeat();
        int keysHome = 1;
        while (!run.StepPlayer()) ++keysHome;
        int missesOut = 1;
        while (!run.Miss()) ++missesOut;

        RaceBoard running;
        running.Begin(AloneAgainstComputers(c.number), 1, 0);
        running.PlayerCounts(0, keysHome - 1, 0, 10);
        EXPECT_EQ(running.State(0), LaneState::Racing);
        running.PlayerCounts(0, keysHome, 0, 20);
        EXPECT_EQ(running.State(0), LaneState::Finished);
        EXPECT_EQ(running.X(0), run.X(0));

        RaceBoard tiring;
        tiring.Begin(AloneAgainstComputers(c.number), 1, 0);
        tiring.PlayerCounts(0, 0, missesOut - 1, 10);
        EXPECT_EQ(tiring.State(0), LaneState::Racing);
        tiring.PlayerCounts(0, 0, missesOut, 20);
        EXPECT_EQ(tiring.State(0), LaneState::Out);
    }
}

// Fault guarded: the host's computer lanes drifting from the derby's first heat (other
// characters, step or range), so the same random numbers move them otherwise.
TEST(SharedRoster, TheHostsComputerLanesRunTheDerbysFirstHeat) {
    Room room;
    ASSERT_TRUE(room.host->StartRace());
    const std::array<StartLane, kLaneCount>& lanes = room.host->start().lanes;
    DerbyRun run;
    run.SetHeat(1);
    run.SetUpHeat();
    for (int lane = 1; lane < kLaneCount; ++lane) {
        EXPECT_EQ(lanes[lane].kind, LaneKind::Computer);
        EXPECT_EQ(lanes[lane].chara, run.Character(lane)) << "lane " << lane;
    }

    QList<float> values;
    for (int i = 0; i < 1000; ++i) values << float((i * 37) % 100) / 100.0f;
    ScriptedRandom derbyRnd, netRnd;
    derbyRnd.Script(values);
    netRnd.Script(values);
    RaceBoard board;
    board.Begin(lanes, 1, 0);
    for (int move = 1; !run.Home(1) || !run.Home(2) || !run.Home(3); ++move) {
        ASSERT_LT(move, 1000);
        run.StepOpponents(derbyRnd);
        board.ComputerTick(netRnd, 150 * move);
        for (int lane = 1; lane < kLaneCount; ++lane) {
            ASSERT_EQ(board.X(lane), run.X(lane)) << "lane " << lane << " move " << move;
            ASSERT_EQ(board.State(lane) == LaneState::Finished, run.Home(lane)) << "lane " << lane;
        }
    }
}

}  // namespace
}  // namespace kd::net::test
