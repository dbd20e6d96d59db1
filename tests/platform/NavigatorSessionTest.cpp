// The navigator over a long session: what it remembers of the screens shown stays bounded.
#include <gtest/gtest.h>

#include "platform/widgets/ScreenBase.h"
#include "support/TestApp.h"

using namespace kd;
using namespace kd::test;

namespace {

struct Plain : ScreenBase {
    explicit Plain(AppContext& c) : ScreenBase(c, Screen::Practice) {}
};

}  // namespace

// Hours of play show tens of thousands of screens; the names kept are the latest ones only,
// and screens that closed are not held on to.
TEST(NavigatorSession, RemembersOnlyTheLatestScreensAndForgetsClosedOnes) {
    TestApp app;
    app.nav.Register(Screen::Practice, [](AppContext& c) { return new Plain(c); });
    const int shows = Navigator::kShownKept * 3 + 7;
    for (int i = 0; i < shows; ++i) {
        if (i % 2) {
            ScreenBase* f = app.nav.Show(Screen::Practice);
            ASSERT_NE(f, nullptr);
            f->CloseScreen();
            TestApp::Flush();
        } else {
            app.nav.Show(i % 4 ? Screen::Main : Screen::Version);  // stand-ins, not built
        }
    }
    EXPECT_EQ(app.nav.shown.size(), Navigator::kShownKept);
    // shows - 1 is even but not a multiple of 4: the last one shown was the menu.
    EXPECT_EQ(app.nav.shown.last(), Screen::Main);
    EXPECT_EQ(app.nav.shown.first(), Screen::Practice);
    EXPECT_EQ(app.nav.shown.count(Screen::Practice), Navigator::kShownKept / 2);
    EXPECT_TRUE(app.nav.OpenForms().isEmpty());
    EXPECT_EQ(app.nav.Current(), nullptr);
}
