#pragma once

class QAction;
class QMenu;
class QWidget;

namespace kd {

struct AppContext;

// Adds クラスに参加(&J)... and クラスの成績(&C)... to a ファイル menu, after `after`.
void AddClassItems(QMenu* file, QAction* after, AppContext& ctx, QWidget* owner);
// What the items do.
void OpenJoinClassDialog(AppContext& ctx, QWidget* owner);
void OpenTeacherLogin(AppContext& ctx, QWidget* owner);

}  // namespace kd
