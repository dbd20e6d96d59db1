#pragma once
// Screen readers and switch access press controls through their accessibility actions, which
// never click: a toggle is toggled, a button gets an animated click, a tab is made current.
// The sweep presses every button, toggle, radio button, check box and tab of a window that way
// and clicks the same control in a second, fresh copy of the window; what each copy then shows
// must be the same.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTabBar>
#include <QTest>
#include <functional>

#include "support/Accessible.h"
#include "support/TestApp.h"

namespace kd::test {

// Where a control is, the same in every fresh copy of a window: the n-th button, or tab t of
// the n-th tab bar.
struct ActionControl {
    int button = -1;
    int tabBar = -1;
    int tab = -1;
    QString action;
    QString Describe() const {
        return (button >= 0 ? QStringLiteral("button %1").arg(button)
                            : QStringLiteral("tab %1 of bar %2").arg(tab).arg(tabBar)) +
               u' ' + action;
    }
};

inline QList<QAbstractButton*> EnabledButtons(QWidget* w) {
    QList<QAbstractButton*> out;
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
        if (b->isVisibleTo(w) && b->isEnabled()) out << b;
    return out;
}

inline QList<ActionControl> ActionControlsOf(QWidget* w) {
    QList<ActionControl> out;
    const QList<QAbstractButton*> buttons = EnabledButtons(w);
    for (int i = 0; i < buttons.size(); ++i) {
        const QStringList actions =
            QAccessible::queryAccessibleInterface(buttons[i])->actionInterface()->actionNames();
        for (const QString& a :
             {QAccessibleActionInterface::pressAction(), QAccessibleActionInterface::toggleAction()})
            if (actions.contains(a)) out << ActionControl{i, -1, -1, a};
    }
    const QList<QTabBar*> bars = w->findChildren<QTabBar*>();
    for (int b = 0; b < bars.size(); ++b)
        for (int t = 0; t < bars[b]->count(); ++t)
            out << ActionControl{-1, b, t, QAccessibleActionInterface::pressAction()};
    return out;
}

inline void ActOn(QWidget* w, const ActionControl& c, bool click) {
    if (c.button >= 0) {
        QAbstractButton* b = EnabledButtons(w).value(c.button);
        ASSERT_TRUE(b) << c.Describe().toStdString();
        if (click)
            Click(b);
        else
            EXPECT_TRUE(DoAccessibleAction(b, c.action));
    } else {
        QTabBar* bar = w->findChildren<QTabBar*>().value(c.tabBar);
        ASSERT_TRUE(bar);
        if (click)
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(c.tab).center());
        else
            EXPECT_TRUE(
                DoAccessibleAction(QAccessible::queryAccessibleInterface(bar)->child(c.tab), c.action));
    }
    TestApp::Flush();
}

inline void CloseAllWindows() {
    for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    TestApp::Flush();
}

// What a program shows after a press, as text to compare, and whether the press took it away
// from the window (it closed, or another window or a question came up).
struct ActionOutcome {
    QStringList seen;
    bool moved = false;
};

template <class App>
struct ActionWindow {
    const char* name;
    std::function<QWidget*(App&)> open;
};

// Two copies of the window side by side, one clicked and one pressed through accessibility,
// control after control; a fresh pair after any control that moves away from the window. Each
// pair has fresh programs (App). `settle` waits for what a press set going; `look` tells what
// a program shows. Returns the number of controls compared.
template <class App>
int SweepActions(
    const ActionWindow<App>& window, const std::function<ActionOutcome(App&, QWidget*)>& look,
    const std::function<void()>& settle = [] {}) {
    QList<ActionControl> controls;
    {
        App app;
        QWidget* w = window.open(app);
        EXPECT_TRUE(w) << window.name;
        if (!w) return 0;
        EXPECT_EQ(w->objectName(), QLatin1String(window.name));
        controls = ActionControlsOf(w);
    }
    CloseAllWindows();
    int compared = 0;
    for (qsizetype next = 0; next < controls.size();) {
        {
            App clickedApp;
            App pressedApp;
            QPointer<QWidget> clicked = window.open(clickedApp);
            QPointer<QWidget> pressed = window.open(pressedApp);
            EXPECT_TRUE(clicked && pressed) << window.name;
            if (!clicked || !pressed) return compared;
            while (next < controls.size()) {
                const ActionControl& c = controls[next++];
                ActOn(clicked, c, true);
                ActOn(pressed, c, false);
                settle();
                const ActionOutcome byClick = look(clickedApp, clicked);
                const ActionOutcome byAction = look(pressedApp, pressed);
                EXPECT_EQ(byAction.seen, byClick.seen) << window.name << ' ' << c.Describe().toStdString();
                ++compared;
                if (byClick.moved || byAction.moved || !clicked || !clicked->isVisible() || !pressed ||
                    !pressed->isVisible())
                    break;
            }
        }
        CloseAllWindows();
    }
    return compared;
}

}  // namespace kd::test
