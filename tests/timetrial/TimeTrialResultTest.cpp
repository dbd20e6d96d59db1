#include <QtTest/qtestspontaneevent.h>

#include <QInputMethodEvent>
#include <QLineEdit>

#include "TimeTrialFixture.h"
#include "common/GameState.h"
#include "common/TimeTrialRecords.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Navigator.h"

using namespace kd;
using namespace kd::test;

namespace {

QString Text(QObject* f, const QString& name) {
    const QLabel* l = Find<QLabel>(f, name);
    return l ? l->text() : QStringLiteral("<no %1>").arg(name);
}

// A hand-made ranking file: each place "P<i>", <ms[i]> ms, "100.0%", 1000, "S", "英単語".
QByteArray RankingFile(const QList<qint32>& ms) {
    QByteArray out;
    for (int i = 0; i < ms.size(); ++i) {
        QByteArray rec = QByteArray::fromHex("0200") + "P" + QByteArray::number(i);
        const quint32 t = quint32(ms[i]);
        for (int b = 0; b < 4; ++b) rec += char((t >> (8 * b)) & 0xFF);
        rec += QByteArray::fromHex("0600") + "100.0%" + QByteArray::fromHex("E803") +
               QByteArray::fromHex("0100") + "S";
        rec += QByteArray::fromHex("0600897092508CEA");
        rec.append(QByteArray(128 - rec.size(), '\0'));
        out += rec;
    }
    return out;
}

// Types text into a line edit the way an input method commits it.
void Commit(QWidget* w, const QString& text) {
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(w, &e);
}

// A key as the window system delivers it, pressed at `time` (its own clock, in ms): spontaneous,
// to the focused control of the window, as QTest does but with the time given.
void KeyAt(QWidget* w, Qt::Key key, const QString& text, ulong time) {
    QWidget* target = w->window()->focusWidget() ? w->window()->focusWidget() : w->window();
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent e(type, key, Qt::NoModifier, text);
        e.setTimestamp(time);
        QSpontaneKeyEvent::setSpontaneous(&e);
        if (type == QEvent::KeyPress && qt_sendShortcutOverrideEvent(target, time, key, Qt::NoModifier, text))
            continue;
        qApp->notify(target, &e);
    }
}

}  // namespace

class TimeTrialResult : public TimeTrialTest {
  protected:
    // Opens the result screen for a run of `ms` with no keys counted.
    ScreenBase* OpenResult(qint32 ms, const QString& genreKey = QStringLiteral("kannyouku")) {
        app.g.questions.SetGenre(genreKey);
        app.g.player.SetTimeTrialTime(ms);
        return app.Open<ScreenBase>(Screen::ResultTimeTrial);
    }
    QLineEdit* NameBox(QObject* f) { return Find<QLineEdit>(f, QStringLiteral("nameEdit")); }
};

TEST_F(TimeTrialResult, AWholeRunFromSpaceToTheRanking) {
    UseEnglish();
    TimeTrialScreen* play = OpenPlay();
    StartRun(play);
    for (int i = 0; i < 6; ++i) {
        TypeCorrectKeys(play, 19, 130);
        Type(play, QStringLiteral("Z"));
    }
    EXPECT_EQ(Display(play), QStringLiteral("Goal!!"));
    EXPECT_EQ(Fire(play, QStringLiteral("finishTimer")), 1);

    ScreenBase* result = app.Current<ScreenBase>();
    ASSERT_TRUE(result);
    ASSERT_EQ(result->Id(), Screen::ResultTimeTrial);
    EXPECT_EQ(result->windowTitle(), QStringLiteral("Key Derby　―　結果　―"));
    EXPECT_EQ(result->size(), QSize(408, 335));
    // 114 correct keys, 130 ms each; the sixth miss came after the goal and was not judged.
    EXPECT_EQ(Text(result, "totalKeysText"), QStringLiteral("全打数：119"));
    EXPECT_EQ(Text(result, "correctCountText"), QStringLiteral("正打数：114"));
    EXPECT_EQ(Text(result, "missCountText"), QStringLiteral("誤打数：5"));
    EXPECT_EQ(Text(result, "correctRateText"), QStringLiteral("正答率：95.8%"));
    EXPECT_EQ(Text(result, "timeText"), QStringLiteral("0m14s82"));
    EXPECT_EQ(Text(result, "typesPerSecText"), QStringLiteral("Types/Sec：7.69"));
    EXPECT_EQ(Text(result, "scoreText"), QStringLiteral("スコア：11818"));
    EXPECT_EQ(Text(result, "gradeText"), QStringLiteral("ランク：AA"));
    EXPECT_EQ(Text(result, "placeText"), QStringLiteral("1位"));
    EXPECT_EQ(app.g.player.TimeTrialRanking, 0);

    QLineEdit* box = NameBox(result);
    EXPECT_TRUE(box->isEnabled());
    EXPECT_EQ(box->text(), QStringLiteral("Tester"));
    EXPECT_EQ(box->selectedText(), QStringLiteral("Tester"));
    auto* rankIn = Find<QLabel>(result, QStringLiteral("madeRankingText"));
    EXPECT_TRUE(rankIn->isEnabled());
    const bool shown = rankIn->isVisibleTo(result);
    Fire(result, QStringLiteral("blinkTimer"));
    EXPECT_NE(rankIn->isVisibleTo(result), shown);

    Type(box, QStringLiteral("Taro"));
    EXPECT_EQ(box->text(), QStringLiteral("Taro"));
    Click(Find<QPushButton>(result, QStringLiteral("okButton")));

    // Record 1 by hand: "Taro", 14 820 ms, "95.8%", 11 818, "AA", "英単語"; nine empty places.
    const QByteArray expected = Record(
                                    "04 00 54 61 72 6F E4 39 00 00 05 00 39 35 2E 38 25 2A 2E 02 00 41 41"
                                    " 06 00 89 70 92 50 8C EA") +
                                QByteArray(9 * 128, '\0');
    EXPECT_EQ(app.ReadFile(RankingPath()).toHex(' '), expected.toHex(' '));

    ScreenBase* ranking = app.Current<ScreenBase>();
    ASSERT_TRUE(ranking);
    ASSERT_EQ(ranking->Id(), Screen::RankingTimeTrial);
    EXPECT_EQ(ranking->windowTitle(), QStringLiteral("Ranking"));
    EXPECT_EQ(ranking->size(), QSize(461, 396));
    const QStringList row0 = {Text(ranking, "nameCell0"),        Text(ranking, "timeCell0"),
                              Text(ranking, "correctRateCell0"), Text(ranking, "scoreCell0"),
                              Text(ranking, "gradeCell0"),       Text(ranking, "genreCell0")};
    EXPECT_EQ(row0, QStringList({"Taro", "0m14s82", "95.8%", "11818", "AA", "英単語"}));
    for (const char* col :
         {"nameCell", "timeCell", "correctRateCell", "scoreCell", "gradeCell", "genreCell"}) {
        EXPECT_EQ(ForeColor(Find<QLabel>(ranking, QLatin1String(col) + u'0')), QColor(255, 0, 0)) << col;
        EXPECT_EQ(Text(ranking, QLatin1String(col) + u'1'), QString()) << col;
    }
    EXPECT_EQ(Find<QLabel>(ranking, QStringLiteral("nameCell9"))->pos(), QPoint(6, 81 + 27 * 9));
    EXPECT_EQ(Find<QLabel>(ranking, QStringLiteral("genreCell3"))->pos(), QPoint(372, 81 + 27 * 3));

    EXPECT_EQ(FindTimer(ranking, QStringLiteral("blinkTimer"))->Interval(), 200);
    Fire(ranking, QStringLiteral("blinkTimer"));
    EXPECT_EQ(Text(ranking, "nameCell0"), QString());
    Fire(ranking, QStringLiteral("blinkTimer"));
    EXPECT_EQ(Text(ranking, "nameCell0"), QStringLiteral("Taro"));
    Fire(ranking, QStringLiteral("blinkTimer"));

    app.msg.Answer(MsgAnswer::No);
    Click(Find<QPushButton>(ranking, QStringLiteral("okButton")));
    EXPECT_EQ(Text(ranking, "nameCell0"), QStringLiteral("Taro"));
    EXPECT_FALSE(FindTimer(ranking, QStringLiteral("blinkTimer"))->Enabled());
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].title, QStringLiteral("KeyDerby"));
    EXPECT_EQ(app.msg.asked[0].text, QStringLiteral("もう一度挑戦しますか？"));
    EXPECT_EQ(app.msg.asked[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(app.nav.LastShown(), Screen::Main);
    EXPECT_TRUE(ranking->IsClosing());
}

TEST_F(TimeTrialResult, ATieWithFirstPlaceGoesFirstAndTheOthersMoveDown) {
    const QByteArray before = RankingFile({15000, 20000});
    app.WriteFile(RankingPath(), before);
    ScreenBase* result = OpenResult(15000);
    // No key typed: the rate reads 0.0% on screen and "0%" in the record.
    EXPECT_EQ(Text(result, "correctRateText"), QStringLiteral("正答率：0.0%"));
    EXPECT_EQ(Text(result, "typesPerSecText"), QStringLiteral("Types/Sec：0.00"));
    EXPECT_EQ(Text(result, "placeText"), QStringLiteral("1位"));
    NameBox(result)->clear();
    Click(Find<QPushButton>(result, QStringLiteral("okButton")));

    const QByteArray after = app.ReadFile(RankingPath());
    ASSERT_EQ(after.size(), 1280);
    // Empty name, 15 000 ms, "0%", 11 800, "AA", "慣用句" (the idiom penalty of 0 misses is 0).
    EXPECT_EQ(after.left(128).toHex(' '),
              Record("00 00 98 3A 00 00 02 00 30 25 18 2E 02 00 41 41 06 00 8A B5 97 70 8B E5").toHex(' '));
    EXPECT_EQ(after.mid(128, 256), before);
    EXPECT_EQ(after.mid(384), QByteArray(7 * 128, '\0'));
    EXPECT_EQ(app.nav.LastShown(), Screen::RankingTimeTrial);
}

TEST_F(TimeTrialResult, TenFasterRunsLeaveTheFileAloneAndAskToTryAgain) {
    const QByteArray before = RankingFile({9000, 9100, 9200, 9300, 9400, 9500, 9600, 9700, 9800, 9900});
    app.WriteFile(RankingPath(), before);
    ScreenBase* result = OpenResult(9901);
    EXPECT_EQ(Text(result, "placeText"), QString());
    EXPECT_EQ(Text(result, "gradeText"), QStringLiteral("ランク：S"));
    EXPECT_FALSE(NameBox(result)->isEnabled());
    EXPECT_FALSE(Find<QLabel>(result, QStringLiteral("madeRankingText"))->isEnabled());
    EXPECT_FALSE(FindTimer(result, QStringLiteral("blinkTimer"))->Enabled());
    EXPECT_EQ(app.g.player.TimeTrialRanking, -1);

    app.msg.Answer(MsgAnswer::Yes);
    Click(Find<QPushButton>(result, QStringLiteral("okButton")));
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].text, QStringLiteral("もう一度挑戦しますか？"));
    EXPECT_EQ(app.nav.LastShown(), Screen::TimeTrial);
    EXPECT_EQ(app.ReadFile(RankingPath()), before);
}

TEST_F(TimeTrialResult, AResultWithoutATimeIsNeverRankedSoTheBestPlaceSurvives) {
    const QByteArray before = RankingFile({9000});
    app.WriteFile(RankingPath(), before);
    ScreenBase* result = OpenResult(0);
    EXPECT_EQ(Text(result, "timeText"), QStringLiteral("0m00s00"));
    EXPECT_EQ(Text(result, "typesPerSecText"), QStringLiteral("Types/Sec：0.00"));
    EXPECT_FALSE(NameBox(result)->isEnabled());
    app.msg.Answer(MsgAnswer::No);
    result->close();  // the close box asks like OK
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.nav.LastShown(), Screen::Main);
    EXPECT_EQ(app.ReadFile(RankingPath()), before);
}

TEST_F(TimeTrialResult, ARankingThatCannotBeWrittenIsReportedNotShown) {
    ASSERT_TRUE(QDir().mkpath(RankingPath()));  // a folder where the file should be
    ScreenBase* result = OpenResult(20000);
    ASSERT_TRUE(NameBox(result)->isEnabled());
    app.msg.Answer(MsgAnswer::OK);
    app.msg.Answer(MsgAnswer::No);
    Click(Find<QPushButton>(result, QStringLiteral("okButton")));
    ASSERT_EQ(app.msg.asked.size(), 2);
    EXPECT_TRUE(app.msg.asked[0].text.contains(QStringLiteral("保存できませんでした")));
    EXPECT_EQ(app.msg.asked[1].text, QStringLiteral("もう一度挑戦しますか？"));
    EXPECT_EQ(app.nav.LastShown(), Screen::Main);
    EXPECT_EQ(app.g.player.TimeTrialRanking, -1);
}

TEST_F(TimeTrialResult, TheNameBoxRefusesWhatTheRecordCannotHoldAndSaysWhy) {
    app.g.player.SetUserName(QString(120, u'x'));
    QDir().mkpath(app.PlayerPath(QStringLiteral("DATA")));
    ScreenBase* result = OpenResult(20000);
    QLineEdit* box = NameBox(result);
    EXPECT_EQ(box->text(), QString(99, u'x'));  // a long player name is cut to fit

    box->clear();
    Commit(box, QString(49, u'山'));
    Type(box, QStringLiteral("a"));
    EXPECT_EQ(box->text(), QString(49, u'山') + u'a');
    EXPECT_TRUE(app.msg.asked.isEmpty());
    Type(box, QStringLiteral("b"));  // byte 100
    EXPECT_EQ(box->text(), QString(49, u'山') + u'a');
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_TRUE(app.msg.asked[0].text.contains(QStringLiteral("99")));

    box->clear();
    Commit(box, QStringLiteral("Ann"));
    Commit(box, QStringLiteral("😀"));
    EXPECT_EQ(box->text(), QStringLiteral("Ann"));
    ASSERT_EQ(app.msg.asked.size(), 2);
    EXPECT_TRUE(app.msg.asked[1].text.contains(QStringLiteral("😀")));

    Click(Find<QPushButton>(result, QStringLiteral("okButton")));
    EXPECT_EQ(LoadTimeTrialData(RankingPath())[0].RankName, QStringLiteral("Ann"));
}

TEST_F(TimeTrialResult, TheRankingCloseBoxAsksLikeOkAndAnEmptyNameStaysBlank) {
    app.WriteFile(RankingPath(), RankingFile({30000, 40000}));
    app.g.player.TimeTrialRanking = 1;
    ScreenBase* ranking = app.Open<ScreenBase>(Screen::RankingTimeTrial);
    EXPECT_EQ(Text(ranking, "timeCell1"), QStringLiteral("0m40s00"));
    EXPECT_NE(ForeColor(Find<QLabel>(ranking, QStringLiteral("scoreCell0"))), QColor(255, 0, 0));
    EXPECT_EQ(ForeColor(Find<QLabel>(ranking, QStringLiteral("scoreCell1"))), QColor(255, 0, 0));
    app.msg.Answer(MsgAnswer::Yes);
    ranking->close();
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].text, QStringLiteral("もう一度挑戦しますか？"));
    EXPECT_EQ(app.nav.LastShown(), Screen::TimeTrial);

    // An entry without a name blinks invisibly; the row is still red.
    TimeTrialTable data;
    data[0] = {
        QString(), 12000, QStringLiteral("90.0%"), 12100, QStringLiteral("AAA"), QStringLiteral("慣用句")};
    ASSERT_TRUE(SaveTimeTrialData(RankingPath(), data));
    app.g.player.TimeTrialRanking = 0;
    ScreenBase* again = app.Open<ScreenBase>(Screen::RankingTimeTrial);
    for (int i = 0; i < 3; ++i) {
        Fire(again, QStringLiteral("blinkTimer"));
        EXPECT_EQ(Text(again, "nameCell0"), QString());
    }
    EXPECT_EQ(ForeColor(Find<QLabel>(again, QStringLiteral("gradeCell0"))), QColor(255, 0, 0));
}

// The last keys of a fast finish may still be queued when the result comes up: those pressed
// within half a second of the goal never reach the name box (nor OK); later ones do.
TEST_F(TimeTrialResult, KeysOfTheGoalBurstNeverReachTheNameBox) {
    UseEnglish();
    TimeTrialScreen* play = OpenPlay();
    StartRun(play);
    TypeCorrectKeys(play, 113, 100);
    constexpr ulong kGoal = 90000;
    app.clock.advance(100);
    KeyAt(play, Qt::Key(Qt::Key_A + (Display(play).at(0).toLower().unicode() - 'a')), Display(play).left(1),
          kGoal);
    ASSERT_EQ(Display(play), QStringLiteral("Goal!!"));
    const int correct = app.g.judge.GetCorrectCount();
    const int misses = app.g.judge.GetMissCount();
    EXPECT_EQ(Fire(play, QStringLiteral("finishTimer")), 1);
    ScreenBase* result = app.Current<ScreenBase>();
    ASSERT_TRUE(result && result->Id() == Screen::ResultTimeTrial);
    QLineEdit* box = NameBox(result);
    ASSERT_EQ(result->focusWidget(), box);
    const QString shown = Text(result, "correctCountText");

    KeyAt(result, Qt::Key_X, QStringLiteral("x"), kGoal + 50);
    KeyAt(result, Qt::Key_Return, QStringLiteral("\r"), kGoal + 200);
    KeyAt(result, Qt::Key_Y, QStringLiteral("y"), kGoal + 499);
    EXPECT_EQ(box->text(), QStringLiteral("Tester"));
    EXPECT_FALSE(result->IsClosing());
    EXPECT_EQ(Text(result, "correctCountText"), shown);  // the run as it was
    EXPECT_EQ(app.g.judge.GetCorrectCount(), correct);
    EXPECT_EQ(app.g.judge.GetMissCount(), misses);

    KeyAt(result, Qt::Key_Z, QStringLiteral("z"), kGoal + 500);
    EXPECT_EQ(box->text(), QStringLiteral("z"));  // typed over the selected name
}
