#pragma once

namespace kd {
class GameState;
class LearningRecord;
class MessageBoxes;
class Navigator;

void RegisterAllScreens(Navigator& nav);

// Records every game in the player's learning record. Its troubles are told once, after the
// step that met them, never in the middle of a screen's own handling.
void AttachLearningRecord(GameState& g, LearningRecord& record, MessageBoxes& msg);
}  // namespace kd
