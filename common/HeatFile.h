#pragma once
#include "common/GameState.h"
#include "common/HeatRules.h"

namespace kd {

// DATA/Heat: record 1 = the heat's memo (text) then its number; record 2 = the co-qualifier's
// character number.

// Reads both records into g.derby (the file is created empty when missing); a heat number
// outside 1 to the boss's is brought into that range.
void LoadHeat(GameState& g);
// Writes record 1 (the heat's memo and number) / record 2 (the co-qualifier).
[[nodiscard]] bool SaveHeatRecord(const GameState& g);
[[nodiscard]] bool SaveCoQualifierRecord(const GameState& g);

// Keeps a heat settled by g.derby: a player who went through is stored at the next heat, and
// the other one through as the next heat's opponent. False when a record could not be written
// (g.derby holds the outcome anyway).
[[nodiscard]] bool KeepHeatSettlement(const GameState& g, const HeatSettlement& s);

}  // namespace kd
