#include <gtest/gtest.h>

#include "learning/Drill.h"
#include "platform/core/Random.h"
#include "questions/StringTable.h"
#include "support/QStringPrint.h"

namespace kd {
namespace {

using Kind = WeakSpot::Kind;

QList<DrillQuestion> Bank() {
    QList<DrillQuestion> bank;
    for (int id = 102; id <= 466; id += 2) bank << DrillQuestion{StringTable::Instance().LoadString(id)};
    return bank;
}

TEST(Drill, UnitsAsTheJudgeSplitsThem) {
    EXPECT_EQ(KanaUnitsOf("いっしょうけんめい"), QStringList({"い", "っしょ", "う", "け", "ん", "め", "い"}));
    EXPECT_EQ(KanaUnitsOf("くぁでぃー"), QStringList({"くぁ", "でぃ", "ー"}));
    const RomajiChoices c;
    EXPECT_EQ(TargetCount({Kind::Unit, "っ"}, "いっしょうけんめいっか", c), 2);
    EXPECT_EQ(TargetCount({Kind::Unit, "しょ"}, "いっしょ", c), 1);
    EXPECT_EQ(TargetCount({Kind::Key, "h"}, "しゃしん", c), 2);  // shashinn
    EXPECT_EQ(TargetCount({Kind::Key, "h"}, "しゃしん", RomajiChoices::FromText(u"si=si;sya=sya")), 0);
    EXPECT_EQ(TargetCount({Kind::Pair, "nn"}, "しんぶん", c), 2);
    // Kana input: one unit per character, kana keys with ゛ after the base kana.
    const InputMethod kana = InputMethod::Kana;
    EXPECT_EQ(TargetCount({Kind::Unit, "ゃ"}, "しゃしんきゃく", c, kana), 2);
    EXPECT_EQ(TargetCount({Kind::Key, "゛"}, "がくぶち", c, kana), 2);
    EXPECT_EQ(TargetCount({Kind::Key, "h"}, "しゃしん", c, kana), 0);
    EXPECT_EQ(TargetCount({Kind::Pair, "か゛"}, "がっか", c, kana), 1);
}

// A player who misses one kana again and again gets mostly questions with it; a kana that only
// one question holds still comes often, though never twice in a row.
TEST(Drill, WeakUnitComesMostOfTheTime) {
    const QList<DrillQuestion> bank = Bank();
    const struct {
        const char* unit;
        int atLeastPercent;
    } rows[] = {{"ち", 65}, {"ぬ", 60}, {"しゃ", 35}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.unit);
        const QList<WeakSpot> spots{
            {Kind::Unit, "か", 800, 8},
            {Kind::Unit, r.unit, 40, 14},
            {Kind::Key, "q", 0, 0},
            {Kind::Unit, "ぐ", 3, 2},
        };
        const DrillPlan plan = PlanDrill(spots, 5000, 0.03, bank, RomajiChoices());
        ASSERT_FALSE(plan.fallback);
        ASSERT_EQ(plan.targets.size(), 1);  // か is below the overall rate, ぐ asked too seldom
        EXPECT_EQ(plan.TargetLine(), QStringLiteral("今回の苦手：") + r.unit);

        int holding = 0;
        for (const DrillQuestion& q : bank)
            holding += TargetCount(plan.targets[0], q.reading, RomajiChoices()) > 0;
        ASSERT_GT(holding, 0);
        ASSERT_LT(holding, bank.size() / 8);  // rare in the bank, so weighing is what brings it

        LcgRandom rnd(19);
        DrillPicker picker(plan.weights, rnd);
        int withTarget = 0, previous = -1;
        for (int i = 0; i < 3000; ++i) {
            const int q = picker.Next();
            ASSERT_NE(q, previous);
            previous = q;
            withTarget += TargetCount(plan.targets[0], bank[q].reading, RomajiChoices()) > 0;
        }
        EXPECT_GT(withTarget, 3000 * r.atLeastPercent / 100);
    }
}

TEST(Drill, TargetLineNamesUpToThreeWeakestFirst) {
    const QList<WeakSpot> spots{
        {Kind::Unit, "ん", 100, 10}, {Kind::Unit, "しゃ", 100, 30}, {Kind::Unit, "っ", 100, 20},
        {Kind::Key, "z", 100, 5},    {Kind::Pair, "zx", 100, 90},  // no question types "zx"
    };
    const DrillPlan plan = PlanDrill(spots, 5000, 0.02, Bank(), RomajiChoices());
    EXPECT_EQ(plan.TargetLine(), "今回の苦手：しゃ・っ・ん");
}

TEST(Drill, TooLittleRecordFallsBackToIdioms) {
    const QList<WeakSpot> spots{{Kind::Unit, "しゃ", 40, 14}};
    const struct {
        int keys;
        QList<WeakSpot> spots;
        const char* message;
    } rows[] = {
        {100, spots, "苦手を見つけるにはまだ記録が足りません。慣用句で練習します。"},
        {5000, {}, "目立つ苦手が見つかりませんでした。慣用句で練習します。"},
        {5000, {{Kind::Unit, "しゃ", 5, 4}}, "目立つ苦手が見つかりませんでした。慣用句で練習します。"},
    };
    for (const auto& r : rows) {
        const DrillPlan plan = PlanDrill(r.spots, r.keys, 0.02, Bank(), RomajiChoices());
        EXPECT_TRUE(plan.fallback);
        EXPECT_TRUE(plan.targets.isEmpty());
        EXPECT_EQ(plan.message, QString::fromUtf8(r.message));
    }
}

TEST(Drill, NeverTheSameQuestionTwiceInARow) {
    const QList<QList<double>> weightSets{
        {1, 1}, {0, 5, 0}, {100, 0.001, 0.001}, {1}, {0, 0, 0}, {3, 0, 0, 0.5},
    };
    for (const QList<double>& w : weightSets) {
        LcgRandom rnd(7);
        DrillPicker picker(w, rnd);
        int previous = -1;
        for (int i = 0; i < 2000; ++i) {
            const int q = picker.Next();
            ASSERT_GE(q, 0);
            ASSERT_LT(q, w.size());
            if (w.size() > 1) {
                ASSERT_NE(q, previous);
            }
            previous = q;
        }
    }
    ScriptedRandom edge;
    edge.Script({0.99999994f});
    DrillPicker picker({1, 1, 1}, edge);
    EXPECT_EQ(picker.Next(), 2);
    EXPECT_EQ(picker.Next(), 1);
}

TEST(Drill, TallyCountsThisDrillAndTheResultSaysBeforeAndNow) {
    const QList<WeakSpot> targets{
        {Kind::Unit, "しゃ", 40, 10}, {Kind::Key, "z", 50, 5}, {Kind::Pair, "ky", 20, 8}};
    DrillTally tally(targets);
    // As the play screen tells it: "しゃ" typed s, x (miss), h, a; then "っしゃ" from its a; then
    // a new question "きょ" typed k, y.
    const struct {
        const char16_t* unit;
        char expected, typed;
        bool hit;
    } keys[] = {
        {u"しゃ", 's', 's', true},   {u"しゃ", 'h', 'x', false}, {u"しゃ", 'h', 'h', true},
        {u"っしゃ", 'a', 'a', true}, {nullptr, 0, 0, false},     {u"きょ", 'k', 'k', true},
        {u"きょ", 'y', 'y', true},
    };
    for (const auto& k : keys) {
        if (!k.unit) {
            tally.OnQuestionShown(QuestionShown{});
            continue;
        }
        KeyJudged e;
        e.expectedUnit = QString::fromUtf16(k.unit);
        e.expectedKey = QChar(k.expected);
        e.typed = QChar(k.typed);
        e.hit = k.hit;
        tally.OnKeyJudged(e);
    }
    ASSERT_EQ(tally.InThisDrill().size(), 3);
    EXPECT_EQ(tally.InThisDrill()[0].seen, 4);
    EXPECT_EQ(tally.InThisDrill()[0].missed, 1);
    EXPECT_EQ(tally.InThisDrill()[2].seen, 1);
    EXPECT_EQ(
        BeforeAfterLines(targets, tally.InThisDrill()),
        QStringList({"しゃ　ミス率 25.0% → 25.0%", "z　ミス率 10.0% → ----", "ky　ミス率 40.0% → 0.0%"}));
}

}  // namespace
}  // namespace kd
