#include <gtest/gtest.h>

#include "learning/Replay.h"
#include "platform/core/TickCounter.h"
#include "support/QStringPrint.h"
#include "tests/learning/GameBuilder.h"

namespace kd::test {
namespace {

TEST(ReplayModel, TimeTrialBallQuestionAndKeysAsTheyCame) {
    GameBuilder b;
    b.Question(QStringLiteral("社長"), 0, QStringLiteral("しゃちょう"))
        .Key(200, true, QStringLiteral("しゃ"), QStringLiteral("s"), QStringLiteral("sya"))
        .Key(300, false, QStringLiteral("しゃ"), QStringLiteral("h"))
        .Key(400, true, QStringLiteral("しゃ"), QStringLiteral("y"), QStringLiteral("sya"))
        .Key(500, true, QStringLiteral("しゃ"), QStringLiteral("a"), QStringLiteral("sya"))
        .Key(600, true, QStringLiteral("ちょ"), QStringLiteral("t"), QStringLiteral("tyo"));
    b.Question(QStringLiteral("cat"), 1000).Key(100, true, QStringLiteral("c"));
    b.Time(1100);
    const ReplayModel m(b.game);
    EXPECT_EQ(m.DurationMs(), 1100);

    ReplayFrame f = m.FrameAt(499);
    EXPECT_EQ(f.questionIndex, 0);
    EXPECT_EQ(f.text, QStringLiteral("社長"));
    EXPECT_EQ(f.correct, 2);
    EXPECT_EQ(f.misses, 1);
    EXPECT_EQ(f.ballX, 15);
    ASSERT_EQ(f.keys.size(), 3);
    EXPECT_EQ(f.keys[1].typed, QStringLiteral("h"));
    EXPECT_FALSE(f.keys[1].hit);
    EXPECT_EQ(f.readingDone, 0);  // "しゃ" needs its third key
    EXPECT_EQ(m.FrameAt(500).readingDone, 2);
    EXPECT_EQ(m.FrameAt(600).readingDone, 2);  // "ちょ" begun, not done

    f = m.FrameAt(1000);  // the next question: its own keys only
    EXPECT_EQ(f.questionIndex, 1);
    EXPECT_TRUE(f.keys.isEmpty());
    EXPECT_EQ(f.ballX, 5 + 4 * 5);
    EXPECT_EQ(m.FrameAt(5000).ms, 1100);  // past the end: the last frame
    EXPECT_EQ(m.FrameAt(-10).questionIndex, 0);

    // Every change is found in turn, so a viewer wakes exactly when something moves.
    QList<qint64> changes;
    for (auto t = m.NextChangeAfter(-1); t; t = m.NextChangeAfter(*t)) changes.append(*t);
    EXPECT_EQ(changes, (QList<qint64>{0, 200, 300, 400, 500, 600, 1000, 1100}));
}

TEST(ReplayModel, GhostRunsBesideTheBallInATimeTrial) {
    GameBuilder run;
    run.Question(QStringLiteral("ab"), 0).Key(100).Key(900);
    run.Time(900);
    const ReplayModel m(run.game, GhostTimeline({300, 400}));
    EXPECT_EQ(m.FrameAt(350).ghostX, 10);
    EXPECT_EQ(m.FrameAt(400).ghostX, 15);
    EXPECT_EQ(m.FrameAt(350).ballX, 10);
    EXPECT_EQ(m.NextChangeAfter(100), 300);
    EXPECT_EQ(ReplayModel(run.game).FrameAt(400).ghostX, std::nullopt);
}

TEST(ReplayModel, RaceReproducesTheRecordedLanes) {
    // Fault guarded: a lane shown from the next sample before its moment, or the samples'
    // order trusted over their times.
    GameBuilder b(GameMode::Race);
    b.Question(QStringLiteral("q"), 0).Key(100);
    const std::array<int, 5> at150{0, 3, 4, 2, 0}, at300{5, 7, 9, 4, 0}, at450{5, 12, 13, 8, 0};
    b.Lanes(150, at150).Lanes(300, at300).Lanes(450, at450);
    b.game.durationMs = 500;
    const ReplayModel m(b.game);
    EXPECT_FALSE(m.FrameAt(149).hasLanes);
    EXPECT_EQ(m.FrameAt(149).lanes, (std::array<int, 5>{}));
    struct Case {
        qint64 ms;
        std::array<int, 5> lanes;
    } cases[] = {{150, at150}, {299, at150}, {300, at300}, {449, at300}, {450, at450}, {500, at450}};
    for (const Case& c : cases) EXPECT_EQ(m.FrameAt(c.ms).lanes, c.lanes) << c.ms;
    EXPECT_EQ(m.FrameAt(450).ghostX, std::nullopt);
    EXPECT_EQ(m.DurationMs(), 500);
}

TEST(ReplayModel, BossBallsCountedFromTheRunnersReturningToTheirEdges) {
    // The boss battle records only the two runners' x; a ball is scored when one starts again.
    GameBuilder b(GameMode::Boss);
    b.Question(QStringLiteral("q"), 0);
    b.Lanes(150, {280, 400, 0, 0, 0}).Lanes(300, {0, 390, 0, 0, 0}).Lanes(450, {10, 635, 0, 0, 0});
    b.Lanes(600, {20, 620, 0, 0, 0}).Lanes(750, {0, 610, 0, 0, 0});
    b.game.durationMs = 800;
    const ReplayModel m(b.game);
    struct Case {
        qint64 ms;
        int playerBalls, bossBalls;
    } cases[] = {{150, 0, 0}, {300, 1, 0}, {450, 1, 1}, {600, 1, 1}, {799, 2, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(m.FrameAt(c.ms).lanes[2], c.playerBalls) << c.ms;
        EXPECT_EQ(m.FrameAt(c.ms).lanes[3], c.bossBalls) << c.ms;
    }
    EXPECT_EQ(m.FrameAt(450).lanes[1], 635);
}

TEST(ReplayClock, PlaysAtOneTwoAndFourTimesPausesAndSeeks) {
    ManualTickCounter clock;
    ReplayClock rc(clock, 10000);
    EXPECT_FALSE(rc.IsPlaying());
    clock.advance(500);
    EXPECT_EQ(rc.Position(), 0);  // paused until played
    rc.Play();
    clock.advance(1000);
    EXPECT_EQ(rc.Position(), 1000);
    rc.SetSpeed(2);
    clock.advance(1000);
    EXPECT_EQ(rc.Position(), 3000);
    rc.SetSpeed(4);
    EXPECT_EQ(rc.RealMsUntil(3010), 3);  // rounded up: never wakes before the moment
    clock.advance(500);
    EXPECT_EQ(rc.Position(), 5000);
    rc.SetSpeed(3);  // not offered: unchanged
    EXPECT_EQ(rc.Speed(), 4);
    rc.Pause();
    clock.advance(5000);
    EXPECT_EQ(rc.Position(), 5000);
    rc.Seek(2000);
    EXPECT_EQ(rc.Position(), 2000);
    rc.Seek(-5);
    EXPECT_EQ(rc.Position(), 0);
    rc.Seek(9000);
    rc.Play();
    clock.advance(1000);  // 4000 ms of replay, only 1000 left
    EXPECT_EQ(rc.Position(), 10000);
    EXPECT_FALSE(rc.IsPlaying());
    rc.Play();  // from the end: starts over
    EXPECT_EQ(rc.Position(), 0);
    EXPECT_TRUE(rc.IsPlaying());
}

TEST(ReplayClock, SurvivesTheTickCounterWrapping) {
    ManualTickCounter clock;
    clock.set(0x7FFFFFF0);
    ReplayClock rc(clock, 10000);
    rc.Play();
    clock.advance(100);
    EXPECT_EQ(rc.Position(), 100);
}

}  // namespace
}  // namespace kd::test
