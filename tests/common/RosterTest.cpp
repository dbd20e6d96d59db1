#include <gtest/gtest.h>

#include "common/Roster.h"

namespace kd {
namespace {

// Fault guarded: a heat naming a character nobody introduced (no picture, no name), or the
// roll call losing the playable cast's order.
TEST(Roster, EveryoneWhoRacesIsInTheRollCallAfterThePlayableCast) {
    QList<int> called;
    for (const RollCallEntry& e : RollCall()) called << e.number;
    for (size_t i = 0; i < PlayableCast().size(); ++i)
        EXPECT_EQ(called[qsizetype(i)], PlayableCast()[i].number);
    for (int heat = 1; heat <= kLastRaceHeat; ++heat)
        for (int number : HeatPlanOf(heat).laneCharacters)
            if (number != 0) EXPECT_TRUE(called.contains(number)) << "heat " << heat << ": " << number;
}

// Fault guarded: a number from the network or a damaged file reading past the cast; a
// co-qualifier accepted from a heat still to come.
TEST(Roster, NumbersFromOutsideAreBroughtIntoTheCast) {
    const std::array<std::array<int, 2>, 5> playable = {{{-3, 1}, {0, 1}, {3, 3}, {5, 5}, {12, 5}}};
    for (const auto& [number, found] : playable)
        EXPECT_EQ(PlayableCharacterOf(number).number, found) << number;
    EXPECT_EQ(&HeatPlanOf(0), &HeatPlanOf(1));
    EXPECT_EQ(&HeatPlanOf(kBossHeat), &HeatPlanOf(kLastRaceHeat));
    struct Case {
        int heat, number;
        bool possible;
    };
    const Case cases[] = {{2, 11, true},  {2, 21, false}, {3, 13, true}, {3, 22, true},
                          {3, 31, false}, {5, 42, true},  {2, 0, false}, {1, 11, false}};
    for (const Case& c : cases)
        EXPECT_EQ(IsPossibleCoQualifier(c.heat, c.number), c.possible) << c.heat << " " << c.number;
    const std::array<std::array<int, 2>, 4> fallbacks = {{{2, 12}, {3, 21}, {4, 31}, {5, 41}}};
    for (const auto& [heat, number] : fallbacks) EXPECT_EQ(FallbackCoQualifier(heat), number) << heat;
}

}  // namespace
}  // namespace kd
