#pragma once
#include <array>

namespace kd {

// How a heat ends once the player crosses the line.
struct HeatSettlement {
    int place = 0;                     // the player's place, 1-4
    std::array<int, 4> finishOrder{};  // character numbers in finishing order
    std::array<bool, 4> finished{};    // lanes placed (0 the player)
    bool advances = false;             // first or second: on to the next heat
    int coQualifier = 0;               // the other one through (0: none to store)
};

// The player is placed behind the opponents already home (nextRank is the place the next
// arrival takes); unless last, whoever is still running is placed behind the player in
// lane order. laneCharacters: character numbers by lane, 0 the player.
HeatSettlement SettleHeat(int nextRank, std::array<int, 4> finishOrder, std::array<bool, 4> finished,
                          const std::array<int, 4>& laneCharacters);

}  // namespace kd
