#include "shell/ViewMenu.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

#include "common/GameState.h"
#include "learning/LearningFile.h"
#include "stats/ReplayWindow.h"

namespace kd {

namespace {

// The style measures an item without its "(&G)" but draws it with one; wide enough for both.
void FitWidth(QMenu* menu) {
    const QFontMetrics fm(menu->font());
    int widest = 0;
    for (const QAction* a : menu->actions())
        widest = std::max(widest, fm.horizontalAdvance(QString(a->text()).remove(u'&')));
    menu->setMinimumWidth(widest + 64);
}

}  // namespace

QMenu* ViewMenu(QMenuBar* bar) {
    if (auto* menu = bar->findChild<QMenu*>(QStringLiteral("mnuView"))) return menu;
    QMenu* menu = bar->addMenu(QStringLiteral("表示(&D)"));
    menu->setObjectName(QStringLiteral("mnuView"));
    return menu;
}

void AddGhostAndReplayItems(QMenuBar* bar, GameState& g, QWidget* owner) {
    QMenu* menu = ViewMenu(bar);
    QAction* ghost = menu->addAction(QStringLiteral("ゴースト(&G)"));
    ghost->setObjectName(QStringLiteral("mnuGhost"));
    ghost->setCheckable(true);
    QAction* replay = menu->addAction(QStringLiteral("記録の再生(&R)"));
    replay->setObjectName(QStringLiteral("mnuReplay"));
    FitWidth(menu);
    // The player can change between two openings of the menu; the mark follows the record.
    QObject::connect(menu, &QMenu::aboutToShow, ghost, [ghost, &g] {
        ghost->setChecked(ReadBoolSetting(LearningFilePath(g), kGhostSetting, false));
    });
    QObject::connect(ghost, &QAction::triggered, ghost, [ghost, &g](bool on) {
        if (!WriteBoolSetting(LearningFilePath(g), kGhostSetting, on)) ghost->setChecked(!on);
    });
    QObject::connect(replay, &QAction::triggered, owner, [&g, owner] { stats::OpenReplayList(g, owner); });
}

}  // namespace kd
