#include <gtest/gtest.h>

#include <QPointer>

#include "support/TestApp.h"

namespace kd::test {
namespace {

class StubScreen : public ScreenBase {
  public:
    StubScreen(AppContext& c, Screen s) : ScreenBase(c, s) {}
};

// Messages Qt logs while the object lives.
struct LogCapture {
    LogCapture() {
        lines().clear();
        previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& m) { lines() << m; });
    }
    ~LogCapture() { qInstallMessageHandler(previous); }
    static QStringList& lines() {
        static QStringList l;
        return l;
    }
    QtMessageHandler previous;
};

// Showing a screen nobody registered is a wiring mistake: a debug build stops at once; a release
// build says so and leaves the player on the screen they were on.
TEST(Navigator, AScreenNobodyRegisteredIsCaughtAndTheCurrentScreenStays) {
    Navigator bare;
#ifndef QT_NO_DEBUG
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(bare.Show(Screen::Practice), "PracticeScreen is not registered");
#else
    TestApp app;
    Navigator nav;
    nav.SetContext(&app.ctx);
    nav.quitOnEnd = false;
    nav.Register(Screen::Main, [](AppContext& c) { return new StubScreen(c, Screen::Main); });
    QPointer<ScreenBase> menu = nav.Show(Screen::Main);
    ASSERT_TRUE(menu);
    LogCapture log;
    EXPECT_EQ(nav.Replace(menu, Screen::Practice), nullptr);
    EXPECT_TRUE(menu && !menu->IsClosing()) << "the player is left with a screen";
    EXPECT_EQ(nav.shown, QList<Screen>{Screen::Main});
    EXPECT_EQ(nav.LastShown(), Screen::Main);
    ASSERT_EQ(LogCapture::lines().size(), 1);
    EXPECT_TRUE(LogCapture::lines().first().contains("PracticeScreen is not registered"));
    menu->CloseScreen();
    TestApp::Flush();
#endif
}

// A screen this program does not build (a test of one mode) is recorded when shown, and the
// screen that handed over to it still closes; one that is built carries its name.
TEST(Navigator, StandInsAreRecordedAndBuiltScreensCarryTheirName) {
    TestApp app;
    app.nav.Register(Screen::Practice, [](AppContext& c) { return new StubScreen(c, Screen::Practice); });
    EXPECT_TRUE(app.nav.IsRegistered(Screen::Practice));
    EXPECT_FALSE(app.nav.IsRegistered(Screen::Main));
    QPointer<ScreenBase> practice = app.nav.Show(Screen::Practice);
    ASSERT_TRUE(practice);
    EXPECT_EQ(practice->Id(), Screen::Practice);
    EXPECT_EQ(practice->objectName(), QStringLiteral("PracticeScreen"));
    EXPECT_EQ(app.nav.Replace(practice, Screen::Main), nullptr);
    EXPECT_TRUE(!practice || practice->IsClosing());
    EXPECT_EQ(app.nav.shown, (QList<Screen>{Screen::Practice, Screen::Main}));
    EXPECT_EQ(app.nav.LastShown(), Screen::Main);
    TestApp::Flush();
}

TEST(Navigator, EveryScreenHasItsOwnNameAndBackLeadsToAnotherScreen) {
    QStringList names;
    for (Screen s : AllScreens()) {
        const QString name = ScreenName(s);
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(name.isEmpty());
        EXPECT_FALSE(names.contains(name));
        names << name;
        if (const std::optional<Screen> back = BackTarget(s)) {
            EXPECT_NE(*back, s);
        }
    }
    EXPECT_EQ(names.size(), int(AllScreens().size()));
}

}  // namespace
}  // namespace kd::test
