#include <gtest/gtest.h>

#include "learning/GhostRun.h"
#include "support/QStringPrint.h"
#include "tests/learning/GameBuilder.h"

namespace kd::test {
namespace {

// A best run of two questions: "ab" shown at 0 (keys at 300, a miss at 500, 800), "cd" shown
// at 800 (keys at 400 and 1000 after it), finished at 1800.
PlayedGame TwoQuestionBest() {
    GameBuilder b;
    b.Question(QStringLiteral("ab"), 0).Key(300).Key(500, false).Key(800).Completed();
    b.Question(QStringLiteral("cd"), 800).Key(400).Key(1000).Completed();
    b.Time(1800);
    return b.game;
}

TEST(GhostTimeline, StepsAtExactlyThePlayedGameTimesOfCorrectKeysOnly) {
    // Fault guarded: key times taken per question instead of since the game began, or misses
    // moving the ghost.
    const GhostTimeline ghost = GhostTimeline::FromGame(TwoQuestionBest());
    ASSERT_EQ(ghost.KeyCount(), 4);
    const qint64 steps[] = {300, 800, 1200, 1800};
    qint64 t = -1;
    for (int k = 1; k <= 4; ++k) {
        ASSERT_EQ(ghost.NextStepAfter(t), steps[k - 1]);
        EXPECT_EQ(ghost.HitsAt(steps[k - 1] - 1), k - 1);
        EXPECT_EQ(ghost.HitsAt(steps[k - 1]), k);
        t = steps[k - 1];
    }
    EXPECT_EQ(ghost.NextStepAfter(1800), std::nullopt);
    EXPECT_EQ(ghost.HitsAt(1'000'000), 4);
    EXPECT_EQ(TimeTrialBallX(ghost.HitsAt(1200)), 5 + 3 * 5);
}

TEST(GhostTimeline, NoKeysGivesNoGhost) {
    // An imported summary keeps no keys: it must not give a ghost standing at the start.
    PlayedGame imported;
    imported.imported = true;
    imported.timeMs = 15000;
    EXPECT_TRUE(GhostTimeline::FromGame(imported).IsEmpty());
    EXPECT_EQ(GhostTimeline().NextStepAfter(0), std::nullopt);
    EXPECT_EQ(GhostTimeline().GapAtKey(1, 100), std::nullopt);
}

TEST(GhostTimeline, GapAtThePlayersKthKey) {
    const GhostTimeline ghost = GhostTimeline::FromGame(TwoQuestionBest());
    struct Case {
        int k;
        qint64 playerMs;
        std::optional<qint64> gap;
    } cases[] = {
        {1, 300, 0},    {1, 250, -50},           {2, 2000, 1200},
        {4, 960, -840}, {5, 2000, std::nullopt}, {0, 10, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ghost.GapAtKey(c.k, c.playerMs), c.gap) << c.k << " " << c.playerMs;
}

TEST(GapText, SignValueAndSide) {
    // Fault guarded: an ASCII hyphen instead of the minus sign, a rounded value losing its
    // sign, or truncation where the display rounds.
    struct Case {
        qint64 gapMs;
        const char16_t* text;
        GapSide side;
    } cases[] = {
        {-840, u"−0.84秒", GapSide::Ahead},    {1200, u"+1.20秒", GapSide::Behind},
        {0, u"±0.00秒", GapSide::Even},        {4, u"±0.00秒", GapSide::Even},
        {-4, u"±0.00秒", GapSide::Even},       {5, u"+0.01秒", GapSide::Behind},
        {-5, u"−0.01秒", GapSide::Ahead},      {-1005, u"−1.01秒", GapSide::Ahead},
        {61234, u"+61.23秒", GapSide::Behind}, {-100000, u"−100.00秒", GapSide::Ahead},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatGap(c.gapMs), QString::fromUtf16(c.text)) << c.gapMs;
        EXPECT_EQ(SideOfGap(c.gapMs), c.side) << c.gapMs;
    }
    EXPECT_EQ(GapLine(-840), QStringLiteral("ベスト比 ") + QChar(0x2212) + QStringLiteral("0.84秒"));
    EXPECT_FALSE(FormatGap(-840).contains(QLatin1Char('-')));
}

TEST(Splits, AgainstAHandMadeBest) {
    // Best: q0 800, q1 1000, q2 600, q3 cut off. Run: q0 700, q1 1500, q2 1100, q3 cut off.
    GameBuilder best;
    best.Question(QStringLiteral("b0"), 0).Key(800).Completed();
    best.Question(QStringLiteral("b1"), 800).Key(1000).Completed();
    best.Question(QStringLiteral("b2"), 1800).Key(600).Completed();
    best.Question(QStringLiteral("b3"), 2400).Key(300);
    best.Time(2700);
    GameBuilder run;
    run.Question(QStringLiteral("r0"), 0).Key(700).Completed();
    run.Question(QStringLiteral("r1"), 700).Key(1500).Completed();
    run.Question(QStringLiteral("r2"), 2200).Key(1100).Completed();
    run.Question(QStringLiteral("r3"), 3300).Key(200);
    run.Question(QStringLiteral("r4"), 3600);  // never reached by the best
    run.Time(3600);

    const QList<Split> s = ComputeSplits(run.game, best.game, 2);
    ASSERT_EQ(s.size(), 5);
    EXPECT_EQ(s[0].text, QStringLiteral("r0"));
    EXPECT_EQ(s[0].diffMs, -100);
    EXPECT_EQ(s[1].diffMs, 500);
    EXPECT_EQ(s[2].diffMs, 500);
    EXPECT_EQ(s[0].cumulativeMs, -100);
    EXPECT_EQ(s[1].cumulativeMs, 400);
    EXPECT_EQ(s[2].cumulativeMs, 900);
    // The two largest losses; a tie keeps the earlier question first.
    EXPECT_FALSE(s[0].largeLoss);
    EXPECT_TRUE(s[1].largeLoss);
    EXPECT_TRUE(s[2].largeLoss);
    // Cut off by the finish: its time runs to the finish, but no difference is claimed.
    EXPECT_FALSE(s[3].completed);
    EXPECT_EQ(s[3].ms, 300);
    EXPECT_EQ(s[3].bestMs, 300);
    EXPECT_EQ(s[3].diffMs, std::nullopt);
    EXPECT_FALSE(s[3].largeLoss);
    EXPECT_EQ(s[4].bestMs, std::nullopt);
    EXPECT_EQ(s[4].diffMs, std::nullopt);
}

TEST(Splits, OnlyLossesAreMarked) {
    GameBuilder best;
    best.Question(QStringLiteral("b0"), 0).Key(900).Completed();
    best.Question(QStringLiteral("b1"), 900).Key(900).Completed();
    best.Time(1800);
    GameBuilder run;
    run.Question(QStringLiteral("r0"), 0).Key(500).Completed();
    run.Question(QStringLiteral("r1"), 500).Key(950).Completed();
    run.Time(1450);
    const QList<Split> s = ComputeSplits(run.game, best.game, 3);
    EXPECT_FALSE(s[0].largeLoss);  // a gain is never a loss, however few losses there are
    EXPECT_TRUE(s[1].largeLoss);
}

TEST(RunCollector, GathersTheRunFromPlayNotifications) {
    // The begin tick sits just below the 32-bit counter's wrap: times must still count from it.
    RunCollector c;
    const qint64 t0 = 0x7FFFFF00;
    auto tick = [&](qint64 ms) { return qint64(qint32(quint32(t0) + quint32(ms))); };
    c.OnGameBegun({GameMode::TimeTrial, QStringLiteral("english"), -1, 0, 0, 123, t0});
    c.OnQuestionShown({7, QStringLiteral("cat"), QStringLiteral("cat"), tick(0)});
    KeyJudged k;
    k.expectedUnit = QStringLiteral("c");
    k.typed = QLatin1Char('c');
    k.hit = true;
    k.tick = tick(400);
    c.OnKeyJudged(k);
    k.typed = QLatin1Char('x');
    k.hit = false;
    k.tick = tick(600);
    c.OnKeyJudged(k);
    c.OnQuestionEnded({true, tick(600)});
    c.OnQuestionShown({8, QStringLiteral("dog"), QStringLiteral("dog"), tick(600)});
    k.hit = true;
    k.tick = tick(900);
    c.OnKeyJudged(k);
    c.OnGameEnded({false, tick(900), 2, 1});
    c.OnGameSettled({900, QStringLiteral("S"), 13210, 1});

    const PlayedGame& g = c.Game();
    EXPECT_TRUE(c.Finished());
    ASSERT_EQ(g.questions.size(), 2);
    EXPECT_EQ(g.questions[1].shownMs, 600);
    EXPECT_EQ(g.questions[0].lastKeyMs, 600);  // the miss is its last key
    EXPECT_EQ(g.questions[0].misses, 1);
    ASSERT_EQ(g.keys.size(), 3);
    EXPECT_EQ(g.keys[2].gameMs, 900);
    EXPECT_EQ(g.keys[2].ms, 300);
    EXPECT_EQ(g.EndMs(), 900);
    EXPECT_EQ(GhostTimeline::FromGame(g).HitsAt(899), 1);
}

}  // namespace
}  // namespace kd::test
