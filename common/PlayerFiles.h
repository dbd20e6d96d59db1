#pragma once
#include <QString>

namespace kd {

class GameState;

// Where the current player's files live: <program folder>/<player>/DATA/<file>. Screens name
// a file through these and never spell a path.
QString PlayerDataFolder(const GameState& g);
QString SoundSwitchesPath(const GameState& g);     // DATA/Data
QString TimeTrialGenrePath(const GameState& g);    // DATA/gen
QString TimeTrialRankingPath(const GameState& g);  // DATA/TimeTrialData
QString DerbyGenrePath(const GameState& g);        // DATA/genderby
QString HeatPath(const GameState& g);              // DATA/Heat
// The learning record beside the DATA folder: <program folder>/<player>/learning.sqlite.
constexpr const char* kLearningRecordFile = "learning.sqlite";
QString LearningRecordPath(const GameState& g);

// Makes the player's folder and its DATA folder where missing (the folder can vanish while
// the program runs); false when they cannot be made.
bool MakePlayerDataFolder(const GameState& g);

}  // namespace kd
