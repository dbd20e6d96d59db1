// Every button, toggle, radio button, check box, tab and menu item of every window does the
// same when pressed through its accessibility action (as a screen reader or switch access
// presses it) as when clicked. Each press is compared with a click on a fresh program: the
// windows then open, their accessibility trees, the screens shown, the questions asked and,
// for the menu items, the settings stored.
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <optional>

#include "ChainKit.h"
#include "classui/ClassDialogs.h"
#include "common/RecordFile.h"
#include "learning/GhostSetting.h"
#include "learning/KanaInput.h"
#include "learning/LearningRecord.h"
#include "learning/TrainingSettings.h"
#include "platform/core/Language.h"
#include "platform/widgets/Zoom.h"
#include "shell/LearningExport.h"
#include "stats/StatsWindow.h"
#include "support/ActionSweep.h"
#include "training/TrainingMenu.h"

using namespace kd;
using namespace kd::test;

namespace {

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

// A window the main menu's ファイル menu opens.
template <class W>
QWidget* OpenFromFileMenu(ChainApp& app, const char* item) {
    QWidget* menu = OpenScreen(app, Screen::Main);
    if (QAction* a = menu ? Menu(menu, QLatin1String(item)) : nullptr) a->trigger();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<W*>(w); found && found->isVisible() && found->parentWidget() == menu)
            return found;
    return nullptr;
}

const ActionWindow<ChainApp> kActionWindows[] = {
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
    // Without a server: what they do with an answer is swept in the classroom's tests.
    {"JoinClassDialog", [](ChainApp& a) { return OpenFromFileMenu<JoinClassDialog>(a, "joinClassAction"); }},
    {"TeacherLoginDialog",
     [](ChainApp& a) { return OpenFromFileMenu<TeacherLoginDialog>(a, "classResultsAction"); }},
};

// What a program shows after a press: its open windows (the one pressed in first) with their
// accessibility trees, the screens it was asked to show and the questions it asked.
ActionOutcome ObserveApp(ChainApp& app, QWidget* window) {
    ActionOutcome o;
    QList<QWidget*> open;
    if (window && window->isVisible()) open << window;
    for (ScreenBase* f : app.nav.OpenForms())
        if (f != window && f->isVisible() && !f->IsClosing()) open << f;
    for (QWidget* w : open) o.seen << w->objectName() + u'\n' + AccessibleTree(w).join(u'\n');
    for (Screen s : app.nav.shown) o.seen << ScreenName(s);
    for (const auto& asked : app.msg.asked) o.seen << asked.text;
    o.moved = open.size() != 1 || !app.nav.shown.isEmpty() || !app.msg.asked.isEmpty();
    return o;
}

TEST(AccessibleActions, EveryControlOfEveryWindowDoesWhatAClickDoes) {
    // The files the windows write are not what is compared; the disk's flushes would be most
    // of the time.
    RecordFile::SetSyncToDisk(false);
    int compared = 0;
    for (const ActionWindow<ChainApp>& window : kActionWindows)
        compared += SweepActions(window, {ObserveApp});
    EXPECT_GE(compared, 40);
    RecordFile::SetSyncToDisk(true);
}

// The main menu as the program has it: a player with a learning record, and the zoom (one in a
// program, so the clicked and the pressed menu are made one after the other).
struct MenuApp : ChainApp {
    MenuApp() {
        UsePlayer();
        record.emplace(g);
        g.learning = &*record;
        // The file dialogs: the learning record is written to the program's folder, and
        // questions are read from a file that is not there.
        ExportFileChooser() = [this](QWidget*, const QString&) {
            return dir.filePath(QStringLiteral("out.sqlite"));
        };
        QuestionFileChooser() = [this](QWidget*) { return dir.filePath(QStringLiteral("none.txt")); };
        menu = nav.Show(Screen::Main);
    }
    ~MenuApp() {
        zoom.SetFullScreen(false);
        zoom.SetPercent(100);
        CloseAllWindows();
        g.learning = nullptr;
    }
    QMenuBar* Bar() const { return menu->findChild<QMenuBar*>(); }

    Zoom zoom{dir.filePath(QStringLiteral("keyderby.conf"))};
    std::optional<LearningRecord> record;
    QPointer<QWidget> menu;
};

// A menu item by where it is: the menu bar's item, then the item in each menu below it.
using MenuPath = QList<int>;

void AddMenuItems(const QList<QAction*>& actions, MenuPath path, QList<MenuPath>& out) {
    for (int i = 0; i < actions.size(); ++i) {
        const QAction* a = actions[i];
        if (a->isSeparator() || !a->isVisible() || !a->isEnabled()) continue;
        if (a->menu())
            AddMenuItems(a->menu()->actions(), path + MenuPath{i}, out);
        else
            out << path + MenuPath{i};
    }
}

QString MenuPathText(QMenuBar* bar, const MenuPath& path) {
    QList<QAction*> actions = bar->actions();
    QStringList texts;
    for (int i : path) {
        QAction* a = actions.value(i);
        if (!a) break;
        texts << a->text();
        if (a->menu()) actions = a->menu()->actions();
    }
    return texts.join(QStringLiteral(" → "));
}

// As the mouse does it: the menu bar's title, each menu on the way and the item.
void ClickMenuItem(QMenuBar* bar, const MenuPath& path) {
    QAction* a = bar->actions().value(path[0]);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(a).center());
    for (qsizetype level = 1; level < path.size(); ++level) {
        QMenu* menu = a->menu();
        ASSERT_TRUE(menu && menu->isVisible()) << a->text().toStdString();
        a = menu->actions().value(path[level]);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
        // A menu opens the menu below after a moment; the moment is skipped.
        if (a->menu() && !a->menu()->isVisible()) FinishTimers(menu);
    }
    TestApp::Flush();
}

// As an assistive tool does it: each menu on the way opened through its item's accessibility
// action, then the item pressed.
void PressMenuItem(QMenuBar* bar, const MenuPath& path) {
    QAccessibleInterface* item = QAccessible::queryAccessibleInterface(bar)->child(path[0]);
    for (qsizetype level = 1; level < path.size(); ++level) {
        ASSERT_TRUE(item && DoAccessibleAction(item, QAccessibleActionInterface::showMenuAction()));
        QAccessibleInterface* menu = item->child(0);
        ASSERT_TRUE(menu && !menu->state().invisible);
        item = menu->child(path[level]);
    }
    EXPECT_TRUE(DoAccessibleAction(item, QAccessibleActionInterface::pressAction()));
    TestApp::Flush();
}

// The main menu's tree (menus and their marks included), the other windows open, the screens
// shown, the questions asked and the settings as stored.
QStringList MenuOutcome(MenuApp& app) {
    QStringList seen;
    if (app.menu && app.menu->isVisible()) seen << AccessibleTree(app.menu);
    QStringList windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != app.menu && !qobject_cast<QMenu*>(w)) windows << w->objectName();
    std::sort(windows.begin(), windows.end());
    seen << windows;
    for (Screen s : app.nav.shown) seen << ScreenName(s);
    for (const auto& asked : app.msg.asked)
        seen << QString(asked.text).replace(app.dir.path(), QStringLiteral("<folder>"));
    seen << QStringLiteral("effects %1 music %2 ghost %3 guide %4 kana %5 zoom %6 full screen %7 language %8")
                .arg(app.g.keySoundsOn)
                .arg(app.g.musicOn)
                .arg(GhostSwitchedOn(app.g))
                .arg(RomajiGuideOn(app.g))
                .arg(PlayerInputMethod(app.g) == InputMethod::Kana)
                .arg(app.zoom.Percent())
                .arg(app.zoom.IsFullScreen())
                .arg(StoredLanguageChoice(app.zoom.SettingsFile()));
    return seen;
}

// Where two outcomes part, for a readable failure.
std::string Difference(const QStringList& a, const QStringList& b) {
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i)
        if (a.value(i) != b.value(i))
            return QStringLiteral("line %1: \"%2\" / \"%3\"")
                .arg(i)
                .arg(a.value(i), b.value(i))
                .toStdString();
    return {};
}

TEST(AccessibleActions, EveryMenuItemOfTheMainMenuDoesWhatAClickDoes) {
    RecordFile::SetSyncToDisk(false);
    const auto exportChooser = ExportFileChooser();
    const auto questionChooser = QuestionFileChooser();
    QList<MenuPath> items;
    QStringList fresh, idle;
    {
        MenuApp app;
        idle = MenuOutcome(app);
        ASSERT_TRUE(app.menu);
        AddMenuItems(app.Bar()->actions(), {}, items);
        fresh = AccessibleTree(app.menu);
        // The marks are right before a menu is first opened: a reader finds them in the tree.
        for (QMenu* m : app.Bar()->findChildren<QMenu*>()) {
            m->popup({});
            m->hide();
        }
        EXPECT_EQ(AccessibleTree(app.menu), fresh) << Difference(AccessibleTree(app.menu), fresh);
    }
    int changed = 0;
    for (const MenuPath& path : items) {
        QStringList byClick, byAction;
        QString what;
        {
            MenuApp app;
            what = MenuPathText(app.Bar(), path);
            ClickMenuItem(app.Bar(), path);
            byClick = MenuOutcome(app);
        }
        {
            MenuApp app;
            PressMenuItem(app.Bar(), path);
            byAction = MenuOutcome(app);
        }
        EXPECT_EQ(byAction, byClick) << what.toStdString() << '\n' << Difference(byAction, byClick);
        changed += byClick != idle;
    }
    EXPECT_GE(items.size(), 20);
    // Only the items that choose what is chosen already change nothing here: the effects and
    // the music OFF, 100 % and romaji input.
    EXPECT_GE(changed, items.size() - 4);
    ExportFileChooser() = exportChooser;
    QuestionFileChooser() = questionChooser;
    RecordFile::SetSyncToDisk(true);
}

}  // namespace
