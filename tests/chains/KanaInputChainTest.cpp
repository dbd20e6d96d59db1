// Kana input through the real screens: chosen in the 表示 menu, a practice, a time trial and a race typed
// by physical key, with the US layout's characters on the keys.
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QSqlQuery>

#include "ChainKit.h"
#include "common/GameState.h"
#include "common/Roster.h"
#include "engine/KanaLayout.h"
#include "learning/LearningRecord.h"

using namespace kd;
using namespace kd::test;

namespace {

// What a US keyboard prints on each key the readings need, by X keycode.
QString UsCharacter(quint32 keycode, bool shift) {
    static const QString rows[][2] = {
        {QStringLiteral("1234567890-="), QStringLiteral("!@#$%^&*()_+")},
        {QStringLiteral("qwertyuiop[]"), QStringLiteral("QWERTYUIOP{}")},
        {QStringLiteral("asdfghjkl;'"), QStringLiteral("ASDFGHJKL:\"")},
        {QStringLiteral("zxcvbnm,./"), QStringLiteral("ZXCVBNM<>?")},
    };
    const quint32 first[] = {10, 24, 38, 52};
    for (int r = 0; r < 4; ++r)
        if (keycode >= first[r] && keycode < first[r] + quint32(rows[r][0].size()))
            return QString(rows[r][shift ? 1 : 0][keycode - first[r]]);
    return shift ? QStringLiteral("|") : QStringLiteral("\\");  // JIS ¥ and ろ: the US key in between
}

void PressKey(QWidget* form, quint32 keycode, bool shift) {
    const QString text = UsCharacter(keycode, shift);
    const Qt::KeyboardModifiers mods = shift ? Qt::ShiftModifier : Qt::NoModifier;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, mods, keycode, 0, 0, text);
    QApplication::sendEvent(form, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, mods, keycode, 0, 0, text);
    QApplication::sendEvent(form, &release);
}

// One key for the head of the reading: the base kana first, then ゛ or ゜ by Unicode's own
// decomposition; half is set when the key typed was a base kana that awaits its mark.
void TypeKanaHead(QWidget* form, bool& half) {
    const QString d = DisplayText(form);
    ASSERT_FALSE(d.isEmpty());
    const QString parts = d.left(1).normalized(QString::NormalizationForm_D);
    QChar key = parts[0];
    if (half) key = parts[1] == QChar(0x3099) ? QChar(kDakuten) : QChar(kHandakuten);
    half = !half && parts.size() > 1;
    KanaKeyPlace place;
    ASSERT_TRUE(PlaceOfKana(key.unicode(), place)) << d.toStdString();
    PressKey(form, place.keycode, place.shift);
}

}  // namespace

TEST(KanaInputChain, MenuPracticeTimeTrialAndRaceByKeycode) {
    ChainApp app;
    LearningRecord record(app.g);
    app.g.learning = &record;
    app.g.play.Add(&record.Recorder());
    StartAs(app, QStringLiteral("Kana"));

    // 表示 → 入力方式: romaji for a new player; かな入力 chosen and kept.
    auto* view = Find<QMenu>(app.Now(), QStringLiteral("viewMenu"));
    emit view->aboutToShow();
    QAction* romaji = Menu(app.Now(), QStringLiteral("romajiInputAction"));
    QAction* kana = Menu(app.Now(), QStringLiteral("kanaInputAction"));
    ASSERT_TRUE(romaji && kana);
    EXPECT_TRUE(romaji->isChecked());
    EXPECT_FALSE(kana->isChecked());
    kana->trigger();
    emit view->aboutToShow();
    EXPECT_TRUE(kana->isChecked());
    EXPECT_FALSE(romaji->isChecked());

    // A 60-second practice of idioms: keys until a voiced kana is half typed, one wrong key.
    QList<float> draws;  // questions from all over the bank
    for (int i = 0; i < 60; ++i) draws << float((i * 37) % 60) / 60.0f;
    app.rnd.Script(draws);
    ChooseMenuItem(app, 0);
    ASSERT_EQ(app.NowScreen(), Screen::Practice);
    ScreenBase* practice = app.Now();
    EXPECT_EQ(Text(practice, "kanaInputMark"), "かな入力");
    StartPlay(practice);
    bool half = false;
    int keys = 0, sawHalf = 0;
    for (; keys < 150 || half; ++keys) {
        app.clock.advance(200);
        TypeKanaHead(practice, half);
        if (half && sawHalf++ == 0) {
            // The line under the reading shows the kana key typed; the kana stays till its mark.
            const QString head = DisplayText(practice).left(1);
            EXPECT_EQ(Text(practice, "romajiTyped"), head.normalized(QString::NormalizationForm_D).left(1));
        }
    }
    ASSERT_GT(sawHalf, 0);
    PressKey(practice, 65, false);  // Space: no kana, a miss
    app.clock.advance(60000);
    Fire(practice, QStringLiteral("countdownTimer"));
    Fire(practice, QStringLiteral("finishTimer"));
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::ResultPractice);
    EXPECT_EQ(Text(app.Now(), "correctCountText"), QStringLiteral("正打数：%1").arg(keys));
    EXPECT_EQ(Text(app.Now(), "missCountText"), "誤打数：1");
    for (ScreenBase* f : app.nav.OpenForms()) f->CloseScreen();
    TestApp::Flush();

    // A time trial: 114 kana keys reach the goal, ranked among kana runs only.
    ScreenBase* run = app.nav.Show(Screen::TimeTrial);
    EXPECT_EQ(Text(run, "kanaInputMark"), "かな入力");
    StartPlay(run);
    half = false;
    for (int i = 0; i < 114; ++i) {
        app.clock.advance(100);
        TypeKanaHead(run, half);
    }
    EXPECT_EQ(DisplayText(run), "Goal!!");
    Fire(run, QStringLiteral("finishTimer"));
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::ResultTimeTrial);
    EXPECT_EQ(Text(app.Now(), "placeText"), "1位");
    Click(Button(app.Now(), QStringLiteral("okButton")));
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::RankingTimeTrial);
    EXPECT_EQ(Text(app.Now(), "nameCell0"), "Kana");
    EXPECT_EQ(Text(app.Now(), "timeCell0"), "0m11s40");
    EXPECT_EQ(Text(app.Now(), "kanaInputMark"), "かな入力");
    for (ScreenBase* f : app.nav.OpenForms()) f->CloseScreen();
    TestApp::Flush();

    // A derby heat: one step per correct kana key, the line at the 59th.
    app.g.derby.SetHeat(1);
    app.g.derby.ChoosePlayer(PlayableCharacterOf(1));
    ScreenBase* race = app.nav.Show(Screen::KeyDerby);
    EXPECT_EQ(Text(race, "kanaInputMark"), "かな入力");
    StartPlay(race);
    half = false;
    for (int i = 0; i < 59; ++i) TypeKanaHead(race, half);
    EXPECT_EQ(DisplayText(race), "Finish!!");
    Fire(race, QStringLiteral("finishTimer"));
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::RankingKeyDerby);
    EXPECT_EQ(Text(app.Now(), "placeText"), "1位");
    for (ScreenBase* f : app.nav.OpenForms()) f->CloseScreen();
    TestApp::Flush();

    // The ranking file holds no kana run; the record marks every game as kana.
    EXPECT_FALSE(app.ReadFile(app.Player("DATA/TimeTrialData")).contains("Kana"));
    QSqlQuery q(record.Store()->Database());
    ASSERT_TRUE(q.exec("SELECT mode, input_method FROM games ORDER BY id"));
    QStringList games;
    while (q.next()) games << q.value(0).toString() + u':' + q.value(1).toString();
    EXPECT_EQ(games, QStringList({"0:1", "1:1", "2:1"}));
    ASSERT_TRUE(q.exec("SELECT name, time_ms FROM kana_ranking"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "Kana");
    EXPECT_EQ(q.value(1).toInt(), 11400);
    app.g.play.Remove(&record.Recorder());
}
