#pragma once
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace kd {

struct AppContext;
class GameState;

// Adds ローマ字ガイド(&R) to a 表示 menu: the guide line on every play screen (per player, off
// for a new one).
QAction* AddRomajiGuideItem(QMenu* view, GameState& g);

// Asks which question file to read: the chosen path, or "" when the player cancels. A file
// dialog in the program; tests put their own answer here.
using OpenFileChooser = std::function<QString(QWidget* parent)>;
OpenFileChooser& QuestionFileChooser();

// Adds 問題集の読み込み(&I)... to a ファイル menu, after `after`: a question file read into the
// player's record as a set the practice can play, with a report of every line it refused.
QAction* AddImportItem(QMenu* file, QAction* after, AppContext& ctx, QWidget* owner);
// What the item does.
void ImportQuestionSet(AppContext& ctx, QWidget* owner);

}  // namespace kd
