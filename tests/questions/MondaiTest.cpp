#include <gtest/gtest.h>

#include "engine/TypingJudge.h"
#include "platform/core/Random.h"
#include "questions/QuestionBank.h"
#include "questions/StringTable.h"
#include "support/QStringPrint.h"

namespace kd {
namespace {

constexpr float kJustBelowOne = 16777215.0f / 16777216.0f;  // the largest value the generator gives

struct Bank {
    ScriptedRandom rnd;
    TypingJudge judge;
    QuestionBank mondai{rnd, judge};
};

TEST(QuestionBank, IdiomIdsAreEvenReadings) {
    const struct {
        float r;
        int id;
    } draws[] = {
        {0.0f, 102},           // 101 is a kanji form: odd draws move to the reading after them
        {0.0027f, 102},        // Int(0.98) = 0
        {0.003f, 102},         // Int(1.09) = 1, 102 is even already
        {0.006f, 104},         // Int(2.19) = 2, 103 -> 104
        {0.5f, 284},           // Int(182.5) = 182
        {kJustBelowOne, 466},  // Int(364.99997) = 364
        // r x 365 rounds up to 38 in single precision (37.99999 in double): 139 -> 140
        {1746669.0f / 16777216.0f, 140},
    };
    Bank b;
    b.mondai.SetGenre(QStringLiteral("kannyouku"));
    for (const auto& d : draws) {
        SCOPED_TRACE(d.r);
        b.rnd.Script({d.r});
        b.mondai.GetQuestion();
        EXPECT_EQ(b.mondai.GetQuestionId(), d.id);
    }
}

TEST(QuestionBank, SampleIdiomsAndTheirKanjiForms) {
    Bank b;
    b.mondai.SetGenre(QStringLiteral("kannyouku"));
    b.rnd.Script({0.0f, kJustBelowOne});
    EXPECT_EQ(b.mondai.GetQuestion(), QStringLiteral("おめにかかる"));
    EXPECT_EQ(b.mondai.GetKanjiQuestion(), QStringLiteral("お目にかかる"));
    EXPECT_EQ(b.mondai.GetKanjiQuestion(), QStringLiteral("お目にかかる"));
    EXPECT_EQ(b.mondai.GetQuestion(), QStringLiteral("みみをけがす"));
    EXPECT_EQ(b.mondai.GetKanjiQuestion(), QStringLiteral("耳を汚す"));
}

TEST(QuestionBank, EnglishWordsSpanTheirWholeRange) {
    const struct {
        float r;
        const char* word;
    } draws[] = {
        {0.0f, "forecast"},          // 1000
        {0.0015f, "dictionary"},     // 1001
        {kJustBelowOne, "veteran"},  // 1800
    };
    Bank b;
    b.mondai.SetGenre(QStringLiteral("english"));
    for (const auto& d : draws) {
        b.rnd.Script({d.r});
        EXPECT_EQ(b.mondai.GetEnglishQuestion(), QLatin1String(d.word));
    }
    EXPECT_EQ(b.mondai.GetQuestionId(), 0);  // English draws are not remembered
}

// A table of our own shows which ID an English draw picked without depending on the shipped words.
TEST(QuestionBank, EnglishIdUsesSinglePrecision) {
    StringTable table = StringTable::FromText(QStringLiteral("1067\tdouble\n1068\tsingle\n"));
    ScriptedRandom rnd;
    TypingJudge judge;
    QuestionBank mondai(rnd, judge, &table);
    rnd.Script({1424283.0f / 16777216.0f});  // r x 801 is 67.9999997 in double, 68 in single
    EXPECT_EQ(mondai.GetEnglishQuestion(), QStringLiteral("single"));
}

TEST(QuestionBank, SetGenre) {
    Bank b;
    EXPECT_EQ(b.mondai.GetGenre(), QString());

    // Without the idiom genre every idiom draw falls back to 102.
    b.mondai.SetGenre(QStringLiteral("english"));
    EXPECT_EQ(b.mondai.GetGenre(), QStringLiteral("英単語"));
    b.rnd.Script({0.9f});
    EXPECT_EQ(b.mondai.GetQuestion(), QStringLiteral("おめにかかる"));
    EXPECT_EQ(b.mondai.GetQuestionId(), 102);

    b.mondai.SetGenre(QStringLiteral("kannyouku"));
    EXPECT_EQ(b.mondai.GetGenre(), QStringLiteral("慣用句"));
    b.mondai.SetGenre(QStringLiteral("english"));  // keeps the idiom range
    EXPECT_EQ(b.mondai.GetGenre(), QStringLiteral("英単語"));
    b.rnd.Script({kJustBelowOne});
    b.mondai.GetQuestion();
    EXPECT_EQ(b.mondai.GetQuestionId(), 466);

    for (const char* other : {"", "Kannyouku", "ENGLISH", "kannyouku ", "japanese"}) {
        b.mondai.SetGenre(QLatin1String(other));
        EXPECT_EQ(b.mondai.GetGenre(), QStringLiteral("英単語")) << other;
    }
    b.mondai.GetQuestion();
    EXPECT_EQ(b.mondai.GetQuestionId(), 466);
}

TEST(QuestionBank, NewIdiomMakesTheJudgeRebuild) {
    Bank b;
    b.mondai.SetGenre(QStringLiteral("kannyouku"));
    StringPlayLabels labels;
    labels.display = QStringLiteral("か");
    b.judge.JudgeKanaKey(labels, 'k');
    b.judge.JudgeKanaKey(labels, 'a');  // finished: the judge now holds the forms of ""
    ASSERT_EQ(labels.display, QString());

    b.rnd.Script({0.0f});
    labels.display = b.mondai.GetQuestion();
    b.judge.JudgeKanaKey(labels, 'o');
    EXPECT_EQ(b.judge.GetMissCount(), 0);
    EXPECT_EQ(labels.display, QStringLiteral("めにかかる"));

    // An English draw leaves the judge's forms as they are: it still spells め.
    labels.display = b.mondai.GetEnglishQuestion();
    b.judge.JudgeKanaKey(labels, 'm');
    EXPECT_EQ(b.judge.GetMissCount(), 0);
    EXPECT_EQ(b.judge.GetCorrectCount(), 4);
}

TEST(QuestionBank, KanjiFormBeforeAnyDrawIsEmpty) {
    Bank b;
    EXPECT_EQ(b.mondai.GetKanjiQuestion(), QString());
}

TEST(StringTableText, ParsesRowsAndSkipsTheRest) {
    const StringTable t =
        StringTable::FromText(QStringLiteral("\uFEFF1\tKey Derby\r\n"
                                             "# 2\tcomment\n"
                                             "\n"
                                             "3\ttab\tinside\n"
                                             "x\tnot a number\n"
                                             "40000\ttoo big\n"
                                             "-5\tnegative\n"
                                             "\tno id\n"
                                             "7 no tab\n"
                                             "8\t\n"
                                             "9\tfirst\n"
                                             "9\tsecond\n"));
    EXPECT_EQ(t.LoadString(1), QStringLiteral("Key Derby"));
    EXPECT_EQ(t.LoadString(3), QStringLiteral("tab\tinside"));
    EXPECT_EQ(t.LoadString(9), QStringLiteral("second"));
    EXPECT_EQ(t.Ids(), QList<int>({1, 3, 8, 9}));
    EXPECT_TRUE(t.Has(8));
    EXPECT_EQ(t.LoadString(8), QString());
    for (int missing : {-1, 0, 2, 4, 7, 40000, 32767}) {
        EXPECT_FALSE(t.Has(missing)) << missing;
        EXPECT_EQ(t.LoadString(missing), QString()) << missing;
    }
}

TEST(StringTableText, ShippedSampleRows) {
    const StringTable& t = StringTable::Instance();
    const struct {
        int id;
        const char16_t* text;
    } rows[] = {
        {1, u"Key Derby"},     {101, u"お目にかかる"}, {102, u"おめにかかる"}, {103, u"顔を出す"},
        {104, u"かおをだす"},  {465, u"耳を汚す"},     {466, u"みみをけがす"}, {1000, u"forecast"},
        {1001, u"dictionary"}, {1800, u"veteran"},
    };
    for (const auto& r : rows) EXPECT_EQ(t.LoadString(r.id), QString::fromUtf16(r.text)) << r.id;
    EXPECT_EQ(AppTitle(), QStringLiteral("Key Derby"));
}

}  // namespace
}  // namespace kd
