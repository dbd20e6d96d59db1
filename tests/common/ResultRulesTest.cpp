#include <gtest/gtest.h>

#include "common/ResultRules.h"
#include "support/QStringPrint.h"

namespace kd {
namespace {

TEST(ResultRules, CorrectRateNeverDividesByZeroAndRoundsToOneDecimal) {
    const struct {
        int correct, miss;
        const char* text;
    } rows[] = {
        {0, 0, "0.0%"},  {0, 7, "0.0%"},   {5, 0, "100.0%"},  {1, 2, "33.3%"},
        {2, 1, "66.7%"}, {33, 2, "94.3%"}, {999, 1, "99.9%"}, {1, 999, "0.1%"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(CorrectRateText(r.correct, r.miss), QString::fromUtf8(r.text));
    }
}

TEST(ResultRules, PracticeFiguresAndHistoryEntryAgree) {
    const QDate day(2024, 5, 2);
    const struct {
        int correct, miss, sec;
        const char* rate;
        std::optional<int> shownSec;
        std::optional<double> perSec;
        std::optional<QString> pTime;  // nullopt: stored as an empty variant
        float storedTps;
    } rows[] = {
        {0, 0, 60, "0.0%", 60, 0.0, QStringLiteral("1分 0秒"), 0.0f},
        {12, 0, 5, "100.0%", 5, 2.4, QStringLiteral("0分 5秒"), 2.4f},
        {100, 0, 90, "100.0%", 90, 100.0 / 90, QStringLiteral("1分 30秒"), 1.1f},
        // No limit, and the 0 of a damaged setting: nothing per second, no time stored.
        {30, 10, -1, "75.0%", std::nullopt, std::nullopt, std::nullopt, 0.0f},
        {30, 10, 0, "75.0%", std::nullopt, std::nullopt, std::nullopt, 0.0f},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.sec);
        const PracticeOutcome p =
            BuildPracticeResult(r.correct, r.miss, r.sec, QStringLiteral("英単語"), day);
        EXPECT_EQ(p.allKeys, r.correct + r.miss);
        EXPECT_EQ(p.correct, r.correct);
        EXPECT_EQ(p.misses, r.miss);
        EXPECT_EQ(p.correctRate, QString::fromUtf8(r.rate));
        EXPECT_EQ(p.practiceSec, r.shownSec);
        ASSERT_EQ(p.keysPerSec.has_value(), r.perSec.has_value());
        if (r.perSec) {
            EXPECT_DOUBLE_EQ(*p.keysPerSec, *r.perSec);
        }
        // The history keeps exactly the rate of the result.
        EXPECT_EQ(p.entry.CRate, QString::fromUtf8(r.rate));
        EXPECT_EQ(p.entry.HistDate, QStringLiteral("2024/05/02"));
        EXPECT_EQ(p.entry.PTime, r.pTime);
        EXPECT_EQ(p.entry.TPS, r.storedTps);
        EXPECT_EQ(p.entry.Genre, QStringLiteral("英単語"));
    }
}

TEST(ResultRules, TimeTrialEntryMatchesTheFiguresExceptARunWithoutKeys) {
    // 83 450 ms, 100 right and 5 wrong: idioms lose 3 x 5 x 5 points, English words nothing.
    const TimeTrialOutcome idioms = BuildTimeTrialResult(83450, 100, 5, QStringLiteral("慣用句"));
    EXPECT_EQ(idioms.allKeys, 105);
    EXPECT_EQ(idioms.correctRate, QStringLiteral("95.2%"));
    EXPECT_EQ(idioms.ms, 83450);
    EXPECT_NEAR(idioms.keysPerSec, 1.198, 0.001);
    EXPECT_EQ(idioms.score, 4880);
    EXPECT_EQ(idioms.entry.RankTime, 83450);
    EXPECT_EQ(idioms.entry.RankRate, QStringLiteral("95.2%"));
    EXPECT_EQ(idioms.entry.RankScore, 4880);
    EXPECT_EQ(idioms.grade, idioms.entry.RankGrade);
    EXPECT_EQ(idioms.entry.RankGenre, QStringLiteral("慣用句"));
    EXPECT_TRUE(idioms.entry.RankName.isEmpty());
    EXPECT_EQ(BuildTimeTrialResult(83450, 100, 5, QStringLiteral("英単語")).entry.RankScore, 4955);

    const TimeTrialOutcome fast = BuildTimeTrialResult(11990, 40, 0, QStringLiteral("英単語"));
    EXPECT_EQ(fast.grade, QStringLiteral("S"));
    EXPECT_EQ(fast.entry.RankGrade, QStringLiteral("S"));

    // No key typed: the rate reads 0.0%, the ranking has always stored "0%"; no time, no
    // rate per second.
    const TimeTrialOutcome none = BuildTimeTrialResult(0, 0, 0, QStringLiteral("慣用句"));
    EXPECT_EQ(none.correctRate, QStringLiteral("0.0%"));
    EXPECT_EQ(none.entry.RankRate, QStringLiteral("0%"));
    EXPECT_EQ(none.keysPerSec, 0.0);
}

}  // namespace
}  // namespace kd
