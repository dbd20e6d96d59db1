#pragma once
#include "common/GameState.h"

namespace kd {

// DATA/Data: record 1 the music switch, record 2 the key sounds (16-bit, -1 on, 0 off).

// Reads both switches (the file is created empty when missing, so a new player starts with
// both off). Anything but -1 reads as off.
void LoadSoundSwitches(GameState& g);
// Writes record 1 and then record 2, each on its own.
[[nodiscard]] bool SaveSoundSwitches(const GameState& g);

// Starts a piece from the Midi folder when the music is on.
void PlayMusic(GameState& g, const QString& midiName);
// Stops the music before another screen starts its own (nothing plays while it is off).
void StopMusic(GameState& g);

}  // namespace kd
