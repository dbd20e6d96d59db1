#include <gtest/gtest.h>

#include "common/HeatRules.h"

namespace kd {
namespace {

// Player 1 in lane 0, opponents 11, 12, 13 in lanes 1-3.
TEST(HeatRules, PlaceNextHeatAndCoQualifier) {
    const std::array<int, 4> lanes = {1, 11, 12, 13};
    const struct {
        int nextRank;
        std::array<int, 4> home;       // finish order before the player
        std::array<bool, 4> finished;  // lanes home before the player
        int place;
        std::array<int, 4> order;
        bool advances;
        int coQualifier;
    } rows[] = {
        {1, {0, 0, 0, 0}, {false, false, false, false}, 1, {1, 11, 12, 13}, true, 11},
        {2, {12, 0, 0, 0}, {false, false, true, false}, 2, {12, 1, 11, 13}, true, 12},
        {3, {13, 11, 0, 0}, {false, true, false, true}, 3, {13, 11, 1, 12}, false, 0},
        {4, {13, 12, 11, 0}, {false, true, true, true}, 4, {13, 12, 11, 1}, false, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.place);
        const HeatSettlement s = SettleHeat(r.nextRank, r.home, r.finished, lanes);
        EXPECT_EQ(s.place, r.place);
        EXPECT_EQ(s.finishOrder, r.order);
        EXPECT_EQ(s.advances, r.advances);
        EXPECT_EQ(s.coQualifier, r.coQualifier);
        EXPECT_EQ(s.finished, (std::array<bool, 4>{true, true, true, true}));
    }
}

}  // namespace
}  // namespace kd
