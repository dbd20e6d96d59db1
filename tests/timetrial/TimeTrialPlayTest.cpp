#include <QGroupBox>
#include <QRadioButton>

#include "TimeTrialFixture.h"
#include "common/GameState.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Navigator.h"
#include "support/PlayProbe.h"
#include "timetrial/TimeTrialRunner.h"

using namespace kd;
using namespace kd::test;

namespace {

QPushButton* Button(QObject* f, const char* name) {
    return Find<QPushButton>(f, QLatin1String(name));
}

}  // namespace

TEST(TimeTrialRunner, ARankOfZeroOrLessKeepsTheStoredRank) {
    TimeTrialRunner c;
    c.SetCharaRank(2);
    c.SetCharaRank(0);
    c.SetCharaRank(-3);
    EXPECT_EQ(c.GetCharaRank(), 2);
    c.SetCharaRank(1);
    EXPECT_EQ(c.GetCharaRank(), 1);
}

using TimeTrialPlay = TimeTrialTest;

TEST_F(TimeTrialPlay, LoadsAtRestWithTheGenreFromItsFile) {
    TimeTrialScreen* f = OpenPlay();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Key Derby -TIME TRIAL-"));
    EXPECT_EQ(f->size(), QSize(647, 335));
    EXPECT_EQ(Find<QWidget>(f, QStringLiteral("track"))->geometry(), QRect(0, 144, 646, 190));
    EXPECT_EQ(Display(f), QStringLiteral("スペースでスタート"));
    EXPECT_EQ(Clock(f), QString());
    EXPECT_EQ(f->GetCharaX(), 5);
    EXPECT_EQ(f->runner.GetCharaName(), QStringLiteral("CrazyBallRed"));
    EXPECT_TRUE(Button(f, "settingsButton")->isEnabled());
    EXPECT_FALSE(Button(f, "retryButton")->isEnabled());
    // A missing genre file is created empty and plays idioms.
    EXPECT_EQ(GenreOf(f), QStringLiteral("kannyouku"));
    EXPECT_TRUE(QFile::exists(GenPath()));
    EXPECT_EQ(app.g.questions.GetGenre(), QStringLiteral("慣用句"));

    // Any value but 0 plays English.
    ASSERT_TRUE(WriteGenreValue(GenPath(), 2));
    TimeTrialScreen* again = OpenPlay();
    EXPECT_EQ(GenreOf(again), QStringLiteral("english"));
    EXPECT_EQ(app.g.questions.GetGenre(), QStringLiteral("英単語"));
}

TEST_F(TimeTrialPlay, CountdownThenTheFirstQuestionAndTheClock) {
    TimeTrialScreen* f = OpenPlay();
    Press(f, Qt::Key_Space);
    EXPECT_EQ(Display(f), QStringLiteral("Ready..."));
    EXPECT_EQ(DisplayColor(f), QColor(255, 0, 0));
    EXPECT_FALSE(Button(f, "settingsButton")->isEnabled());
    EXPECT_EQ(app.rnd.reseedCalls, 1);
    Press(f, Qt::Key_Space);  // ignored during the countdown
    EXPECT_EQ(app.rnd.reseedCalls, 1);

    Fire(f, QStringLiteral("readyGoTimer"));
    EXPECT_EQ(Display(f), QStringLiteral("Go!!"));
    EXPECT_EQ(DisplayColor(f), QColor(0, 255, 0));
    EXPECT_EQ(FindTimer(f, QStringLiteral("readyGoTimer"))->Interval(), 500);
    EXPECT_FALSE(f->IsPlaying());

    Fire(f, QStringLiteral("readyGoTimer"));
    EXPECT_TRUE(f->IsPlaying());
    EXPECT_FALSE(FindTimer(f, QStringLiteral("readyGoTimer"))->Enabled());
    EXPECT_EQ(Display(f), QStringLiteral("おめにかかる"));
    EXPECT_EQ(Find<QLabel>(f, QStringLiteral("questionText"))->text(), QStringLiteral("お目にかかる"));
    EXPECT_EQ(DisplayColor(f), QColor(255, 255, 255));
    EXPECT_TRUE(Button(f, "retryButton")->isEnabled());
    EXPECT_EQ(Clock(f), QStringLiteral("0.0"));

    // The clock is computed from the tick counter and wakes when its tenth is due to change.
    Timer* clock = FindTimer(f, QStringLiteral("clockTimer"));
    EXPECT_EQ(clock->Interval(), 50);
    app.clock.advance(5040);
    Fire(f, QStringLiteral("clockTimer"));
    EXPECT_EQ(Clock(f), QStringLiteral("5.0"));
    EXPECT_EQ(clock->Interval(), 10);
    app.clock.advance(10);
    Fire(f, QStringLiteral("clockTimer"));
    EXPECT_EQ(Clock(f), QStringLiteral("5.1"));
    EXPECT_EQ(clock->Interval(), 100);
    app.clock.advance(7295);
    Fire(f, QStringLiteral("clockTimer"));
    EXPECT_EQ(Clock(f), QStringLiteral("12.3"));

    // Idioms go through the romaji judge; a finished reading brings the next question.
    Type(f, QStringLiteral("omenikakaru"));
    EXPECT_EQ(f->GetCharaX(), 5 + 5 * 11);
    EXPECT_EQ(Display(f), QStringLiteral("おめにかかる"));
}

TEST_F(TimeTrialPlay, TheRunEndsOnExactlyThe114thCorrectKeyAndRecordsTheTickDifference) {
    UseEnglish();
    app.clock.set(-2000);  // the counter wraps during the run
    TimeTrialScreen* f = OpenPlay();
    StartRun(f);
    EXPECT_EQ(Display(f), QStringLiteral("forecast"));

    TypeCorrectKeys(f, 50, 100);
    Type(f, QStringLiteral("zzz"));  // misses cost time only
    EXPECT_EQ(f->GetCharaX(), 5 + 5 * 50);
    EXPECT_EQ(app.g.judge.GetMissCount(), 3);
    TypeCorrectKeys(f, 63, 100);
    EXPECT_TRUE(f->IsPlaying());
    EXPECT_EQ(f->GetCharaX(), 570);
    EXPECT_EQ(app.g.player.GetTimeTrialTime(), 0);

    TypeCorrectKeys(f, 1, 123);
    EXPECT_FALSE(f->IsPlaying());
    EXPECT_EQ(f->GetCharaX(), 575);
    EXPECT_EQ(app.g.judge.GetCorrectCount(), 114);
    EXPECT_EQ(app.g.player.GetTimeTrialTime(), 113 * 100 + 123);
    EXPECT_EQ(Display(f), QStringLiteral("Goal!!"));
    EXPECT_EQ(DisplayColor(f), QColor(0, 255, 0));
    EXPECT_EQ(Find<QLabel>(f, QStringLiteral("questionText"))->text(), QString());
    EXPECT_EQ(Find<QLabel>(f, QStringLiteral("romajiTyped"))->text(), QString());
    EXPECT_EQ(Clock(f), QStringLiteral("11.4"));
    EXPECT_FALSE(FindTimer(f, QStringLiteral("clockTimer"))->Enabled());

    // Keys after the goal are not judged; Space does not start another run.
    Type(f, QStringLiteral("f "));
    EXPECT_EQ(app.g.judge.GetCorrectCount(), 114);
    EXPECT_EQ(app.g.judge.GetMissCount(), 3);
    EXPECT_EQ(Display(f), QStringLiteral("Goal!!"));

    EXPECT_EQ(Fire(f, QStringLiteral("finishTimer")), 1);
    EXPECT_EQ(app.nav.LastShown(), Screen::ResultTimeTrial);
}

TEST_F(TimeTrialPlay, TheTrackShowsOneBallWhereverItHasMoved) {
    UseEnglish();
    TimeTrialScreen* f = OpenPlay();
    auto* track = Find<DrawingArea>(f, QStringLiteral("track"));
    auto expectOneBallAt = [&](int x) {
        DrawingArea fresh(nullptr, QStringLiteral("fresh"), 0, 0, 646, 190);
        fresh.SetBackground(Bitmap(QStringLiteral("TRACK")));
        fresh.DrawPixmap(CharaBitmap(1), x, 93);
        EXPECT_TRUE(track->Canvas() == fresh.Canvas()) << "ball at " << x;
    };
    expectOneBallAt(5);
    StartRun(f);
    TypeCorrectKeys(f, 37);
    expectOneBallAt(190);
    Press(f, Qt::Key_Escape);
    expectOneBallAt(5);
}

TEST_F(TimeTrialPlay, SpaceWhileRunningIsTypedLikeAnyOtherKey) {
    UseEnglish();
    TimeTrialScreen* f = OpenPlay();
    StartRun(f);
    Press(f, Qt::Key_Space);
    EXPECT_EQ(app.g.judge.GetMissCount(), 1);
    EXPECT_EQ(app.rnd.reseedCalls, 1);
    EXPECT_EQ(Display(f), QStringLiteral("forecast"));
}

TEST_F(TimeTrialPlay, EscReturnsToRestFromEveryState) {
    UseEnglish();
    TimeTrialScreen* f = OpenPlay();
    auto expectRest = [&](const char* when) {
        EXPECT_EQ(Display(f), QStringLiteral("スペースでスタート")) << when;
        EXPECT_FALSE(f->IsPlaying()) << when;
        EXPECT_EQ(f->GetCharaX(), 5) << when;
        EXPECT_EQ(Clock(f), QString()) << when;
        EXPECT_TRUE(Button(f, "settingsButton")->isEnabled()) << when;
        EXPECT_FALSE(Button(f, "retryButton")->isEnabled()) << when;
        EXPECT_EQ(app.g.judge.GetCorrectCount(), 0) << when;
        for (const char* t : {"readyGoTimer", "finishTimer", "clockTimer"})
            EXPECT_FALSE(FindTimer(f, QLatin1String(t))->Enabled()) << when << " " << t;
        EXPECT_EQ(FindTimer(f, QStringLiteral("readyGoTimer"))->Interval(), 1000) << when;
    };

    Press(f, Qt::Key_Space);
    Fire(f, QStringLiteral("readyGoTimer"));  // "Go!!" shown
    Press(f, Qt::Key_Escape);
    expectRest("during the countdown");

    StartRun(f);
    TypeCorrectKeys(f, 20, 50);
    Press(f, Qt::Key_Escape);
    expectRest("while running");
    EXPECT_EQ(app.g.player.GetTimeTrialTime(), 0);

    StartRun(f);
    TypeCorrectKeys(f, 114, 100);
    ASSERT_EQ(Display(f), QStringLiteral("Goal!!"));
    Press(f, Qt::Key_Escape);
    expectRest("after the goal");
    // The time already handed over stays, but no result screen opens.
    EXPECT_EQ(app.g.player.GetTimeTrialTime(), 11400);
    EXPECT_EQ(Fire(f, QStringLiteral("finishTimer")), 0);
    EXPECT_EQ(app.nav.LastShown(), Screen::TimeTrial);

    // The retry button does the same.
    StartRun(f);
    Click(Button(f, "retryButton"));
    expectRest("after the retry button");
}

TEST_F(TimeTrialPlay, BackspaceAndTheCloseBoxLeaveForTheMainMenuWithoutATime) {
    UseEnglish();
    TimeTrialScreen* f = OpenPlay();
    StartRun(f);
    TypeCorrectKeys(f, 10, 100);
    Press(f, Qt::Key_Backspace);
    EXPECT_EQ(app.nav.LastShown(), Screen::Main);
    EXPECT_TRUE(f->IsClosing());
    EXPECT_EQ(app.g.player.GetTimeTrialTime(), 0);

    TimeTrialScreen* second = OpenPlay();
    StartRun(second);
    second->close();
    EXPECT_EQ(app.nav.LastShown(), Screen::Main);
    EXPECT_FALSE(second->isVisible());
    EXPECT_EQ(app.g.player.GetTimeTrialTime(), 0);
}

TEST_F(TimeTrialPlay, TheGenreDialogCancelsWithoutWritingAndOkPlaysEnglishAtOnce) {
    TimeTrialScreen* f = OpenPlay();
    Click(Button(f, "settingsButton"));
    auto* dlg = app.Current<ScreenBase>();
    ASSERT_TRUE(dlg && dlg != f);
    EXPECT_EQ(dlg->objectName(), QStringLiteral("TimeTrialGenreDialog"));
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("設定"));
    EXPECT_EQ(dlg->size(), QSize(388, 102));
    auto* jp = Find<QRadioButton>(dlg, QStringLiteral("genreJapanese"));
    auto* eng = Find<QRadioButton>(dlg, QStringLiteral("genreEnglish"));
    EXPECT_TRUE(jp->isChecked());
    EXPECT_EQ(ForeColor(jp), QColor(255, 0, 0));
    EXPECT_EQ(ForeColor(eng), QColor(0, 0, 0));
    eng->click();
    EXPECT_EQ(ForeColor(eng), QColor(255, 0, 0));
    EXPECT_EQ(ForeColor(jp), QColor(0, 0, 0));
    Click(Find<QPushButton>(dlg, QStringLiteral("cancelButton")));
    EXPECT_TRUE(dlg->IsClosing());
    EXPECT_EQ(app.ReadFile(GenPath()), QByteArray());  // created empty by the reading only
    EXPECT_EQ(GenreOf(f), QStringLiteral("kannyouku"));

    Click(Button(f, "settingsButton"));
    dlg = app.Current<ScreenBase>();
    Find<QRadioButton>(dlg, QStringLiteral("genreEnglish"))->click();
    Click(Find<QPushButton>(dlg, QStringLiteral("okButton")));
    EXPECT_TRUE(dlg->IsClosing());
    EXPECT_EQ(app.ReadFile(GenPath()), Record("01 00"));
    EXPECT_EQ(GenreOf(f), QStringLiteral("english"));
    StartRun(f);
    EXPECT_EQ(Display(f), QStringLiteral("forecast"));
    EXPECT_EQ(app.g.questions.GetGenre(), QStringLiteral("英単語"));
}

TEST_F(TimeTrialPlay, TheGenreDialogShowsJapaneseForAnOddValueAndOkRewritesIt) {
    ASSERT_TRUE(WriteGenreValue(GenPath(), 2));
    TimeTrialScreen* f = OpenPlay();
    EXPECT_EQ(GenreOf(f), QStringLiteral("english"));
    Click(Button(f, "settingsButton"));
    ScreenBase* dlg = app.Current<ScreenBase>();
    EXPECT_TRUE(Find<QRadioButton>(dlg, QStringLiteral("genreJapanese"))->isChecked());
    Press(dlg, Qt::Key_Return);
    EXPECT_TRUE(dlg->IsClosing());
    EXPECT_EQ(app.ReadFile(GenPath()), Record("00 00"));
    EXPECT_EQ(GenreOf(f), QStringLiteral("kannyouku"));
}
