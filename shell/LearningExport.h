#pragma once
#include <QString>
#include <functional>

class QWidget;

namespace kd {

struct AppContext;

// Asks where to save a file: the chosen path, or "" when the player cancels. A file dialog in
// the program; tests put their own answer here.
using SaveFileChooser = std::function<QString(QWidget* parent, const QString& suggestedPath)>;
SaveFileChooser& ExportFileChooser();

// ファイル → 学習記録の書き出し: the player's games and keys as CSV, with a message either way.
void ExportLearningRecord(AppContext& ctx, QWidget* parent);

}  // namespace kd
