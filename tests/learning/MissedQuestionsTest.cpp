#include <gtest/gtest.h>

#include "learning/MissedQuestions.h"
#include "support/QStringPrint.h"

namespace kd {
namespace {

QuestionShown Q(int id, const char* text, const char* reading) {
    QuestionShown q;
    q.questionId = id;
    q.text = QString::fromUtf8(text);
    q.reading = QString::fromUtf8(reading);
    return q;
}

KeyJudged Key(bool hit) {
    KeyJudged k;
    k.hit = hit;
    return k;
}

// A game as a play screen tells it: questions, keys (h hit, m miss), question ends.
TEST(MissedQuestions, EachMissedQuestionOnceInOrderAlsoWhenCutOffByTheEnd) {
    MissedQuestions missed;
    GameBegun begun;
    begun.genre = "kannyouku";
    missed.OnGameBegun(begun);
    const struct {
        QuestionShown q;
        const char* keys;
        bool ended;
    } game[] = {
        {Q(102, "猫", "ねこ"), "hhmhh", true},  {Q(104, "犬", "いぬ"), "hhhh", true},
        {Q(106, "鳥", "とり"), "mmhhhh", true}, {Q(102, "猫", "ねこ"), "hmhhh", true},  // again: listed once
        {Q(108, "馬", "うま"), "hm", false},  // cut off by the end of the game, with a miss
    };
    for (const auto& step : game) {
        missed.OnQuestionShown(step.q);
        for (const char* k = step.keys; *k; ++k) missed.OnKeyJudged(Key(*k == 'h'));
        if (step.ended) missed.OnQuestionEnded(QuestionEnded{true, 0});
    }
    missed.OnGameEnded(GameEnded{});
    QStringList texts;
    for (const QuestionShown& q : missed.Missed()) texts << q.text;
    EXPECT_EQ(texts, QStringList({"猫", "鳥", "馬"}));
    EXPECT_EQ(missed.Genre(), "kannyouku");

    // The next game starts empty; a game without misses leaves nothing to retry.
    missed.OnGameBegun(begun);
    missed.OnQuestionShown(Q(110, "牛", "うし"));
    missed.OnKeyJudged(Key(true));
    missed.OnGameEnded(GameEnded{});
    EXPECT_TRUE(missed.Missed().isEmpty());
}

TEST(MissedQuestions, RetryPlaysTheListInOrderAndAgain) {
    FixedQuestions retry({Q(1, "a", "a"), Q(2, "b", "b")});
    QStringList order;
    for (int i = 0; i < 5; ++i) order << retry.Next().text;
    EXPECT_EQ(order, QStringList({"a", "b", "a", "b", "a"}));
    FixedQuestions none({});
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_TRUE(none.Next().reading.isEmpty());
}

}  // namespace
}  // namespace kd
