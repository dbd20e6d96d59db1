#include <QDir>
#include <QFile>

#include "PracticeFixture.h"
#include "common/Format.h"
#include "questions/StringTable.h"
#include "support/PlayProbe.h"

using namespace kd;
using namespace kd::test;

TEST_F(PracticeTest, FirstOpeningWritesTheDefaultSettingAndShowsIt) {
    QDir(app.PlayerPath(QStringLiteral("DATA"))).removeRecursively();  // DATA is made when missing
    PracticeScreen* f = OpenPractice();
    ASSERT_TRUE(f);
    EXPECT_EQ(app.ReadFile(PracticeFile()), IdiomsSetting("3C 00"));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Key Derby -PRACTICE-"));
    EXPECT_EQ(Find<QLabel>(f, "practiceTimeText")->text(), QStringLiteral("練習時間：1分 0秒"));
    EXPECT_EQ(Nokori(f), QStringLiteral("60.0"));
    EXPECT_EQ(Find<QLabel>(f, "genreText")->text(), QStringLiteral("ジャンル：慣用句"));
    EXPECT_EQ(Find<QLabel>(f, "settingsHeading")->text(), QStringLiteral("-----設定内容-----"));
    EXPECT_EQ(GenreOf(f), QStringLiteral("kannyouku"));
    EXPECT_EQ(Display(f), QStringLiteral("スペースでスタート"));
    EXPECT_TRUE(Find<QPushButton>(f, "settingsButton")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(f, "retryButton")->isEnabled());
    // Space must never click a button.
    for (QPushButton* b : f->findChildren<QPushButton*>()) EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
}

TEST_F(PracticeTest, StoredSettingsAreShownAsStored) {
    struct Case {
        QByteArray record;
        const char* time;
        const char* nokori;
        const char* genre;
        const char* tag;
    } cases[] = {
        {IdiomsSetting("5A 00"), "練習時間：1分 30秒", "90.0", "ジャンル：慣用句", "kannyouku"},
        {EnglishSetting("FF FF"), "練習時間：無制限", "無制限", "ジャンル：英単語", "english"},
        {EnglishSetting("8F 02"), "練習時間：10分 55秒", "655.0", "ジャンル：英単語", "english"},
    };
    for (const Case& c : cases) {
        StoreSetting(c.record);
        PracticeScreen* f = OpenPractice();
        EXPECT_EQ(Find<QLabel>(f, "practiceTimeText")->text(), QString::fromUtf8(c.time));
        EXPECT_EQ(Nokori(f), QString::fromUtf8(c.nokori));
        EXPECT_EQ(Find<QLabel>(f, "genreText")->text(), QString::fromUtf8(c.genre));
        EXPECT_EQ(GenreOf(f), QString::fromUtf8(c.tag));
        EXPECT_EQ(app.ReadFile(PracticeFile()), c.record) << "a sound setting is not rewritten";
        f->CloseScreen();
    }
}

TEST_F(PracticeTest, AnUnusableSettingIsRepairedSoTheScreenCanBePlayed) {
    // An empty file (created by an earlier read) and a damaged record.
    struct Case {
        QByteArray stored;
        QByteArray repaired;
        const char* genre;
    } cases[] = {
        {QByteArray(), IdiomsSetting("3C 00"), "ジャンル：慣用句"},
        {Record("00 00 07 00 65 6E 67 6C 69 73 68"), EnglishSetting("3C 00"), "ジャンル：英単語"},
        {Record("1E 00 03 00 78 79 7A"), IdiomsSetting("1E 00"), "ジャンル：慣用句"},
    };
    for (const Case& c : cases) {
        StoreSetting(c.stored);
        PracticeScreen* f = OpenPractice();
        EXPECT_EQ(app.ReadFile(PracticeFile()), c.repaired);
        EXPECT_EQ(Find<QLabel>(f, "genreText")->text(), QString::fromUtf8(c.genre));
        StartGame(f);
        EXPECT_TRUE(f->IsPlaying());
        EXPECT_FALSE(Find<QLabel>(f, "questionText")->text().isEmpty()) << "a question is up";
        f->CloseScreen();
    }
}

TEST_F(PracticeTest, ReadyGoThenTheFirstQuestionAndTheCountdown) {
    StoreSetting(EnglishSetting("5A 00"));
    PracticeScreen* f = OpenPractice();
    Press(f, Qt::Key_Space);
    EXPECT_EQ(app.rnd.reseedCalls, 1);
    EXPECT_EQ(Display(f), QStringLiteral("Ready..."));
    EXPECT_EQ(Find<TypingPanel>(f, "panel")->DisplayColor(), kRed);
    EXPECT_FALSE(Find<QPushButton>(f, "settingsButton")->isEnabled());
    EXPECT_EQ(FindTimer(f, QStringLiteral("readyGoTimer"))->Interval(), 1000);

    Press(f, Qt::Key_Space);  // the timer runs: nothing
    EXPECT_EQ(app.rnd.reseedCalls, 1);
    Fire(f, QStringLiteral("readyGoTimer"));
    EXPECT_EQ(Display(f), QStringLiteral("Go!!"));
    EXPECT_EQ(Find<TypingPanel>(f, "panel")->DisplayColor(), kGreen);
    EXPECT_EQ(FindTimer(f, QStringLiteral("readyGoTimer"))->Interval(), 500);
    Press(f, Qt::Key_Space);
    EXPECT_EQ(Display(f), QStringLiteral("Go!!"));
    EXPECT_FALSE(f->IsPlaying());

    Fire(f, QStringLiteral("readyGoTimer"));
    EXPECT_EQ(Display(f), QStringLiteral("forecast"));
    EXPECT_EQ(Find<QLabel>(f, "questionText")->text(), QStringLiteral("forecast"));
    EXPECT_EQ(Find<TypingPanel>(f, "panel")->DisplayColor(), kWhite);
    EXPECT_TRUE(f->IsPlaying());
    EXPECT_EQ(f->GetStartTick(), app.clock.GetTickCount());
    EXPECT_FALSE(FindTimer(f, QStringLiteral("readyGoTimer"))->Enabled());
    EXPECT_TRUE(Find<QPushButton>(f, "retryButton")->isEnabled());
    EXPECT_EQ(Nokori(f), QStringLiteral("90.0"));

    // The remaining time follows the clock, one decimal, whenever the timer ticks.
    const struct {
        int atMs;
        const char* shown;
    } steps[] = {{16, "90.0"}, {1234, "88.8"}, {45678, "44.3"}, {89951, "0.0"}, {89949, "0.1"}};
    const qint32 start = f->GetStartTick();
    for (const auto& s : steps) {
        app.clock.set(start + s.atMs);
        Fire(f, QStringLiteral("countdownTimer"));
        EXPECT_EQ(Nokori(f), QString::fromLatin1(s.shown)) << s.atMs;
    }
    // Space during the game is a miss.
    Press(f, Qt::Key_Space);
    EXPECT_EQ(app.g.judge.GetMissCount(), 1);
    EXPECT_TRUE(f->IsPlaying());

    // The timer wakes when the shown tenth changes, not before and not later.
    Timer* countdown = FindTimer(f, QStringLiteral("countdownTimer"));
    for (int atMs : {0, 1234, 30050, 30051, 89900, 89950, 89951}) {
        app.clock.set(start + atMs);
        Fire(f, QStringLiteral("countdownTimer"));
        const QString now = Nokori(f);
        const int wait = countdown->Interval();
        ASSERT_GE(wait, 1);
        ASSERT_LE(wait, 100);
        app.clock.set(start + atMs + wait - 1);
        Fire(f, QStringLiteral("countdownTimer"));
        EXPECT_EQ(Nokori(f), now) << atMs;
        app.clock.set(start + atMs + wait);
        Fire(f, QStringLiteral("countdownTimer"));
        if (f->IsPlaying())
            EXPECT_NE(Nokori(f), now) << atMs;
        else
            EXPECT_EQ(atMs + wait, 90000) << "the last wake is the end of the time";
        if (!f->IsPlaying()) break;
    }
    ASSERT_FALSE(f->IsPlaying());
    EXPECT_EQ(Display(f), QStringLiteral("FINISH!!"));
}

TEST_F(PracticeTest, AWholeTimedPracticeFromSpaceToTheResult) {
    StoreSetting(EnglishSetting("05 00"));
    QPointer<PracticeScreen> f = OpenPractice();
    StartGame(f);
    Type(f, QStringLiteral("fore"));
    EXPECT_EQ(Display(f), QStringLiteral("cast"));
    Type(f, QStringLiteral("x"));  // a miss changes nothing on screen
    EXPECT_EQ(Display(f), QStringLiteral("cast"));
    Type(f, QStringLiteral("cast"));
    EXPECT_EQ(Display(f), QStringLiteral("forecast")) << "the next word follows at once";
    Type(f, QStringLiteral("F"));  // case matters
    Advance(2500);
    Fire(f, QStringLiteral("countdownTimer"));
    EXPECT_EQ(Nokori(f), QStringLiteral("2.5"));
    Type(f, QStringLiteral("f"));
    EXPECT_EQ(app.g.judge.GetCorrectCount(), 9);
    EXPECT_EQ(app.g.judge.GetMissCount(), 2);

    // Time is up before the next tick: the late key is not judged.
    Advance(2500);
    Type(f, QStringLiteral("o"));
    EXPECT_EQ(app.g.judge.GetCorrectCount(), 9);
    EXPECT_FALSE(f->IsPlaying());
    EXPECT_EQ(Display(f), QStringLiteral("FINISH!!"));
    EXPECT_EQ(Find<TypingPanel>(f, "panel")->DisplayColor(), kGreen);
    EXPECT_EQ(Find<QLabel>(f, "questionText")->text(), QString());
    EXPECT_EQ(Find<QLabel>(f, "romajiTyped")->text(), QString());
    EXPECT_EQ(Nokori(f), QStringLiteral("0.0"));
    EXPECT_FALSE(FindTimer(f, QStringLiteral("countdownTimer"))->Enabled());
    Press(f, Qt::Key_Space);  // the result is on its way: no new game
    EXPECT_EQ(Display(f), QStringLiteral("FINISH!!"));
    EXPECT_EQ(app.nav.LastShown(), Screen::Practice);

    ASSERT_EQ(Fire(f, QStringLiteral("finishTimer")), 1);
    EXPECT_EQ(app.nav.LastShown(), Screen::ResultPractice);
    auto* r = app.Current<PracticeResultScreen>();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->totalKeysText->text(), QStringLiteral("全打数：11"));
    EXPECT_EQ(r->correctCountText->text(), QStringLiteral("正打数：9"));
    EXPECT_EQ(r->missCountText->text(), QStringLiteral("誤打数：2"));
    EXPECT_EQ(r->correctRateText->text(), QStringLiteral("正答率：81.8%"));
    EXPECT_EQ(r->practiceTimeText->text(), QStringLiteral("練習時間：0分 5秒"));
    EXPECT_EQ(r->typesPerSecText->text(), QStringLiteral("Types/Sec.：1.80"));
    EXPECT_EQ(r->genreText->text(), QStringLiteral("ジャンル：英単語"));
    // 2024/05/01, 81.8%, 1.8, 0分 5秒, 英単語
    EXPECT_EQ(app.ReadFile(PracticeFile()).toHex(' '),
              (EnglishSetting("05 00") +
               Record("08 00 0A 00 32 30 32 34 2F 30 35 2F 30 31 08 00 05 00 38 31 2E 38 25 66 66 E6 3F"
                      " 08 00 07 00 30 95 AA 20 35 95 62 06 00 89 70 92 50 8C EA") +
               QByteArray(9 * 128, '\0'))
                  .toHex(' '));
    EXPECT_TRUE(f.isNull() || f->IsClosing());
}

TEST_F(PracticeTest, RetryReturnsToTheStartStateFromEveryStep) {
    // How far the game got before Esc.
    enum Step { Ready, Go, Playing, Finished };
    for (Step step : {Ready, Go, Playing, Finished}) {
        StoreSetting(EnglishSetting("05 00"));
        PracticeScreen* f = OpenPractice();
        Press(f, Qt::Key_Space);
        if (step >= Go) Fire(f, QStringLiteral("readyGoTimer"));
        if (step >= Playing) {
            Fire(f, QStringLiteral("readyGoTimer"));
            Type(f, QStringLiteral("fox"));
        }
        if (step >= Finished) {
            Advance(5000);
            Fire(f, QStringLiteral("countdownTimer"));
            ASSERT_EQ(Display(f), QStringLiteral("FINISH!!"));
        }
        Press(f, Qt::Key_Escape);
        EXPECT_EQ(Display(f), QStringLiteral("スペースでスタート")) << step;
        EXPECT_FALSE(f->IsPlaying());
        EXPECT_EQ(f->GetStartTick(), -1);
        EXPECT_EQ(Nokori(f), QString()) << "empty until the next countdown writes it";
        EXPECT_EQ(Find<QLabel>(f, "questionText")->text(), QString());
        EXPECT_EQ(app.g.judge.GetCorrectCount() + app.g.judge.GetMissCount(), 0);
        EXPECT_TRUE(Find<QPushButton>(f, "settingsButton")->isEnabled());
        EXPECT_FALSE(Find<QPushButton>(f, "retryButton")->isEnabled());
        EXPECT_FALSE(FindTimer(f, QStringLiteral("readyGoTimer"))->Enabled());
        EXPECT_FALSE(FindTimer(f, QStringLiteral("countdownTimer"))->Enabled());
        // The result of a cancelled finish never comes.
        Fire(f, QStringLiteral("finishTimer"));
        EXPECT_EQ(app.nav.LastShown(), Screen::Practice) << step;

        // The next Space starts a fresh game of the same genre, with a full second of
        // "FINISH!!" at its end.
        StartGame(f);
        EXPECT_TRUE(f->IsPlaying()) << step;
        EXPECT_EQ(Display(f), QStringLiteral("forecast"));
        Type(f, QStringLiteral("f"));
        EXPECT_EQ(app.g.judge.GetCorrectCount(), 1);
        Advance(5000);
        Fire(f, QStringLiteral("countdownTimer"));
        EXPECT_EQ(Display(f), QStringLiteral("FINISH!!"));
        EXPECT_TRUE(FindTimer(f, QStringLiteral("finishTimer"))->Enabled());
        Fire(f, QStringLiteral("finishTimer"));
        auto* r = app.Current<PracticeResultScreen>();
        ASSERT_TRUE(r);
        EXPECT_EQ(r->genreText->text(), QStringLiteral("ジャンル：英単語"));
        EXPECT_EQ(r->totalKeysText->text(), QStringLiteral("全打数：1"));
        r->CloseScreen();
        app.Flush();
    }
}

TEST_F(PracticeTest, BackspaceAndTheCloseBoxLeaveForTheMainMenuAtAnyTime) {
    for (bool closeBox : {false, true}) {
        StoreSetting(EnglishSetting("05 00"));
        QPointer<PracticeScreen> f = OpenPractice();
        StartGame(f);
        Type(f, QStringLiteral("fo"));
        if (closeBox)
            f->close();
        else
            Press(f, Qt::Key_Backspace);
        EXPECT_EQ(app.nav.LastShown(), Screen::Main);
        EXPECT_EQ(app.g.judge.GetCorrectCount(), 2) << "Backspace is not judged";
        app.Flush();
        EXPECT_TRUE(f.isNull());
        EXPECT_EQ(app.nav.shown.count(Screen::ResultPractice), 0);
        app.nav.shown.clear();
    }
}

TEST_F(PracticeTest, WithoutALimitNoCountdownRunsAndNoResultFollows) {
    StoreSetting(EnglishSetting("FF FF"));
    PracticeScreen* f = OpenPractice();
    StartGame(f);
    EXPECT_TRUE(f->IsPlaying());
    EXPECT_FALSE(FindTimer(f, QStringLiteral("countdownTimer"))->Enabled());
    EXPECT_EQ(Nokori(f), QStringLiteral("無制限"));
    Advance(11 * 60 * 1000);
    Type(f, QStringLiteral("forecastf"));
    EXPECT_TRUE(f->IsPlaying());
    EXPECT_EQ(app.g.judge.GetCorrectCount(), 9);
    EXPECT_FALSE(FindTimer(f, QStringLiteral("finishTimer"))->Enabled());

    Press(f, Qt::Key_Escape);
    EXPECT_EQ(Nokori(f), QString());
    StartGame(f);
    EXPECT_EQ(Nokori(f), QString()) << "stays empty without a limit";
}

TEST_F(PracticeTest, TheSettingIsReadAgainWhenEachGameStarts) {
    StoreSetting(IdiomsSetting("3C 00"));
    PracticeScreen* f = OpenPractice();
    // Changed behind the screen (the dialog writes the file before it updates the screen).
    StoreSetting(IdiomsSetting("0A 00"));
    StartGame(f);
    EXPECT_EQ(Nokori(f), QStringLiteral("10.0"));
    EXPECT_EQ(Find<QLabel>(f, "questionText")->text(), QStringLiteral("お目にかかる"));
    EXPECT_EQ(Display(f), QStringLiteral("おめにかかる"));
}

TEST_F(PracticeTest, FiftyIdiomKeysInAMinuteThroughTheRealScreens) {
    PracticeScreen* f = OpenPractice();  // the default: 60 s of idioms
    StartGame(f);
    EXPECT_EQ(Find<QLabel>(f, "questionText")->text(), QStringLiteral("お目にかかる"));
    Type(f, QStringLiteral("om"));
    EXPECT_EQ(Display(f), QStringLiteral("めにかかる"));
    EXPECT_EQ(Find<QLabel>(f, "romajiTyped")->text(), QStringLiteral("m"));
    Type(f, QStringLiteral("enikakaru"));
    EXPECT_EQ(Display(f), QStringLiteral("おめにかかる")) << "the next question";
    EXPECT_EQ(Find<QLabel>(f, "questionText")->text(), QStringLiteral("お目にかかる"));
    Advance(30000);
    Type(f, QStringLiteral("omenikakaruomenikakaruomenikakaruomenik"));
    EXPECT_EQ(app.g.judge.GetCorrectCount(), 50);
    Advance(30000);
    Fire(f, QStringLiteral("countdownTimer"));
    Fire(f, QStringLiteral("finishTimer"));
    auto* r = app.Current<PracticeResultScreen>();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->typesPerSecText->text(), QStringLiteral("Types/Sec.：0.83"));
    EXPECT_EQ(r->correctRateText->text(), QStringLiteral("正答率：100.0%"));
    EXPECT_EQ(r->genreText->text(), QStringLiteral("ジャンル：慣用句"));
    EXPECT_EQ(r->historyTypesPerSec[0]->text(), QStringLiteral("0.8"));
}
