#include "shell/ViewMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "common/GameState.h"
#include "learning/GhostSetting.h"
#include "learning/KanaInput.h"
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

QMenu* AddInputMethodItems(QMenu* view, GameState& g) {
    QMenu* methods = view->addMenu(QStringLiteral("入力方式(&I)"));
    methods->setObjectName(QStringLiteral("inputMethodMenu"));
    auto* group = new QActionGroup(methods);
    group->setExclusive(true);
    QAction* romaji = methods->addAction(QStringLiteral("ローマ字入力(&R)"));
    romaji->setObjectName(QStringLiteral("romajiInputAction"));
    QAction* kana = methods->addAction(QStringLiteral("かな入力(&K)"));
    kana->setObjectName(QStringLiteral("kanaInputAction"));
    // The player can change between two openings of the menu; the mark follows the record.
    auto follow = [romaji, kana, &g] {
        const bool isKana = PlayerInputMethod(g) == InputMethod::Kana;
        romaji->setChecked(!isKana);
        kana->setChecked(isKana);
    };
    for (QAction* a : {romaji, kana}) {
        a->setCheckable(true);
        group->addAction(a);
        const InputMethod method = a == kana ? InputMethod::Kana : InputMethod::Romaji;
        // Not stored (no record, or it cannot be written): the mark goes back to what it holds.
        QObject::connect(a, &QAction::triggered, a, [method, follow, &g] {
            if (!SetPlayerInputMethod(g, method)) follow();
        });
    }
    QObject::connect(view, &QMenu::aboutToShow, methods, follow);
    QObject::connect(methods, &QMenu::aboutToShow, methods, follow);
    return methods;
}

}  // namespace kd
