#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QMenu>

#include "learning/GhostSetting.h"
#include "learning/LearningRecord.h"
#include "shell/MainMenu.h"
#include "shell/Register.h"
#include "support/TestApp.h"

namespace kd::test {
namespace {

TEST(ViewMenu, GhostIsPerPlayerAndOffForANewOne) {
    TestApp app;
    LearningRecord record(app.g);
    app.g.learning = &record;
    RegisterShellScreens(app.nav);
    auto useAndOpen = [&](const QString& name) {
        app.g.player.SetUserName(name);
        QDir().mkpath(app.g.PlayerFolder());
        auto* menu = app.Open<MainMenu>(Screen::Main);
        auto* view = menu->findChild<QMenu*>(QStringLiteral("viewMenu"));
        EXPECT_EQ(view->title(), QStringLiteral("表示(&D)"));
        emit view->aboutToShow();
        return menu->findChild<QAction*>(QStringLiteral("ghostAction"));
    };
    QAction* ghost = useAndOpen(QStringLiteral("Aki"));
    ASSERT_NE(ghost, nullptr);
    EXPECT_TRUE(ghost->isCheckable());
    EXPECT_FALSE(ghost->isChecked());
    ghost->trigger();  // on, kept in Aki's own record
    EXPECT_TRUE(GhostSwitchedOn(app.g));
    EXPECT_TRUE(QFile::exists(app.g.PlayerPath(QStringLiteral("learning.sqlite"))));

    EXPECT_FALSE(useAndOpen(QStringLiteral("Ben"))->isChecked());
    EXPECT_TRUE(useAndOpen(QStringLiteral("Aki"))->isChecked());
}

}  // namespace
}  // namespace kd::test
