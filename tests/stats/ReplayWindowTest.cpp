#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "platform/core/TickCounter.h"
#include "platform/widgets/Timer.h"
#include "stats/ReplayWindow.h"
#include "support/TestApp.h"
#include "tests/learning/GameBuilder.h"

namespace kd::test {
namespace {

// A heat recorded with the lanes every 150 ms and one miss among the keys.
PlayedGame RecordedRace() {
    GameBuilder b(GameMode::Race);
    b.game.heat = 2;
    b.game.chara = 1;
    b.Question(QStringLiteral("cat"), 0)
        .Key(100, true, QStringLiteral("c"))
        .Key(200, false, QStringLiteral("a"), QStringLiteral("x"))
        .Key(400, true, QStringLiteral("a"));
    for (int i = 1; i <= 6; ++i) b.Lanes(150 * i, {i, 2 * i, 3 * i, 4 * i, 0});
    b.game.durationMs = 900;
    return b.game;
}

TEST(ReplayWindow, ReproducesTheRecordedLanesAtEachSpeed) {
    ManualTickCounter clock;
    stats::ReplayWindow w(clock, ReplayModel(RecordedRace()));
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    Timer* t = FindTimer(&w, QStringLiteral("tmrReplay"));
    EXPECT_FALSE(t->Enabled());  // paused until played: no wake-ups
    w.Play();
    ASSERT_TRUE(t->Enabled());
    EXPECT_EQ(t->Interval(), 100);  // the first key at 100 ms
    clock.advance(t->Interval());
    t->fire();
    EXPECT_EQ(t->Interval(), 50);  // next: the lanes at 150
    clock.advance(50);
    t->fire();
    EXPECT_EQ(w.Frame().lanes, (std::array<int, 5>{1, 2, 3, 4, 0}));

    w.SetSpeed(4);
    EXPECT_EQ(t->Interval(), 13);  // 50 ms of the game (to the key at 200) at 4x, rounded up
    clock.advance(38);             // 152 ms of the game: 302
    t->fire();
    EXPECT_EQ(w.Frame().ms, 302);
    EXPECT_EQ(w.Frame().lanes, (std::array<int, 5>{2, 4, 6, 8, 0}));
    EXPECT_EQ(w.Frame().misses, 1);
    EXPECT_TRUE(Find<QLabel>(&w, QStringLiteral("lblKeys"))->text().contains(QStringLiteral("line-through")));

    w.Pause();
    clock.advance(1000);
    EXPECT_FALSE(t->Enabled());
    EXPECT_EQ(w.Frame().ms, 302);

    // The slider: the player drags it to 760.
    Find<QSlider>(&w, QStringLiteral("sldPosition"))->setValue(760);
    EXPECT_EQ(w.Frame().ms, 760);
    EXPECT_EQ(w.Frame().lanes, (std::array<int, 5>{5, 10, 15, 20, 0}));
    EXPECT_EQ(Find<QLabel>(&w, QStringLiteral("lblPosition"))->text(), QStringLiteral("0.8 / 0.9 秒"));

    w.Play();
    clock.advance(1000);  // past the end: it stops there
    t->fire();
    EXPECT_EQ(w.Frame().ms, 900);
    EXPECT_FALSE(t->Enabled());
    EXPECT_EQ(Find<QPushButton>(&w, QStringLiteral("cmdPlay"))->text(), QStringLiteral("再生"));
}

TEST(ReplayWindow, DescribesTheGame) {
    EXPECT_EQ(stats::DescribeGame(GameMode::TimeTrial, QStringLiteral("english"), 0),
              QStringLiteral("タイムトライアル 英単語"));
    EXPECT_EQ(stats::DescribeGame(GameMode::Race, QStringLiteral("kannyouku"), 3),
              QStringLiteral("レース 第3戦 慣用句"));
}

}  // namespace
}  // namespace kd::test
