// The training aids on the real screens: the guide switched on from the menu, the forms it
// learns kept across games, the drill planned from the record, retrying the misses from the
// result screen, and an imported set chosen in the practice settings.
#include <QComboBox>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <cmath>

#include "ChainKit.h"
#include "common/GameState.h"
#include "engine/RomajiGuide.h"
#include "learning/LearningRecord.h"
#include "learning/TrainingSettings.h"
#include "practice/PracticeScreen.h"
#include "practice/PracticeSettingsDialog.h"
#include "support/LearningKit.h"
#include "training/TrainingMenu.h"

using namespace kd;
using namespace kd::test;

namespace {

// A player with a learning record that records every game, practising 60 s of idioms (or 5 s
// of English words).
struct Trainee : ChainApp {
    LearningRecord record{g};
    explicit Trainee(bool english = false) {
        UsePlayer();
        g.learning = &record;
        g.play.Add(&record.Recorder());
        WriteFile(Player("DATA/PracticeTime"), english ? Record("05 00 07 00 65 6E 67 6C 69 73 68")
                                                       : Record("3C 00 09 00 6B 61 6E 6E 79 6F 75 6B 75"));
    }
    ~Trainee() {
        for (ScreenBase* f : nav.OpenForms()) f->CloseScreen();
        Flush();
        g.play.Remove(&record.Recorder());
        g.learning = nullptr;
    }
    void CloseAll() {
        for (ScreenBase* f : nav.OpenForms()) f->CloseScreen();
        Flush();
    }
    // 表示 → ローマ字ガイド in the main menu.
    void SwitchGuideFromMenu() {
        ScreenBase* menu = nav.Show(Screen::Main);
        auto* view = menu->findChild<QMenu*>(QStringLiteral("viewMenu"));
        ASSERT_NE(view, nullptr);
        emit view->aboutToShow();  // the mark as the player sees it on opening the menu
        QAction* item = Menu(menu, QStringLiteral("romajiGuideAction"));
        ASSERT_NE(item, nullptr);
        ASSERT_TRUE(item->isCheckable());
        item->trigger();
        CloseAll();
    }
    PracticeScreen* OpenPractice() { return qobject_cast<PracticeScreen*>(nav.Show(Screen::Practice)); }
    QString StoredGenreOfLastGame() {
        return One(record.Store()->Database(),
                   QStringLiteral("SELECT genre FROM games ORDER BY id DESC LIMIT 1"))
            .toString();
    }
};

QLabel* GuideOf(QObject* form) {
    return Find<QLabel>(form, QStringLiteral("romajiGuide"));
}

// What a screen reader hears of the guide: "ローマ字ガイド：次は s、shika".
QString Spoken(QObject* form) {
    QLabel* guide = GuideOf(form);
    return guide ? guide->accessibleName() : QStringLiteral("<no guide>");
}

// The key the guide marks as the next one.
QString NextKey(QObject* form) {
    static const QRegularExpression next(QStringLiteral("次は (.)、"));
    return next.match(Spoken(form)).captured(1);
}

// The readings of the questions put up.
struct AskedReadings : PlayObserver {
    QStringList readings;
    void OnQuestionShown(const QuestionShown& q) override { readings << q.reading; }
};

const QuestionShown kShika{102, QStringLiteral("鹿"), QStringLiteral("しか"), 0};

}  // namespace

// Off, the practice screen is exactly as it always was; switched on in the menu, the guide gets
// a row of its own under the question panel and the window grows by that row alone.
TEST(TrainingScreens, GuideOnlyWhenSwitchedOnAndInARowOfItsOwn) {
    Trainee t;
    PracticeScreen* plain = t.OpenPractice();
    EXPECT_EQ(plain->size(), QSize(647, 250));
    EXPECT_EQ(GuideOf(plain), nullptr);
    const QRect settingsBox = Find<QWidget>(plain, QStringLiteral("settingsPanel"))->geometry();
    t.CloseAll();

    t.SwitchGuideFromMenu();
    EXPECT_TRUE(RomajiGuideOn(t.g));
    PracticeScreen* guided = t.OpenPractice();
    EXPECT_EQ(guided->size(), QSize(647, 250 + 22));
    QLabel* guide = GuideOf(guided);
    ASSERT_NE(guide, nullptr);
    const QRect panel = Find<QWidget>(guided, QStringLiteral("panel"))->geometry();
    EXPECT_EQ(guide->y(), panel.bottom() + 1);
    EXPECT_EQ(Find<QWidget>(guided, QStringLiteral("settingsPanel"))->geometry(),
              settingsBox.translated(0, 22));
    EXPECT_FALSE(
        guide->geometry().intersects(Find<QWidget>(guided, QStringLiteral("settingsPanel"))->geometry()));
    EXPECT_EQ(guide->text(), QString());  // nothing to type before the start

    // Typing exactly what the line marks never misses, over many questions.
    StartPlay(guided);
    for (int key = 0; key < 300; ++key) {
        const QString k = NextKey(guided);
        ASSERT_EQ(k.size(), 1) << Spoken(guided).toStdString();
        Type(guided, k);
    }
    EXPECT_EQ(t.g.judge.GetMissCount(), 0);
    EXPECT_EQ(t.g.judge.GetCorrectCount(), 300);

    // Off again: the next screen has no guide.
    t.CloseAll();
    t.SwitchGuideFromMenu();
    EXPECT_FALSE(RomajiGuideOn(t.g));
    EXPECT_EQ(GuideOf(t.OpenPractice()), nullptr);
}

// "si" typed for し switches the line at once, and the next games show "si" from the start.
TEST(TrainingScreens, GuideFollowsTheFormTypedAndRemembersItForTheNextGame) {
    Trainee t;
    ASSERT_TRUE(SwitchRomajiGuide(t.g, true));
    PracticeScreen* p = t.OpenPractice();
    p->PlayOnly({kShika}, QStringLiteral("kannyouku"), QStringLiteral("kannyouku"));
    StartPlay(p);
    EXPECT_EQ(Spoken(p), "ローマ字ガイド：次は s、shika");
    Type(p, QStringLiteral("s"));
    EXPECT_EQ(Spoken(p), "ローマ字ガイド：次は h、hika");
    Type(p, QStringLiteral("i"));
    EXPECT_EQ(Spoken(p), "ローマ字ガイド：次は k、ka");
    Type(p, QStringLiteral("ka"));
    EXPECT_EQ(Spoken(p), "ローマ字ガイド：次は s、sika");  // the same game's next し
    Press(p, Qt::Key_Escape);
    EXPECT_EQ(GuideOf(p)->text(), QString());
    t.CloseAll();

    // Kept in the player's record, not in the record files.
    EXPECT_TRUE(LoadRomajiChoices(t.g).ToText().contains("si=si"));
    PracticeScreen* next = t.OpenPractice();
    next->PlayOnly({kShika}, QStringLiteral("kannyouku"), QStringLiteral("kannyouku"));
    StartPlay(next);
    EXPECT_EQ(Spoken(next), "ローマ字ガイド：次は s、sika");
}

// R on the result plays exactly the questions missed, in their order; nothing missed, a message.
TEST(TrainingScreens, RetryPlaysExactlyTheMissedQuestions) {
    Trainee t(true);
    t.rnd.Script({0.11f, 0.53f, 0.27f, 0.71f, 0.93f, 0.05f, 0.39f, 0.61f, 0.84f, 0.18f});
    PracticeScreen* p = t.OpenPractice();
    StartPlay(p);
    QStringList missed;
    for (int word = 0; word < 5; ++word) {
        const QString w = Text(p, QStringLiteral("questionText"));
        if (word == 1 || word == 3) {
            TypeWrong(p);
            if (!missed.contains(w)) missed << w;
        }
        TypeHead(p, int(w.size()));
    }
    t.clock.advance(5000);
    Fire(p, QStringLiteral("countdownTimer"));
    Fire(p, QStringLiteral("finishTimer"));
    ASSERT_EQ(t.NowName(), "PracticeResultScreen");
    EXPECT_EQ(Text(t.Now(), QStringLiteral("retryHint")), "R：ミスした問題だけをもう一度");
    Press(t.Now(), Qt::Key_R);
    TestApp::Flush();

    ASSERT_EQ(t.NowName(), "PracticeScreen");
    EXPECT_EQ(Text(t.Now(), QStringLiteral("genreText")),
              QStringLiteral("ジャンル：ミスした問題（%1問）").arg(missed.size()));
    StartPlay(t.Now());
    for (const QString& w : missed + missed) {  // once through, then from the first again
        EXPECT_EQ(Text(t.Now(), QStringLiteral("questionText")), w);
        TypeHead(t.Now(), int(w.size()));
    }
    EXPECT_EQ(t.g.judge.GetMissCount(), 0);
    t.clock.advance(5000);
    Fire(t.Now(), QStringLiteral("countdownTimer"));
    Fire(t.Now(), QStringLiteral("finishTimer"));
    EXPECT_EQ(t.StoredGenreOfLastGame(), "english");

    // This retry missed nothing: R says so and stays.
    ASSERT_EQ(t.NowName(), "PracticeResultScreen");
    Press(t.Now(), Qt::Key_R);
    EXPECT_EQ(t.NowName(), "PracticeResultScreen");
    ASSERT_FALSE(t.msg.asked.isEmpty());
    EXPECT_EQ(t.msg.asked.last().text, "今回の練習でミスした問題はありません。");
}

// Without enough record the drill says so and plays the bank's idioms; with misses recorded on
// one kana it names it, asks mostly questions holding it and shows its miss rate after.
TEST(TrainingScreens, DrillFallsBackThenTargetsTheRecordedWeakSpot) {
    Trainee t;
    PracticeScreen* p = t.OpenPractice();
    Click(Find<QPushButton>(p, QStringLiteral("settingsButton")));
    auto* settings = qobject_cast<PracticeSettingsDialog*>(t.Now());
    ASSERT_NE(settings, nullptr);
    Click(settings->drillChoice);
    Click(settings->okButton);
    TestApp::Flush();
    EXPECT_EQ(Text(p, QStringLiteral("genreText")), "ジャンル：苦手克服");
    EXPECT_EQ(Text(p, QStringLiteral("drillTargetText")),
              "苦手を見つけるにはまだ記録が足りません。慣用句で練習します。");
    EXPECT_EQ(t.ReadFile(t.Player("DATA/PracticeTime")).mid(2, 11), QByteArray("\x09\x00kannyouku", 11));
    StartPlay(p);
    EXPECT_FALSE(DisplayText(p).isEmpty());
    t.CloseAll();

    // Two games in which every ち began with a wrong key.
    EventScript s{t.record.Recorder()};
    for (int game = 0; game < 2; ++game) {
        s.Begin(GameMode::Practice);
        for (int q = 0; q < 40; ++q) {
            s.Question(102, QStringLiteral("地下"), QStringLiteral("ちか"));
            s.Unit(QStringLiteral("ち"), QStringLiteral("chi"), QStringLiteral("!xchi"));
            s.Unit(QStringLiteral("か"), QStringLiteral("ka"), QStringLiteral("ka"));
            s.EndQuestion(true);
        }
        s.End(false, 200, 40);
    }

    p = t.OpenPractice();
    const QString line = Text(p, QStringLiteral("drillTargetText"));
    EXPECT_EQ(line, "今回の苦手：ち");
    QList<float> draws;  // spread evenly over [0, 1)
    for (int i = 1; i <= 60; ++i) draws << float(std::fmod(i * 0.6180339887, 1.0));
    t.rnd.Script(draws);
    AskedReadings asked;
    t.g.play.Add(&asked);
    StartPlay(p);
    RomajiGuide guide;
    while (asked.readings.size() < 60) {
        const QString display = DisplayText(p);
        const GuideLine next = guide.Line(t.g.judge, display);
        ASSERT_EQ(next.next.size(), 1);
        guide.BeforeKey(t.g.judge, display, next.next.at(0).unicode());
        Type(p, next.next);
    }
    t.g.play.Remove(&asked);
    const auto withChi = std::count_if(asked.readings.cbegin(), asked.readings.cend(),
                                       [](const QString& r) { return r.contains(QStringLiteral("ち")); });
    EXPECT_GT(withChi * 2, asked.readings.size()) << withChi << " of " << asked.readings.size();
    t.clock.advance(60000);
    Fire(p, QStringLiteral("countdownTimer"));
    Fire(p, QStringLiteral("finishTimer"));
    ASSERT_EQ(t.NowName(), "PracticeResultScreen");
    QLabel* drill = Label(t.Now(), QStringLiteral("drillResultText"));
    EXPECT_FALSE(drill->isHidden());
    EXPECT_TRUE(drill->text().contains("ち　ミス率 100.0% → 0.0%")) << drill->text().toStdString();
    EXPECT_EQ(t.StoredGenreOfLastGame(), "kannyouku");
}

// A file imported from the menu becomes a genre of the practice settings; its questions are
// played and recorded under the set; renamed and removed from the small window.
TEST(TrainingScreens, ImportedSetIsChosenPlayedRenamedAndRemoved) {
    Trainee t;
    QTemporaryFile file(t.dir.filePath(QStringLiteral("どうぶつ-XXXXXX.tsv")));
    ASSERT_TRUE(file.open());
    file.write("鹿\tしか\n猫\tねこ\n犬\tイヌ\n");
    file.close();
    const QString path = file.fileName();
    QuestionFileChooser() = [path](QWidget*) { return path; };

    ScreenBase* menu = t.nav.Show(Screen::Main);
    Menu(menu, QStringLiteral("importSetAction"))->trigger();
    ASSERT_EQ(t.NowName(), "ImportReportDialog");
    EXPECT_TRUE(Text(t.Now(), QStringLiteral("summaryLine")).contains("2 問"));
    EXPECT_EQ(Text(t.Now(), QStringLiteral("refusedCaption")), "取り込めなかった行：1 行");
    t.CloseAll();

    PracticeScreen* p = t.OpenPractice();
    Click(Find<QPushButton>(p, QStringLiteral("settingsButton")));
    auto* settings = qobject_cast<PracticeSettingsDialog*>(t.Now());
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(settings->ownSetChoice->isEnabled());
    const QString name = settings->ownSetCombo->currentText();
    EXPECT_TRUE(name.startsWith("どうぶつ")) << name.toStdString();
    Click(settings->ownSetChoice);
    Click(settings->okButton);
    TestApp::Flush();
    EXPECT_EQ(Text(p, QStringLiteral("genreText")), "ジャンル：" + name);
    StartPlay(p);
    for (int i = 0; i < 4; ++i) {
        const QString kanji = Text(p, QStringLiteral("questionText"));
        ASSERT_TRUE(kanji == "鹿" || kanji == "猫") << kanji.toStdString();
        Type(p, kanji == "鹿" ? QStringLiteral("shika") : QStringLiteral("neko"));
    }
    EXPECT_EQ(t.g.judge.GetMissCount(), 0);
    Press(p, Qt::Key_Escape);
    EXPECT_TRUE(t.StoredGenreOfLastGame().startsWith("set:"));

    // Renamed and removed in the small window opened from the settings.
    Click(Find<QPushButton>(p, QStringLiteral("settingsButton")));
    settings = qobject_cast<PracticeSettingsDialog*>(t.Now());
    ASSERT_TRUE(settings->ownSetChoice->isChecked());
    Click(settings->manageSetsButton);
    ASSERT_EQ(t.NowName(), "QuestionSetsDialog");
    ScreenBase* manage = t.Now();
    Find<QLineEdit>(manage, QStringLiteral("nameEdit"))->setText(QStringLiteral("動物"));
    Click(Find<QPushButton>(manage, QStringLiteral("renameButton")));
    EXPECT_EQ(settings->ownSetCombo->currentText(), "動物");
    t.msg.Answer(MsgAnswer::Yes);
    Click(Find<QPushButton>(manage, QStringLiteral("removeButton")));
    EXPECT_FALSE(settings->ownSetChoice->isEnabled());
    EXPECT_TRUE(settings->genreChoices[0]->isChecked());
    EXPECT_TRUE(PlayerQuestionSets(t.g).isEmpty());
}
