// The navigator over a long session: what it remembers of the screens shown stays bounded.
#include <gtest/gtest.h>

#include "platform/widgets/FormBase.h"
#include "support/TestApp.h"

using namespace kd;
using namespace kd::test;

namespace {

struct Plain : FormBase {
    explicit Plain(AppContext& c) : FormBase(c, QStringLiteral("frmPlain")) {}
};

}  // namespace

// Hours of play show tens of thousands of screens; the names kept are the latest ones only,
// and screens that closed are not held on to.
TEST(NavigatorSession, RemembersOnlyTheLatestScreensAndForgetsClosedOnes) {
    TestApp app;
    app.nav.Register(QStringLiteral("frmPlain"), [](AppContext& c) { return new Plain(c); });
    const int shows = Navigator::kShownKept * 3 + 7;
    for (int i = 0; i < shows; ++i) {
        if (i % 2) {
            FormBase* f = app.nav.Show(QStringLiteral("frmPlain"));
            ASSERT_NE(f, nullptr);
            f->Unload();
            TestApp::Flush();
        } else {
            app.nav.Show(QStringLiteral("frmNotBuilt%1").arg(i));
        }
    }
    EXPECT_EQ(app.nav.shown.size(), Navigator::kShownKept);
    EXPECT_EQ(app.nav.shown.last(), "frmNotBuilt" + QString::number(shows - 1));
    EXPECT_EQ(app.nav.shown.first(), "frmPlain");
    EXPECT_EQ(app.nav.shown.count("frmPlain"), Navigator::kShownKept / 2);
    EXPECT_TRUE(app.nav.OpenForms().isEmpty());
    EXPECT_EQ(app.nav.Current(), nullptr);
}
