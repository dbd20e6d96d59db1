#pragma once

class QMenu;
class QMenuBar;
class QWidget;

namespace kd {

class GameState;

// The main menu's 表示(&D) menu, made on first use so that every option shown there shares it.
QMenu* ViewMenu(QMenuBar* bar);

// ゴースト(&G): the player's best time trial races beside the ball (per player, off at first);
// 記録の再生(&R): the list of recorded games to replay.
void AddGhostAndReplayItems(QMenuBar* bar, GameState& g, QWidget* owner);

}  // namespace kd
