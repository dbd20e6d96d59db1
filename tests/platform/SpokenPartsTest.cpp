// Texts a drawn picture gives screen readers sit beside the widgets drawn over it.
#include <gtest/gtest.h>

#include <QLabel>

#include "platform/widgets/Controls.h"
#include "platform/widgets/SpokenParts.h"
#include "support/Accessible.h"

namespace kd::test {
namespace {

TEST(SpokenParts, APictureReadsItsTextsAfterTheLabelsOnItAndFollowsChanges) {
    QWidget window;
    auto* track = new DrawingArea(&window, QStringLiteral("track"), 0, 0, 200, 100);
    SetSpokenParts(track, {});
    auto* label = new QLabel(QStringLiteral("たろう 0%"), track);
    label->setObjectName(QStringLiteral("laneText0"));
    window.show();
    SetSpokenParts(track, {QStringLiteral("CrazyBallRed 10%"), QStringLiteral("Mouse 0%")});
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(track);
    ASSERT_EQ(a->childCount(), 3);
    EXPECT_EQ(a->child(0)->text(QAccessible::Name), QStringLiteral("たろう 0%"));
    EXPECT_EQ(a->child(1)->text(QAccessible::Name), QStringLiteral("CrazyBallRed 10%"));
    EXPECT_EQ(a->indexOfChild(a->child(2)), 2);
    EXPECT_EQ(a->child(2)->parent(), a);
    EXPECT_EQ(a->child(2)->rect(), QRect(track->mapToGlobal(QPoint()), track->size()));

    SetSpokenParts(track, {QStringLiteral("CrazyBallRed 20%"), QStringLiteral("Mouse 0%")});
    EXPECT_EQ(a->child(1)->text(QAccessible::Name), QStringLiteral("CrazyBallRed 20%"));
    SetSpokenParts(track, {QStringLiteral("CrazyBallRed ゴール 1着")});
    EXPECT_EQ(a->childCount(), 2);
    EXPECT_EQ(a->child(2), nullptr);
}

}  // namespace
}  // namespace kd::test
