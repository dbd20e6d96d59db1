// The training aids against the real play screens: the romaji guide typed key for key through
// a practice, and the missed questions of a practice as its events tell them.
#include "ChainKit.h"
#include "common/GameState.h"
#include "engine/RomajiGuide.h"
#include "learning/MissedQuestions.h"

using namespace kd;
using namespace kd::test;

namespace {

const QList<float> kDraws{0.11f, 0.53f, 0.27f, 0.71f, 0.93f, 0.05f, 0.39f, 0.61f, 0.84f, 0.18f,
                          0.45f, 0.66f, 0.02f, 0.77f, 0.31f, 0.58f, 0.89f, 0.23f, 0.49f, 0.97f};

struct TrainingApp : ChainApp {
    TrainingApp(bool english) {
        UsePlayer();
        // 60 s of idioms, or 5 s of English words.
        WriteFile(Player("DATA/PracticeTime"), english ? Record("05 00 07 00 65 6E 67 6C 69 73 68")
                                                       : Record("3C 00 09 00 6B 61 6E 6E 79 6F 75 6B 75"));
        rnd.Script(kDraws);
    }
};

}  // namespace

// Typing exactly what the guide shows never misses on the real screen, whatever the choices.
TEST(TrainingChain, GuideTypesThroughARealPracticeWithoutAMiss) {
    for (const char* choices : {"", "si=si;ti=ti;tu=tu;hu=hu;zi=zi;sya=sya;tya=tya;zya=zya;nn=n"}) {
        SCOPED_TRACE(choices);
        TrainingApp app(false);
        ScreenBase* practice = app.nav.Show(Screen::Practice);
        StartPlay(practice);
        RomajiGuide guide(RomajiChoices::FromText(QString::fromLatin1(choices)));
        const TypingJudge& judge = app.g.judge;
        int questions = 0;
        for (int key = 0; key < 400; ++key) {
            const QString display = DisplayText(practice);
            const GuideLine line = guide.Line(judge, display);
            ASSERT_EQ(line.next.size(), 1) << display.toStdString();
            guide.BeforeKey(judge, display, line.next.at(0).unicode());
            Type(practice, line.next);
            if (DisplayText(practice) != display && line.rest.isEmpty()) ++questions;
        }
        EXPECT_EQ(judge.GetMissCount(), 0);
        EXPECT_EQ(judge.GetCorrectCount(), 400);
        EXPECT_GT(questions, 10);
    }
}

// The questions a practice missed, each once, in order; the retry plays exactly those.
TEST(TrainingChain, MissedQuestionsOfARealPractice) {
    TrainingApp app(true);
    MissedQuestions missed;
    app.g.play.Add(&missed);
    ScreenBase* practice = app.nav.Show(Screen::Practice);
    StartPlay(practice);
    QStringList expected;
    for (int word = 0; word < 6; ++word) {
        const QString w = Text(practice, QStringLiteral("questionText"));
        if (word % 2 == 1) {
            TypeWrong(practice, 2);
            if (!expected.contains(w)) expected << w;
        }
        TypeHead(practice, int(w.size()));
    }
    // The seventh word is cut off by the end of the time, after a miss.
    const QString last = Text(practice, QStringLiteral("questionText"));
    TypeWrong(practice);
    if (!expected.contains(last)) expected << last;
    app.clock.advance(5000);
    Fire(practice, QStringLiteral("countdownTimer"));
    ASSERT_EQ(DisplayText(practice), "FINISH!!");
    app.g.play.Remove(&missed);

    QStringList got;
    for (const QuestionShown& q : missed.Missed()) got << q.text;
    EXPECT_EQ(got, expected);
    EXPECT_EQ(missed.Genre(), "english");
    FixedQuestions retry(missed.Missed());
    for (const QString& w : expected) EXPECT_EQ(retry.Next().reading, w);
}
