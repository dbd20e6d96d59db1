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

TEST(ResultRules, PracticeLinesAndHistoryEntryAgree) {
    const QDate day(2024, 5, 2);
    const struct {
        int correct, miss, sec;
        const char* rate;
        const char* time;
        const char* tps;
        std::optional<QString> pTime;  // nullopt: stored as an empty variant
        float storedTps;
    } rows[] = {
        {0, 0, 60, "0.0%", "練習時間：1分 0秒", "Types/Sec.：0.00", QStringLiteral("1分 0秒"), 0.0f},
        {12, 0, 5, "100.0%", "練習時間：0分 5秒", "Types/Sec.：2.40", QStringLiteral("0分 5秒"), 2.4f},
        {100, 0, 90, "100.0%", "練習時間：1分 30秒", "Types/Sec.：1.11", QStringLiteral("1分 30秒"), 1.1f},
        // No limit, and the 0 of a damaged setting: nothing per second, no time stored.
        {30, 10, -1, "75.0%", "練習時間：無制限", "Types/Sec.：----", std::nullopt, 0.0f},
        {30, 10, 0, "75.0%", "練習時間：無制限", "Types/Sec.：----", std::nullopt, 0.0f},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.tps);
        const PracticeOutcome p =
            BuildPracticeResult(r.correct, r.miss, r.sec, QStringLiteral("英単語"), day);
        EXPECT_EQ(p.allType, QStringLiteral("全打数：") + QString::number(r.correct + r.miss));
        EXPECT_EQ(p.correctCount, QStringLiteral("正打数：") + QString::number(r.correct));
        EXPECT_EQ(p.missCount, QStringLiteral("誤打数：") + QString::number(r.miss));
        EXPECT_EQ(p.correctRate, QStringLiteral("正答率：") + QString::fromUtf8(r.rate));
        EXPECT_EQ(p.practiceTime, QString::fromUtf8(r.time));
        EXPECT_EQ(p.typesPerSec, QString::fromUtf8(r.tps));
        EXPECT_EQ(p.genre, QStringLiteral("ジャンル：英単語"));
        // The history shows exactly the rate text of the result, without its heading.
        EXPECT_EQ(p.entry.CRate, QString::fromUtf8(r.rate));
        EXPECT_EQ(p.entry.HistDate, QStringLiteral("2024/05/02"));
        EXPECT_EQ(p.entry.PTime, r.pTime);
        EXPECT_EQ(p.entry.TPS, r.storedTps);
        EXPECT_EQ(p.entry.Genre, QStringLiteral("英単語"));
    }
}

TEST(ResultRules, TimeTrialEntryMatchesTheScreenExceptARunWithoutKeys) {
    // 83 450 ms, 100 right and 5 wrong: idioms lose 3 x 5 x 5 points, English words nothing.
    const TimeTrialOutcome idioms = BuildTimeTrialResult(83450, 100, 5, QStringLiteral("慣用句"));
    EXPECT_EQ(idioms.allType, QStringLiteral("全打数：105"));
    EXPECT_EQ(idioms.correctRate, QStringLiteral("正答率：95.2%"));
    EXPECT_EQ(idioms.time, QStringLiteral("1m23s45"));
    EXPECT_EQ(idioms.typesPerSec, QStringLiteral("Types/Sec：1.20"));
    EXPECT_EQ(idioms.score, QStringLiteral("スコア：4880"));
    EXPECT_EQ(idioms.entry.RankTime, 83450);
    EXPECT_EQ(idioms.entry.RankRate, QStringLiteral("95.2%"));
    EXPECT_EQ(idioms.entry.RankScore, 4880);
    EXPECT_EQ(idioms.grade, QStringLiteral("ランク：") + idioms.entry.RankGrade);
    EXPECT_EQ(idioms.entry.RankGenre, QStringLiteral("慣用句"));
    EXPECT_TRUE(idioms.entry.RankName.isEmpty());
    EXPECT_EQ(BuildTimeTrialResult(83450, 100, 5, QStringLiteral("英単語")).entry.RankScore, 4955);

    const TimeTrialOutcome fast = BuildTimeTrialResult(11990, 40, 0, QStringLiteral("英単語"));
    EXPECT_EQ(fast.grade, QStringLiteral("ランク：S"));
    EXPECT_EQ(fast.entry.RankGrade, QStringLiteral("S"));

    // No key typed: the screen reads 0.0%, the ranking has always stored "0%"; no time, no
    // rate per second.
    const TimeTrialOutcome none = BuildTimeTrialResult(0, 0, 0, QStringLiteral("慣用句"));
    EXPECT_EQ(none.correctRate, QStringLiteral("正答率：0.0%"));
    EXPECT_EQ(none.entry.RankRate, QStringLiteral("0%"));
    EXPECT_EQ(none.typesPerSec, QStringLiteral("Types/Sec：0.00"));
}

}  // namespace
}  // namespace kd
