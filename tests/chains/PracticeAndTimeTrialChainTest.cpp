#include <QLineEdit>
#include <QRadioButton>

#include "ChainKit.h"
#include "practice/UpDown.h"
#include "support/PlayProbe.h"

using namespace kd;
using namespace kd::test;

namespace {

// One practice-history record as stored: date, rate and practice time as text variants, the
// speed as a single, the genre label as text.
QByteArray HistoryRecord(const char* rateHex, const char* tpsHex) {
    const QByteArray hex = QByteArray("08 00 0A 00 32 30 32 34 2F 30 35 2F 30 31 ") + rateHex + " " + tpsHex +
                           " 08 00 07 00 30 95 AA 20 35 95 62 06 00 89 70 92 50 8C EA";
    return Record(hex.constData());
}

// A ranking place: name "R", the given time, "99.9%", score 13000, grade "S", "英単語".
QByteArray RankRecord(quint32 ms) {
    QByteArray time(4, '\0');
    for (int i = 0; i < 4; ++i) time[i] = char((ms >> (8 * i)) & 0xFF);
    return Record((QByteArray("01 00 52 ") + time.toHex(' ') +
                   " 05 00 39 39 2E 39 25 C8 32 01 00 53 06 00 89 70 92 50 8C EA")
                      .constData());
}

}  // namespace

TEST(PracticeChain, SettingsPlayTimeUpResultAndBackToTheMenu) {
    ChainApp app;
    StartAs(app, QStringLiteral("Tester"));
    ChooseMenuItem(app, 0);
    ASSERT_EQ(app.NowScreen(), Screen::Practice);
    QWidget* practice = app.Now();
    EXPECT_EQ(app.ReadFile(app.Player("DATA/PracticeTime")),
              Record("3C 00 09 00 6B 61 6E 6E 79 6F 75 6B 75"));

    // English words for five seconds: minutes one step down, seconds one step up.
    Click(Button(practice, QStringLiteral("settingsButton")));
    ASSERT_EQ(app.NowName(), "PracticeSettingsDialog");
    QWidget* dialog = app.Now();
    Click(Find<QRadioButton>(dialog, QStringLiteral("genreChoice1")));
    Click(Find<UpDown>(dialog, QStringLiteral("minutesUpDown"))->downButton);
    Click(Find<UpDown>(dialog, QStringLiteral("secondsUpDown"))->upButton);
    Click(Button(dialog, QStringLiteral("okButton")));
    TestApp::Flush();
    ASSERT_EQ(app.Now(), practice);
    EXPECT_EQ(Text(practice, "practiceTimeText"), "練習時間：0分 5秒");
    EXPECT_EQ(Text(practice, "remainingTime"), "5.0");
    EXPECT_EQ(Text(practice, "genreText"), "ジャンル：英単語");

    // Eight correct and two wrong keys, then the time runs out.
    StartPlay(practice);
    for (int i = 0; i < 10; ++i) {
        app.clock.advance(400);
        if (i % 5 == 4)
            TypeWrong(practice);
        else
            TypeHead(practice);
    }
    Fire(practice, QStringLiteral("countdownTimer"));
    EXPECT_EQ(Text(practice, "remainingTime"), "1.0");
    app.clock.advance(1000);
    Fire(practice, QStringLiteral("countdownTimer"));
    EXPECT_EQ(DisplayText(practice), "FINISH!!");
    TypeHead(practice);  // too late: counts for nothing
    Fire(practice, QStringLiteral("finishTimer"));
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::ResultPractice);
    QWidget* result = app.Now();
    EXPECT_EQ(Text(result, "totalKeysText"), "全打数：10");
    EXPECT_EQ(Text(result, "correctCountText"), "正打数：8");
    EXPECT_EQ(Text(result, "missCountText"), "誤打数：2");
    EXPECT_EQ(Text(result, "correctRateText"), "正答率：80.0%");
    EXPECT_EQ(Text(result, "practiceTimeText"), "練習時間：0分 5秒");
    EXPECT_EQ(Text(result, "typesPerSecText"), "Types/Sec.：1.60");
    EXPECT_EQ(Text(result, "genreText"), "ジャンル：英単語");
    EXPECT_EQ(Text(result, "historyTypesPerSec0"), "1.6");

    // OK opens a fresh practice screen; a game without keys; Enter on the result.
    Click(Button(result, QStringLiteral("okButton")));
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::Practice);
    practice = app.Now();
    EXPECT_EQ(Text(practice, "genreText"), "ジャンル：英単語");
    StartPlay(practice);
    app.clock.advance(5000);
    Fire(practice, QStringLiteral("countdownTimer"));
    Fire(practice, QStringLiteral("finishTimer"));
    ASSERT_EQ(app.NowScreen(), Screen::ResultPractice);
    EXPECT_EQ(Text(app.Now(), "historyCorrectRate0"), "0.0%");
    EXPECT_EQ(Text(app.Now(), "historyCorrectRate1"), "80.0%");
    EXPECT_EQ(Text(app.Now(), "historyDate2"), "");
    Press(app.Now(), Qt::Key_Return);
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::Practice);

    // Esc during a game abandons it without a result; Backspace goes back to the menu.
    StartPlay(app.Now());
    Press(app.Now(), Qt::Key_Escape);
    app.clock.advance(6000);
    EXPECT_EQ(Fire(app.Now(), QStringLiteral("countdownTimer")), 0);
    Press(app.Now(), Qt::Key_Backspace);
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::Main);
    EXPECT_EQ(app.nav.OpenForms().size(), 1);

    QByteArray expected = Record("05 00 07 00 65 6E 67 6C 69 73 68");
    expected += HistoryRecord("08 00 04 00 30 2E 30 25", "00 00 00 00");     // 0.0%, 0
    expected += HistoryRecord("08 00 05 00 38 30 2E 30 25", "CD CC CC 3F");  // 80.0%, 1.6
    for (int i = 0; i < 8; ++i) expected += Record("");
    EXPECT_EQ(app.ReadFile(app.Player("DATA/PracticeTime")), expected);
}

TEST(TimeTrialChain, RankedRunNameRankingAndTryAgain) {
    ChainApp app;
    StartAs(app, QStringLiteral("Tester"));
    ChooseMenuItem(app, 1);
    ASSERT_EQ(app.NowScreen(), Screen::TimeTrial);
    ScreenBase* play = app.Now();
    EXPECT_EQ(GenreOf(play), "kannyouku");
    EXPECT_EQ(app.ReadFile(app.Player("DATA/gen")), QByteArray()) << "created empty by reading";

    Click(Button(play, QStringLiteral("settingsButton")));
    ASSERT_EQ(app.NowName(), "TimeTrialGenreDialog");
    Click(Find<QRadioButton>(app.Now(), QStringLiteral("genreEnglish")));
    Click(Button(app.Now(), QStringLiteral("okButton")));
    TestApp::Flush();
    ASSERT_EQ(app.Now(), play);
    EXPECT_EQ(GenreOf(play), "english");
    EXPECT_EQ(app.ReadFile(app.Player("DATA/gen")), Record("01 00"));

    // Three wrong keys, then 114 correct ones, 100 ms apart: the goal at 11.7 s.
    StartPlay(play);
    for (int i = 0; i < 3; ++i) {
        app.clock.advance(100);
        TypeWrong(play);
    }
    for (int i = 0; i < 114; ++i) {
        app.clock.advance(100);
        TypeHead(play);
    }
    EXPECT_EQ(DisplayText(play), "Goal!!");
    EXPECT_EQ(Text(play, "elapsedTime"), "11.7");
    Fire(play, QStringLiteral("finishTimer"));
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::ResultTimeTrial);
    QWidget* result = app.Now();
    EXPECT_EQ(Text(result, "timeText"), "0m11s70");
    EXPECT_EQ(Text(result, "placeText"), "1位");
    EXPECT_EQ(Text(result, "gradeText"), "ランク：S");
    EXPECT_EQ(Text(result, "scoreText"), "スコア：12130");
    auto* name = Find<QLineEdit>(result, QStringLiteral("nameEdit"));
    ASSERT_TRUE(name->isEnabled());
    EXPECT_EQ(name->selectedText(), "Tester");
    Type(name, QStringLiteral("ACE"));
    Click(Button(result, QStringLiteral("okButton")));
    TestApp::Flush();

    ASSERT_EQ(app.NowScreen(), Screen::RankingTimeTrial);
    EXPECT_EQ(Text(app.Now(), "nameCell0"), "ACE");
    EXPECT_EQ(Text(app.Now(), "timeCell0"), "0m11s70");
    EXPECT_EQ(Text(app.Now(), "nameCell1"), "");
    Click(Button(app.Now(), QStringLiteral("okButton")));
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].text, "もう一度挑戦しますか？");
    EXPECT_EQ(app.msg.asked[0].title, "KeyDerby");
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::TimeTrial);  // Yes
    EXPECT_EQ(DisplayText(app.Now()), "スペースでスタート");
    Press(app.Now(), Qt::Key_Backspace);
    ASSERT_EQ(app.NowScreen(), Screen::Main);

    QByteArray expected =
        Record("03 00 41 43 45 B4 2D 00 00 05 00 39 37 2E 34 25 62 2F 01 00 53 06 00 89 70 92 50 8C EA");
    for (int i = 0; i < 9; ++i) expected += Record("");
    EXPECT_EQ(app.ReadFile(app.Player("DATA/TimeTrialData")), expected);
    EXPECT_EQ(app.ReadFile(app.Player("DATA/gen")), Record("01 00"));
}

TEST(TimeTrialChain, UnrankedRunsAskToTryAgainAndLeaveTheRankingAlone) {
    ChainApp app;
    app.UsePlayer(QStringLiteral("Tester"));
    QByteArray ranking;
    for (quint32 i = 0; i < 10; ++i) ranking += RankRecord(5000 + 500 * i);
    app.WriteFile(app.Player("DATA/TimeTrialData"), ranking);
    app.WriteFile(app.Player("DATA/gen"), Record("01 00"));
    StartAs(app, QStringLiteral("Tester"));

    ChooseMenuItem(app, 1);
    const MsgAnswer answers[] = {MsgAnswer::Yes, MsgAnswer::No};
    for (MsgAnswer answer : answers) {
        ASSERT_EQ(app.NowScreen(), Screen::TimeTrial);
        QWidget* play = app.Now();
        StartPlay(play);
        for (int i = 0; i < 114; ++i) {
            app.clock.advance(200);
            TypeHead(play);
        }
        Fire(play, QStringLiteral("finishTimer"));
        TestApp::Flush();
        ASSERT_EQ(app.NowScreen(), Screen::ResultTimeTrial);
        EXPECT_EQ(Text(app.Now(), "placeText"), "");
        EXPECT_FALSE(Find<QLineEdit>(app.Now(), QStringLiteral("nameEdit"))->isEnabled());
        app.msg.asked.clear();
        app.msg.Answer(answer);
        Click(Button(app.Now(), QStringLiteral("okButton")));
        ASSERT_EQ(app.msg.asked.size(), 1);
        EXPECT_EQ(app.msg.asked[0].text, "もう一度挑戦しますか？");
        TestApp::Flush();
    }
    ASSERT_EQ(app.NowScreen(), Screen::Main);
    EXPECT_EQ(app.ReadFile(app.Player("DATA/TimeTrialData")), ranking);
}
