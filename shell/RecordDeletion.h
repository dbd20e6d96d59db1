#pragma once

namespace kd {

class GameState;

// Deletes every file in the current player's DATA folder (the folder itself stays; the
// player list and other players' folders are not touched) and the player's learning record.
// False when a file could not be deleted.
bool DeleteRecords(const GameState& g);

}  // namespace kd
