// The statistics window as the player meets it: from the menu and from every result screen,
// on a new player's empty record, after one game and on a record of two million keys.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>

#include "app/Screens.h"
#include "learning/LearningRecord.h"
#include "shell/MainMenu.h"
#include "stats/ReplayWindow.h"
#include "stats/StatsOpener.h"
#include "stats/StatsWindow.h"
#include "support/Accessible.h"
#include "support/LearningKit.h"
#include "support/TestApp.h"
#include "tools/statsfill/StatsFill.h"

namespace kd::stats {
namespace {

using test::Find;
using test::kUnderSanitizers;
using test::TestApp;

QStackedWidget* Page(StatsWindow* w, int tab) {
    return qobject_cast<QStackedWidget*>(w->findChild<QTabWidget*>(QStringLiteral("tabs"))->widget(tab));
}

// The window of the player of `app`, once its record has been read.
StatsWindow* WaitForWindow(StatsWindow* w) {
    if (w && !w->IsLoaded()) {
        QSignalSpy loaded(w, &StatsWindow::Loaded);
        EXPECT_TRUE(loaded.wait(60000));
    }
    return w;
}

TEST(StatsWindow, ANewPlayerSeesWhatWillAppearInsteadOfEmptyAxes) {
    TestApp app;
    app.UsePlayer(QStringLiteral("はじめ"));
    const QString path = LearningDatabasePath(app.g);
    StatsWindow w(QStringLiteral("はじめ"), path, StatsWindow::Loading::Now);
    EXPECT_TRUE(w.windowTitle().startsWith(QStringLiteral("成績")));
    EXPECT_TRUE(w.windowTitle().contains(QStringLiteral("はじめ")));
    for (int tab = 0; tab < 4; ++tab) {
        EXPECT_EQ(Page(&w, tab)->currentIndex(), 0) << tab;
        auto* note = Page(&w, tab)->widget(0)->findChild<QLabel*>(QStringLiteral("note"));
        ASSERT_NE(note, nullptr);
        EXPECT_TRUE(note->text().contains(QStringLiteral("まだ記録がありません"))) << tab;
    }
    EXPECT_FALSE(QFile::exists(path));  // looking creates no record
}

TEST(StatsWindow, OneGameFillsEveryTabAndTheRangeButtonsNarrowIt) {
    TestApp app;
    app.UsePlayer();
    const QString path = LearningDatabasePath(app.g);
    statsfill::Options o;
    o.games = 1;
    o.abandonedShare = 0;
    o.days = 1;
    o.endMs = 1796000000000;
    ASSERT_TRUE(statsfill::Fill(path, o));
    StatsWindow w(QStringLiteral("Tester"), path, StatsWindow::Loading::Now);
    w.SetNow(o.endMs + 10LL * 86400000);
    for (int tab = 0; tab < 4; ++tab) EXPECT_EQ(Page(&w, tab)->currentIndex(), 1) << tab;
    EXPECT_EQ(w.Data().overview.games, 1);
    EXPECT_EQ(Find<QTableWidget>(&w, QStringLiteral("weakKeysTable"))->rowCount(), 0);  // filled when opened
    w.findChild<QTabWidget*>(QStringLiteral("tabs"))->setCurrentIndex(StatsWindow::kWeakSpots);
    EXPECT_GT(Find<QTableWidget>(&w, QStringLiteral("weakKeysTable"))->rowCount(), 0);
    w.findChild<QTabWidget*>(QStringLiteral("tabs"))->setCurrentIndex(StatsWindow::kProgress);

    // The game lies ten days back: the week shows why it is empty, "all" shows it again.
    Find<QPushButton>(&w, QStringLiteral("range7"))->click();
    EXPECT_EQ(w.RangeDays(), 7);
    EXPECT_EQ(Page(&w, StatsWindow::kProgress)->currentIndex(), 0);
    Find<QPushButton>(&w, QStringLiteral("range30"))->click();
    EXPECT_EQ(Page(&w, StatsWindow::kProgress)->currentIndex(), 1);
}

// Fault guarded: a tab drawn once keeps the kana's figures after the player asks for English.
TEST(StatsWindow, TheAlphabetButtonsRedrawTheKeyTabs) {
    TestApp app;
    app.UsePlayer();
    const QString path = LearningDatabasePath(app.g);
    statsfill::Options o;
    o.games = 40;
    ASSERT_TRUE(statsfill::Fill(path, o));
    StatsWindow w(QStringLiteral("Tester"), path, StatsWindow::Loading::Now);
    auto* tabs = w.findChild<QTabWidget*>(QStringLiteral("tabs"));
    EXPECT_FALSE(Find<QPushButton>(&w, QStringLiteral("english"))->isEnabled());  // progress: both alike
    const auto firstCell = [&](const QString& table) {
        return Find<QTableWidget>(&w, table)->item(0, 0)->text();
    };
    for (const auto& [tab, table] : {std::pair{StatsWindow::kWeakSpots, QStringLiteral("weakUnitsTable")},
                                     std::pair{StatsWindow::kMixUps, QStringLiteral("mixUpsTable")}}) {
        tabs->setCurrentIndex(tab);
        ASSERT_GT(Find<QTableWidget>(&w, table)->rowCount(), 0) << table.toStdString();
    }
    const QString kanaUnit = firstCell(QStringLiteral("weakUnitsTable"));
    const QString kanaMixUp = firstCell(QStringLiteral("mixUpsTable"));
    Find<QPushButton>(&w, QStringLiteral("english"))->click();
    EXPECT_NE(firstCell(QStringLiteral("mixUpsTable")), kanaMixUp);  // the tab in view at once
    tabs->setCurrentIndex(StatsWindow::kWeakSpots);
    EXPECT_NE(firstCell(QStringLiteral("weakUnitsTable")), kanaUnit);  // the other when opened
    EXPECT_EQ(Find<QTableWidget>(&w, QStringLiteral("weakUnitsTable"))->horizontalHeaderItem(0)->text(),
              QStringLiteral("文字"));
}

// A screen reader or switch access presses a toggle through its accessibility action, which
// checks it without a click: the page must follow as it does for a click.
TEST(StatsWindow, EnglishPressedThroughItsAccessibilityActionSwitchesThePageAsAClickDoes) {
    TestApp app;
    app.UsePlayer();
    const QString path = LearningDatabasePath(app.g);
    statsfill::Options o;
    o.games = 10;
    ASSERT_TRUE(statsfill::Fill(path, o));
    const auto keysShown = [](StatsWindow& w) {
        QStringList rows;
        auto* t = Find<QTableWidget>(&w, QStringLiteral("weakKeysTable"));
        for (int r = 0; r < t->rowCount(); ++r) rows << t->item(r, 0)->text();
        return rows;
    };
    const auto opened = [&](StatsWindow& w) {
        w.show();
        w.findChild<QTabWidget*>(QStringLiteral("tabs"))->setCurrentIndex(StatsWindow::kWeakSpots);
        return Find<QPushButton>(&w, QStringLiteral("english"));
    };
    StatsWindow clicked(QStringLiteral("Tester"), path, StatsWindow::Loading::Now);
    const QStringList kana = keysShown(clicked);
    test::Click(opened(clicked));
    const QStringList english = keysShown(clicked);
    ASSERT_NE(english, kana);
    int pressed = 0;
    for (const QString& action :
         {QAccessibleActionInterface::toggleAction(), QAccessibleActionInterface::pressAction()}) {
        StatsWindow w(QStringLiteral("Tester"), path, StatsWindow::Loading::Now);
        if (!test::DoAccessibleAction(opened(w), action)) continue;  // not every action is offered
        ++pressed;
        EXPECT_EQ(keysShown(w), english) << action.toStdString();
        EXPECT_EQ(test::AccessibleTree(&w), test::AccessibleTree(&clicked)) << action.toStdString();
    }
    EXPECT_GE(pressed, 1);
}

TEST(StatsWindow, EscClosesIt) {
    TestApp app;
    app.UsePlayer();
    auto* w =
        new StatsWindow(QStringLiteral("Tester"), LearningDatabasePath(app.g), StatsWindow::Loading::Now);
    QPointer<StatsWindow> guard(w);
    w->show();
    test::Press(w, Qt::Key_Escape);
    TestApp::Flush();
    EXPECT_TRUE(guard.isNull() || !guard->isVisible());
}

TEST(StatsWindow, TheMenuOpensItForThePlayerAndOnlyOnce) {
    TestApp app;
    app.UsePlayer(QStringLiteral("Menu"));
    auto* menu = new MainMenu(app.ctx);
    menu->Load();
    menu->show();
    auto* view = menu->findChild<QAction*>(QStringLiteral("showStatsAction"));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->text(), QStringLiteral("成績を見る(&V)"));
    view->trigger();
    StatsWindow* w = WaitForWindow(OpenStatsWindow(app.g));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("成績 — Menu"));
    view->trigger();
    EXPECT_EQ(WaitForWindow(OpenStatsWindow(app.g)), w);
    EXPECT_TRUE(menu->isVisible());  // the menu stays usable beside it
    w->close();
    menu->CloseScreen();
    TestApp::Flush();
}

TEST(StatsWindow, ItsReplayButtonListsTheRecordedGamesAndPlaysOne) {
    TestApp app;
    app.UsePlayer(QStringLiteral("Replayer"));
    LearningRecord record(app.g);
    app.g.learning = &record;
    test::EventScript s{record.Recorder()};
    s.Begin(GameMode::TimeTrial, QStringLiteral("english"));
    s.Question(1000, QStringLiteral("cat"), QStringLiteral("cat"));
    s.Unit(QStringLiteral("c"), QStringLiteral("c"), QStringLiteral("!xc"));
    s.EndQuestion(false);
    s.End(true, 1, 1);

    StatsWindow* w = WaitForWindow(OpenStatsWindow(app.g));
    ASSERT_NE(w, nullptr);
    Find<QPushButton>(w, QStringLiteral("replaysButton"))->click();
    QWidget* list = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String("ReplayListWindow") && top->isVisible()) list = top;
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(Find<QTableWidget>(list, QStringLiteral("gamesTable"))->rowCount(), 1);
    Find<QPushButton>(list, QStringLiteral("replayButton"))->click();
    EXPECT_NE(list->findChild<ReplayWindow*>(), nullptr);
    EXPECT_TRUE(Find<QLabel>(list, QStringLiteral("note"))->text().isEmpty());
    const QPointer<QWidget> shown = list;
    w->close();  // the list goes with the statistics window
    TestApp::Flush();
    EXPECT_TRUE(!shown || !shown->isVisible());
    app.g.learning = nullptr;
    TestApp::Flush();
}

TEST(StatsWindow, F2OnEveryResultScreenOpensItWithoutLeavingTheScreen) {
    TestApp app;
    app.UsePlayer(QStringLiteral("Result"));
    ResultScreenHotkey hotkey(app.g);
    for (const QString& name : kResultScreens) {
        SCOPED_TRACE(name.toStdString());
        QWidget screen;
        screen.setObjectName(name);
        screen.resize(480, 400);
        screen.show();
        auto* hint = screen.findChild<QLabel*>(QLatin1String(ResultScreenHotkey::kHintName));
        ASSERT_NE(hint, nullptr);
        EXPECT_EQ(hint->text(), QStringLiteral("F2：成績"));
        EXPECT_TRUE(screen.rect().contains(hint->geometry()));
        EXPECT_LE(hint->height(), 20);
        screen.activateWindow();
        QTest::keyClick(&screen, Qt::Key_F2);
        StatsWindow* w = WaitForWindow(OpenStatsWindow(app.g));
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(screen.isVisible());
        w->close();
        TestApp::Flush();
    }
    // Other screens get neither the key nor the hint.
    QWidget play;
    play.setObjectName(ScreenName(Screen::Practice));
    play.show();
    EXPECT_EQ(play.findChild<QLabel*>(QLatin1String(ResultScreenHotkey::kHintName)), nullptr);
}

TEST(StatsWindow, OpensOnTwoMillionKeys) {
    TestApp app;
    app.UsePlayer();
    const QString path = LearningDatabasePath(app.g);
    statsfill::Options o;
    o.games = kUnderSanitizers ? 1000 : 10000;
    o.keysPerGame = 200;
    o.days = 400;
    ASSERT_TRUE(statsfill::Fill(path, o));
    StatsWindow w(QStringLiteral("Tester"), path, StatsWindow::Loading::Now);
    EXPECT_GE(w.Data().overview.keys, o.games * o.keysPerGame * 9 / 10);
    EXPECT_GE(w.Data().overview.games, o.games * 9 / 10);
    for (int tab = 0; tab < 4; ++tab) EXPECT_EQ(Page(&w, tab)->currentIndex(), 1) << tab;
    // The most frequent mix-up and its count, counted again straight from the keys.
    const auto& mix = w.Data().mixups[0];
    ASSERT_FALSE(mix.isEmpty());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(
            q.exec(QStringLiteral("SELECT k.expected, k.expected_key, k.typed, count(*) AS n FROM keys k "
                                  "JOIN games g ON g.id = k.game_id "
                                  "WHERE k.hit = 0 AND g.abandoned = 0 AND g.genre <> 'english' GROUP BY 1, "
                                  "2, 3 ORDER BY n DESC LIMIT 1")));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(mix[0].unit, q.value(0).toString());
        EXPECT_EQ(mix[0].expectedKey, q.value(1).toString());
        EXPECT_EQ(mix[0].typed, q.value(2).toString());
        EXPECT_EQ(mix[0].count, q.value(3).toLongLong());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
}

}  // namespace
}  // namespace kd::stats

namespace kd::stats {
namespace {

// The hint sits in a corner of each real result screen, clear of every control the screen has.
TEST(StatsWindow, TheF2HintKeepsClearOfTheResultScreensControls) {
    TestApp app;
    app.UsePlayer(QStringLiteral("Hint"));
    RegisterAllScreens(app.nav);
    ResultScreenHotkey hotkey(app.g);
    for (Screen s : AllScreens()) {
        const QString name = ScreenName(s);
        if (!kResultScreens.contains(name)) continue;
        SCOPED_TRACE(name.toStdString());
        ScreenBase* screen = app.nav.Show(s);
        ASSERT_NE(screen, nullptr);
        auto* hint = screen->findChild<QLabel*>(QLatin1String(ResultScreenHotkey::kHintName));
        ASSERT_NE(hint, nullptr);
        EXPECT_TRUE(screen->rect().contains(hint->geometry()));
        const QRect area = hint->geometry();
        for (QWidget* c : screen->findChildren<QWidget*>()) {
            if (c == hint || !c->isVisible() || c->inherits("QMenu")) continue;
            const QRect r(c->mapTo(screen, QPoint(0, 0)), c->size());
            // Panels and pictures the size of the screen lie behind everything.
            if (r.width() * r.height() > screen->width() * screen->height() / 4) continue;
            if (!qobject_cast<QLabel*>(c) && !qobject_cast<QAbstractButton*>(c) && !c->inherits("QLineEdit"))
                continue;
            if (qobject_cast<QLabel*>(c) && static_cast<QLabel*>(c)->text().isEmpty() &&
                static_cast<QLabel*>(c)->pixmap().isNull())
                continue;
            EXPECT_FALSE(r.intersects(area)) << c->objectName().toStdString();
        }
        screen->CloseScreen();
        TestApp::Flush();
    }
}

}  // namespace
}  // namespace kd::stats
