// Screen readers and switch access press controls through their accessibility actions, which
// never click: a toggle is toggled, a button gets an animated click, a tab is made current.
// Every button, toggle, radio button, check box and tab of every window must do the same that
// way as when clicked. Each press is compared with a click on a fresh program: the windows
// then open, their accessibility trees, the screens shown and the questions asked.
#include <QApplication>
#include <QTabBar>
#include <functional>

#include "ChainKit.h"
#include "common/RecordFile.h"
#include "stats/StatsWindow.h"
#include "support/Accessible.h"

using namespace kd;
using namespace kd::test;

namespace {

struct ActionWindow {
    const char* name;
    std::function<QWidget*(ChainApp&)> open;
};

QWidget* OpenScreen(ChainApp& app, Screen s) {
    app.UsePlayer();
    return app.nav.Show(s);
}

// A dialog as its screen's button opens it.
QWidget* OpenDialog(ChainApp& app, Screen s, const char* button) {
    QWidget* screen = OpenScreen(app, s);
    if (QPushButton* b = screen ? Button(screen, QLatin1String(button)) : nullptr) Click(b);
    return app.Now() != screen ? app.Now() : nullptr;
}

const ActionWindow kActionWindows[] = {
    {"MainMenu", [](ChainApp& a) { return OpenScreen(a, Screen::Main); }},
    {"AboutBox", [](ChainApp& a) { return OpenScreen(a, Screen::Version); }},
    {"PracticeScreen", [](ChainApp& a) { return OpenScreen(a, Screen::Practice); }},
    {"PracticeSettingsDialog", [](ChainApp& a) { return OpenDialog(a, Screen::Practice, "settingsButton"); }},
    {"PracticeResultScreen", [](ChainApp& a) { return OpenScreen(a, Screen::ResultPractice); }},
    {"TimeTrialScreen", [](ChainApp& a) { return OpenScreen(a, Screen::TimeTrial); }},
    {"TimeTrialGenreDialog", [](ChainApp& a) { return OpenDialog(a, Screen::TimeTrial, "settingsButton"); }},
    {"TimeTrialResultScreen", [](ChainApp& a) { return OpenScreen(a, Screen::ResultTimeTrial); }},
    {"TimeTrialRankingScreen", [](ChainApp& a) { return OpenScreen(a, Screen::RankingTimeTrial); }},
    {"CharacterSelectScreen", [](ChainApp& a) { return OpenScreen(a, Screen::SelectChara); }},
    {"RaceScreen", [](ChainApp& a) { return OpenScreen(a, Screen::KeyDerby); }},
    {"RaceRankingScreen", [](ChainApp& a) { return OpenScreen(a, Screen::RankingKeyDerby); }},
    {"BossScreen", [](ChainApp& a) { return OpenScreen(a, Screen::Boss); }},
    {"RollCallScreen", [](ChainApp& a) { return OpenScreen(a, Screen::Introduction); }},
    {"StatsWindow",
     [](ChainApp& a) -> QWidget* {
         a.UsePlayer();
         auto* w =
             new stats::StatsWindow(QStringLiteral("Tester"), a.dir.filePath(QStringLiteral("none.sqlite")),
                                    stats::StatsWindow::Loading::Now);
         w->show();
         return w;
     }},
};

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

QList<QAbstractButton*> EnabledButtons(QWidget* w) {
    QList<QAbstractButton*> out;
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
        if (b->isVisibleTo(w) && b->isEnabled()) out << b;
    return out;
}

QList<ActionControl> ActionControlsOf(QWidget* w) {
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

struct ActionOutcome {
    QStringList windows;
    QStringList shown;
    qsizetype asked = 0;
    bool operator==(const ActionOutcome&) const = default;
};

// What a program shows after a press: its open windows (the one pressed in first) with their
// accessibility trees, the screens it was asked to show and the questions it asked.
ActionOutcome ObserveApp(ChainApp& app, QWidget* window) {
    ActionOutcome o;
    QList<QWidget*> open;
    if (window && window->isVisible()) open << window;
    for (ScreenBase* f : app.nav.OpenForms())
        if (f != window && f->isVisible() && !f->IsClosing()) open << f;
    for (QWidget* w : open) o.windows << w->objectName() + u'\n' + AccessibleTree(w).join(u'\n');
    for (Screen s : app.nav.shown) o.shown << ScreenName(s);
    o.asked = app.msg.asked.size();
    return o;
}

void CloseAllWindows() {
    for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    TestApp::Flush();
}

void Act(QWidget* w, const ActionControl& c, bool click) {
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

// Two copies of each window side by side, one clicked and one pressed through accessibility,
// control after control; a fresh pair after any control that leaves the window or opens
// another (a pair costs two windows, and the statistics window is not cheap).
TEST(AccessibleActions, EveryControlOfEveryWindowDoesWhatAClickDoes) {
    // The files the windows write are not what is compared; the disk's flushes would be most
    // of the time.
    RecordFile::SetSyncToDisk(false);
    int compared = 0;
    for (const ActionWindow& window : kActionWindows) {
        QList<ActionControl> controls;
        {
            ChainApp app;
            QWidget* w = window.open(app);
            ASSERT_TRUE(w) << window.name;
            EXPECT_EQ(w->objectName(), QLatin1String(window.name));
            controls = ActionControlsOf(w);
        }
        CloseAllWindows();
        for (qsizetype next = 0; next < controls.size();) {
            {
                ChainApp clickedApp;
                ChainApp pressedApp;
                QPointer<QWidget> clicked = window.open(clickedApp);
                QPointer<QWidget> pressed = window.open(pressedApp);
                ASSERT_TRUE(clicked && pressed);
                while (next < controls.size()) {
                    const ActionControl& c = controls[next++];
                    Act(clicked, c, true);
                    Act(pressed, c, false);
                    const ActionOutcome byClick = ObserveApp(clickedApp, clicked);
                    const ActionOutcome byAction = ObserveApp(pressedApp, pressed);
                    const std::string what = std::string(window.name) + ' ' + c.Describe().toStdString();
                    EXPECT_EQ(byAction.windows, byClick.windows) << what;
                    EXPECT_EQ(byAction.shown, byClick.shown) << what;
                    EXPECT_EQ(byAction.asked, byClick.asked) << what;
                    ++compared;
                    const bool moved = byClick.windows.size() != 1 || !clicked || !clicked->isVisible() ||
                                       !byClick.shown.isEmpty() || byClick.asked > 0;
                    if (moved || byAction.windows.size() != 1 || !pressed || !pressed->isVisible()) break;
                }
            }
            CloseAllWindows();
        }
    }
    EXPECT_GE(compared, 35);
    RecordFile::SetSyncToDisk(true);
}

}  // namespace
