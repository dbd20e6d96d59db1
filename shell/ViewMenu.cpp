#include "shell/ViewMenu.h"

#include <QAction>
#include <QMenu>

#include "common/GameState.h"
#include "learning/GhostSetting.h"
#include "stats/ReplayWindow.h"

namespace kd {

void AddGhostAndReplayItems(QMenu* view, GameState& g, QWidget* owner) {
    view->addSeparator();
    QAction* ghost = view->addAction(QStringLiteral("ゴースト(&G)"));
    ghost->setObjectName(QStringLiteral("ghostAction"));
    ghost->setCheckable(true);
    QAction* replay = view->addAction(QStringLiteral("記録の再生(&P)"));
    replay->setObjectName(QStringLiteral("replayAction"));
    // The player can change between two openings of the menu; the mark follows the record.
    QObject::connect(view, &QMenu::aboutToShow, ghost,
                     [ghost, &g] { ghost->setChecked(GhostSwitchedOn(g)); });
    QObject::connect(ghost, &QAction::triggered, ghost, [ghost, &g](bool on) {
        if (!SwitchGhost(g, on)) ghost->setChecked(!on);
    });
    QObject::connect(replay, &QAction::triggered, owner, [&g, owner] { stats::OpenReplayList(g, owner); });
}

}  // namespace kd
