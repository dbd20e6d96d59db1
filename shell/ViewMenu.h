#pragma once

class QMenu;
class QWidget;

namespace kd {

class GameState;

// Adds to the main menu's 表示(&D) menu ゴースト(&G): the player's best time trial races beside
// the ball (per player, off at first), and 記録の再生(&P): the list of recorded games to replay.
void AddGhostAndReplayItems(QMenu* view, GameState& g, QWidget* owner);

// Adds 入力方式(&I) with ローマ字入力(&R) (the default) and かな入力(&K): how the current player
// types readings, kept in the learning record. Returns the submenu.
QMenu* AddInputMethodItems(QMenu* view, GameState& g);

class MessageBoxes;

// Adds 言語(&L) with 日本語 and English to the 表示 menu. The choice is kept for the computer
// and takes effect at the next start; a box says so.
void AddLanguageItems(QMenu* view, MessageBoxes& msg, QWidget* owner);

}  // namespace kd
