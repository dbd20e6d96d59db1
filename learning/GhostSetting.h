#pragma once
#include <QSqlDatabase>
#include <QString>
#include <optional>

namespace kd {

class GameState;
struct PlayedGame;

// Per-player option kept in the learning record's settings: "1" when the ghost races.
inline const QString kGhostSetting = QStringLiteral("ghost");

// Off when there is no record (no player, a damaged or missing file) or it was never set.
bool GhostSwitchedOn(const GameState& g);
// False when the record cannot be written; the option then stays as it was.
bool SwitchGhost(const GameState& g, bool on);

// The current player's open record, for reading played games; invalid when there is none.
QSqlDatabase LearningDatabase(const GameState& g);

// The player's best time trial of a genre with its keys; nullopt when there is none.
std::optional<PlayedGame> LoadBestTimeTrial(const GameState& g, const QString& genre);

}  // namespace kd
