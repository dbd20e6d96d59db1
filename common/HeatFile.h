#pragma once
#include "common/GameState.h"
#include "common/HeatRules.h"

namespace kd {

// DATA/Heat: record 1 = HeatMemo (text) then HeatNo; record 2 = the co-qualifier's CharaNo.

// Reads both records into g.Heat and g.Chara[1].CharaNo (the file is created empty when
// missing); a HeatNo of 0 becomes 1.
void LoadHeat(GameState& g);
// Writes record 1 (the whole Heat record) / record 2 (g.Chara[1].CharaNo).
[[nodiscard]] bool SaveHeatRecord(const GameState& g);
[[nodiscard]] bool SaveCoQualifierRecord(const GameState& g);

// Keeps a settled heat: the finishing order and the player's place text in g; a player who
// goes through moves on to the next heat, and the other one through is stored as the next
// heat's opponent. False when a record could not be written (g holds the outcome anyway).
[[nodiscard]] bool KeepHeatSettlement(GameState& g, const HeatSettlement& s);

}  // namespace kd
