#include <QCloseEvent>

#include "ChainKit.h"
#include "common/GameState.h"
#include "common/PlayEvents.h"
#include "common/Roster.h"

using namespace kd;
using namespace kd::test;

namespace {

// Writes every event down, and checks the order a listener may rely on: nothing but a
// settlement outside a game, one end per game, questions shown and ended in turn.
struct Recorder : PlayObserver {
    QStringList log;
    QList<KeyJudged> keys;
    QList<GameEnded> ends;
    QList<GameSettled> settled;
    QList<GameBegun> begun;
    int lanes = 0;
    bool inGame = false;
    bool questionOpen = false;

    void OnGameBegun(const GameBegun& e) override {
        EXPECT_FALSE(inGame) << "begun twice";
        inGame = true;
        begun << e;
        log << QStringLiteral("begun");
    }
    void OnQuestionShown(const QuestionShown& e) override {
        EXPECT_TRUE(inGame);
        EXPECT_FALSE(questionOpen) << "a question shown over another";
        EXPECT_FALSE(e.reading.isEmpty());
        questionOpen = true;
        log << QStringLiteral("shown");
    }
    void OnKeyJudged(const KeyJudged& e) override {
        EXPECT_TRUE(inGame && questionOpen) << "a key outside a question";
        keys << e;
    }
    void OnQuestionEnded(const QuestionEnded& e) override {
        EXPECT_TRUE(questionOpen);
        questionOpen = false;
        log << (e.completed ? QStringLiteral("done") : QStringLiteral("cut"));
    }
    void OnLanesMoved(const LanesMoved&) override {
        EXPECT_TRUE(inGame);
        ++lanes;
    }
    void OnGameEnded(const GameEnded& e) override {
        EXPECT_TRUE(inGame) << "ended without a game";
        EXPECT_FALSE(questionOpen) << "the question on show is ended first";
        inGame = false;
        ends << e;
        log << (e.abandoned ? QStringLiteral("abandoned") : QStringLiteral("finished"));
    }
    void OnGameSettled(const GameSettled& e) override {
        EXPECT_FALSE(inGame);
        settled << e;
        log << QStringLiteral("settled");
    }
    int Hits() const {
        return int(std::count_if(keys.begin(), keys.end(), [](const KeyJudged& k) { return k.hit; }));
    }
};

struct EventsApp : ChainApp {
    Recorder rec;
    EventsApp() {
        UsePlayer();
        g.play.Add(&rec);
        WriteFile(Player("DATA/gen"), Record("01 00"));
        WriteFile(Player("DATA/genderby"), Record("01 00"));
        WriteFile(Player("DATA/PracticeTime"), Record("05 00 07 00 65 6E 67 6C 69 73 68"));  // 5 s, English
    }
    ~EventsApp() { g.play.Remove(&rec); }
    void UsePlayable(int charaNo) { g.derby.ChoosePlayer(PlayableCharacterOf(charaNo)); }
};

// The collected "done" and "shown" entries carry no count here; only the frame matters.
QStringList Frame(const QStringList& log) {
    QStringList out;
    for (const QString& s : log)
        if (s != QLatin1String("shown") && s != QLatin1String("done")) out << s;
    return out;
}

}  // namespace

TEST(PlayEvents, PracticeReportsEveryKeyAndItsEnd) {
    EventsApp app;
    ScreenBase* practice = app.nav.Show(Screen::Practice);
    StartPlay(practice);
    TypeHead(practice, 12);
    TypeWrong(practice, 3);
    TypeHead(practice, 1);
    app.clock.advance(5000);
    Fire(practice, QStringLiteral("countdownTimer"));
    EXPECT_EQ(DisplayText(practice), "FINISH!!");
    TypeHead(practice, 0);
    Type(practice, QStringLiteral("abc"));  // after the end: nobody's keys

    ASSERT_EQ(app.rec.begun.size(), 1);
    EXPECT_EQ(app.rec.begun[0].mode, GameMode::Practice);
    EXPECT_EQ(app.rec.begun[0].genre, "english");
    EXPECT_EQ(app.rec.begun[0].settingSeconds, 5);
    EXPECT_EQ(app.rec.keys.size(), 16);
    EXPECT_EQ(app.rec.Hits(), 13);
    EXPECT_EQ(Frame(app.rec.log), QStringList({"begun", "cut", "finished"}));
    ASSERT_EQ(app.rec.ends.size(), 1);
    EXPECT_EQ(app.rec.ends[0].correct, 13);
    EXPECT_EQ(app.rec.ends[0].misses, 3);

    // An English key: the letter expected, the letter typed.
    const KeyJudged& wrong = app.rec.keys[12];
    EXPECT_FALSE(wrong.hit);
    EXPECT_EQ(wrong.typed, u'Q');
    EXPECT_EQ(wrong.expectedUnit.size(), 1);
    EXPECT_EQ(wrong.expectedKey, wrong.expectedUnit.at(0));
    EXPECT_TRUE(wrong.followedForm.isEmpty());
    EXPECT_TRUE(app.rec.keys[0].hit && app.rec.keys[0].unitDone);
}

TEST(PlayEvents, TimeTrialIsSettledByItsResult) {
    EventsApp app;
    ScreenBase* run = app.nav.Show(Screen::TimeTrial);
    StartPlay(run);
    app.clock.advance(30000);
    TypeWrong(run, 2);
    TypeHead(run, 114);
    EXPECT_EQ(DisplayText(run), "Goal!!");
    EXPECT_EQ(app.rec.keys.size(), 116);
    EXPECT_EQ(Frame(app.rec.log), QStringList({"begun", "cut", "finished"}));
    Fire(run, QStringLiteral("finishTimer"));
    ASSERT_EQ(app.NowScreen(), Screen::ResultTimeTrial);
    ASSERT_EQ(app.rec.settled.size(), 1);
    EXPECT_EQ(app.rec.settled[0].timeMs, 30000);
    EXPECT_EQ(app.rec.settled[0].place, 1);
    EXPECT_EQ(app.rec.settled[0].grade, Text(app.Now(), "gradeText").mid(4));
    EXPECT_EQ(QStringLiteral("スコア：%1").arg(app.rec.settled[0].score), Text(app.Now(), "scoreText"));
}

TEST(PlayEvents, RaceReportsLanesAndPlace) {
    EventsApp app;
    app.g.derby.SetHeat(1);
    app.UsePlayable(1);
    ScreenBase* race = app.nav.Show(Screen::KeyDerby);
    StartPlay(race);
    Fire(race, QStringLiteral("moveTimer"), 3);
    TypeWrong(race, 1);
    TypeHead(race, 59);
    EXPECT_EQ(DisplayText(race), "Finish!!");
    Fire(race, QStringLiteral("finishTimer"));
    EXPECT_EQ(app.rec.lanes, 3);
    EXPECT_EQ(app.rec.keys.size(), 60);
    ASSERT_EQ(app.rec.begun.size(), 1);
    EXPECT_EQ(app.rec.begun[0].mode, GameMode::Race);
    EXPECT_EQ(app.rec.begun[0].heat, 1);
    EXPECT_EQ(app.rec.begun[0].chara, 1);
    EXPECT_EQ(Frame(app.rec.log), QStringList({"begun", "cut", "finished", "settled"}));
    ASSERT_EQ(app.rec.settled.size(), 1);
    EXPECT_EQ(app.rec.settled[0].racePlace, 1);
}

TEST(PlayEvents, BossWonIsSettled) {
    EventsApp app;
    app.UsePlayable(1);
    app.rnd.Script({0.0f});
    ScreenBase* boss = app.nav.Show(Screen::Boss);
    StartPlay(boss);
    Fire(boss, QStringLiteral("moveTimer"), 2);
    TypeHead(boss, 125);
    EXPECT_EQ(DisplayText(boss), "You Win!!");
    EXPECT_EQ(app.rec.keys.size(), 125);
    EXPECT_EQ(app.rec.lanes, 2);
    EXPECT_EQ(app.rec.begun.value(0).heat, kBossHeat);
    EXPECT_EQ(Frame(app.rec.log), QStringList({"begun", "cut", "finished", "settled"}));
    EXPECT_TRUE(app.rec.settled.value(0).won);
}

// Every way out of a running game ends it as abandoned, once; before Go there is no game.
TEST(PlayEvents, LeavingARunningGameAbandonsIt) {
    const Screen screens[] = {Screen::Practice, Screen::TimeTrial, Screen::KeyDerby, Screen::Boss};
    enum class Way { Esc, Backspace, Close, EscDuringReady };
    for (Screen screen : screens) {
        for (Way way : {Way::Esc, Way::Backspace, Way::Close, Way::EscDuringReady}) {
            SCOPED_TRACE(ScreenName(screen).toStdString() + " way " + std::to_string(int(way)));
            EventsApp app;
            app.g.derby.SetHeat(1);
            app.UsePlayable(1);
            app.msg.Answer(MsgAnswer::No);
            ScreenBase* form = app.nav.Show(screen);
            ASSERT_TRUE(form);
            if (way == Way::EscDuringReady) {
                Press(form, Qt::Key_Space);
                Press(form, Qt::Key_Escape);
                EXPECT_TRUE(app.rec.log.isEmpty());
                continue;
            }
            StartPlay(form);
            TypeHead(form, 3);
            if (way == Way::Esc)
                Press(form, Qt::Key_Escape);
            else if (way == Way::Backspace)
                Press(form, Qt::Key_Backspace);
            else
                form->close();
            TestApp::Flush();
            EXPECT_EQ(Frame(app.rec.log), QStringList({"begun", "cut", "abandoned"}));
            EXPECT_EQ(app.rec.keys.size(), 3);
            ASSERT_EQ(app.rec.ends.size(), 1);
            EXPECT_EQ(app.rec.ends[0].correct, 3);
        }
    }
}

// Keys that type no character are no keys typed, right or wrong, on any play screen.
TEST(PlayEvents, KeysThatTypeNoCharacterAreNotJudged) {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* text;
    } silent[] = {
        {Qt::Key_Tab, Qt::NoModifier, "\t"},      {Qt::Key_Backtab, Qt::ShiftModifier, ""},
        {Qt::Key_Left, Qt::NoModifier, ""},       {Qt::Key_Down, Qt::NoModifier, ""},
        {Qt::Key_F1, Qt::NoModifier, ""},         {Qt::Key_F12, Qt::NoModifier, ""},
        {Qt::Key_Shift, Qt::ShiftModifier, ""},   {Qt::Key_Control, Qt::ControlModifier, ""},
        {Qt::Key_A, Qt::ControlModifier, "\x01"}, {Qt::Key_Return, Qt::NoModifier, "\r"},
        {Qt::Key_Delete, Qt::NoModifier, "\x7f"},
    };
    for (Screen screen : {Screen::Practice, Screen::TimeTrial, Screen::KeyDerby, Screen::Boss}) {
        SCOPED_TRACE(ScreenName(screen).toStdString());
        EventsApp app;
        app.g.derby.SetHeat(1);
        app.UsePlayable(1);
        ScreenBase* form = app.nav.Show(screen);
        StartPlay(form);
        for (const auto& k : silent) {
            TypeHead(form, 1);
            QKeyEvent press(QEvent::KeyPress, k.key, k.mods, QString::fromLatin1(k.text));
            QApplication::sendEvent(form, &press);
        }
        EXPECT_EQ(app.g.judge.GetMissCount(), 0);
        EXPECT_EQ(app.g.judge.GetCorrectCount(), int(std::size(silent)));
        EXPECT_EQ(app.rec.keys.size(), int(std::size(silent)));
        EXPECT_EQ(app.nav.LastShown(), screen) << "still playing";
    }
}
