#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <functional>
#include <iostream>

#include "KeyStorm.h"
#include "chains/ChainKit.h"
#include "common/GameState.h"
#include "common/Roster.h"

using namespace kd;
using namespace kd::test;

namespace {

constexpr int kStormKeys = 200000;
// Races and boss battles last a few dozen keys each: a quarter of the storm still plays
// hundreds of them, which is enough under the sanitizers (counters need the whole storm).
constexpr int kGameStormKeys = kUnderSanitizers ? kStormKeys / 4 : kStormKeys;

// Enough scripted random numbers for the questions and the opponents of a whole storm.
QList<float> RandomScript(quint32 seed, int count = 50000) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> u(0.0f, 0.999f);
    QList<float> out;
    out.reserve(count);
    for (int i = 0; i < count; ++i) out << u(rng);
    return out;
}

// Keeps one play screen on show through a storm: when a game ends or the player leaves, the
// screen is opened again. Counts what happened on the way.
struct StormDriver {
    StormDriver(ChainApp& app_, Screen screen_, const QStringList& timers_,
                std::function<void(int openedBefore)> open_)
        : app(app_), screen(screen_), timers(timers_), open(std::move(open_)) {}

    ChainApp& app;
    Screen screen;
    QStringList timers;
    std::function<void(int openedBefore)> open;

    QPointer<ScreenBase> form;
    QLabel* display = nullptr;
    int keys = 0, heads = 0, ticks = 0, opened = 0;
    QMap<QString, int> leftTo;

    ScreenBase* Current() {
        ScreenBase* now = app.Now();
        if (now && now == form) return now;
        if (!now || now->Id() != screen) {
            if (opened > 0) ++leftTo[now ? now->objectName() : QStringLiteral("nothing")];
            for (ScreenBase* f : app.nav.OpenForms()) f->CloseScreen();
            TestApp::Flush();
            open(opened++);
            now = app.Now();
        }
        form = now;
        display = Find<QLabel>(form, QStringLiteral("readingText"));
        return now;
    }
    QString Display() const { return display ? display->text() : QString(); }

    void Key(const StormKey& k) {
        KeyStorm::Send(Current(), k);
        ++keys;
    }
    // The next character of an English question: always a correct key.
    bool Head() {
        ScreenBase* f = Current();
        const QString d = Display();
        if (d.isEmpty()) return false;
        KeyStorm::Send(f, d.at(0));
        ++keys;
        ++heads;
        return true;
    }
    // Between timer ticks the program's event loop would deliver what the screens posted
    // (repaints, layout requests, closed windows); without it they pile up.
    void Tick(int ms) {
        app.clock.advance(ms);
        for (const QString& t : timers) ticks += Fire(Current(), t);
        QCoreApplication::sendPostedEvents();
    }
    void Report(const char* name, qint64 ms) const {
        std::cout << "[ storm    ] " << name << ": " << keys << " keys (" << heads << " correct by aim), "
                  << ticks << " timer ticks, screen opened " << opened << "x";
        for (auto it = leftTo.begin(); it != leftTo.end(); ++it)
            std::cout << ", left to " << it.key().toStdString() << " " << it.value() << "x";
        std::cout << ", " << ms << " ms\n";
    }
};

qint16 Correct(ChainApp& app) {
    return app.g.judge.GetCorrectCount();
}
qint16 Misses(ChainApp& app) {
    return app.g.judge.GetMissCount();
}

// Yes and No in random order for the questions a storm brings up (out of power, boss fights).
void ScriptAnswers(ChainApp& app, quint32 seed) {
    std::mt19937 rng(seed);
    for (int i = 0; i < 20000; ++i) app.msg.Answer(rng() % 3 ? MsgAnswer::Yes : MsgAnswer::No);
}

void UsePlayable(ChainApp& app, int charaNo) {
    app.g.derby.ChoosePlayer(PlayableCharacterOf(charaNo));
}

}  // namespace

TEST(KeyStorm, PracticeCountersSaturateAndTheGameStillEnds) {
    ChainApp app;
    app.UsePlayer();
    app.WriteFile(app.Player("DATA/PracticeTime"),
                  Record("8F 02 07 00 65 6E 67 6C 69 73 68"));  // 655 s, English
    app.rnd.Script(RandomScript(11));
    StormDriver d{app, Screen::Practice, {QStringLiteral("countdownTimer")}, [&](int) {
                      ADD_FAILURE() << "the practice screen was left during the storm";
                      app.nav.Show(Screen::Practice);
                  }};
    app.nav.Show(Screen::Practice);
    StartPlay(d.Current());

    QElapsedTimer took;
    took.start();
    KeyStorm storm(1);
    while (d.keys < kStormKeys) {
        if (storm.Below(2) == 0)
            d.Head();
        else
            d.Key(storm.Next());
        if (d.keys % 16 == 0) d.Tick(32);  // 400 s of the 655 in all
    }
    d.Report("practice", took.elapsed());
    EXPECT_EQ(Correct(app), 32767);
    EXPECT_EQ(Misses(app), 32767);
    EXPECT_EQ(d.opened, 0);
    ScreenBase* practice = d.Current();
    EXPECT_EQ(Text(practice, "remainingTime"), "255.0");

    // The game still ends on time and shows the saturated counts.
    app.clock.advance(255000);
    Fire(practice, QStringLiteral("countdownTimer"));
    EXPECT_EQ(DisplayText(practice), "FINISH!!");
    Fire(practice, QStringLiteral("finishTimer"));
    ASSERT_EQ(app.NowScreen(), Screen::ResultPractice);
    EXPECT_EQ(Text(app.Now(), "totalKeysText"), "全打数：65534");
    EXPECT_EQ(Text(app.Now(), "correctCountText"), "正打数：32767");
    EXPECT_EQ(Text(app.Now(), "correctRateText"), "正答率：50.0%");
    EXPECT_EQ(Text(app.Now(), "typesPerSecText"), "Types/Sec.：50.03");

    // A fresh screen answers Space and Esc as before.
    Press(app.Now(), Qt::Key_Return);
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::Practice);
    Press(app.Now(), Qt::Key_Space);
    EXPECT_EQ(DisplayText(app.Now()), "Ready...");
    Press(app.Now(), Qt::Key_Escape);
    EXPECT_EQ(DisplayText(app.Now()), "スペースでスタート");
    StartPlay(app.Now());
    TypeHead(app.Now(), 3);
    EXPECT_EQ(Correct(app), 3);
}

TEST(KeyStorm, TimeTrialMissesSaturateAndTheRunStillReachesTheGoal) {
    ChainApp app;
    app.UsePlayer();
    app.WriteFile(app.Player("DATA/gen"), Record("01 00"));
    app.rnd.Script(RandomScript(12));
    StormDriver d{
        app, Screen::TimeTrial, {QStringLiteral("clockTimer"), QStringLiteral("finishTimer")}, [&](int) {
            ADD_FAILURE() << "the time trial was left during the storm";
            app.nav.Show(Screen::TimeTrial);
        }};
    app.nav.Show(Screen::TimeTrial);
    StartPlay(d.Current());

    // Wrong keys only, but for one correct key in 2000: the ball moves 100 steps, short of the
    // goal, so the run lasts the whole storm.
    QElapsedTimer took;
    took.start();
    KeyStorm storm(2);
    while (d.keys < kStormKeys) {
        if (d.keys % 2000 == 1999) {
            d.Head();
        } else {
            const StormKey& k = storm.Next();
            if (!k.text.isEmpty() && !d.Display().isEmpty() && k.text.at(0) == d.Display().at(0)) continue;
            d.Key(k);
        }
        if (d.keys % 16 == 0) d.Tick(16);
    }
    d.Report("time trial", took.elapsed());
    EXPECT_EQ(Correct(app), 100);
    EXPECT_EQ(Misses(app), 32767);
    EXPECT_EQ(d.opened, 0);

    // Fourteen more correct keys reach the goal; the result shows the saturated misses.
    ScreenBase* play = d.Current();
    TypeHead(play, 14);
    EXPECT_EQ(DisplayText(play), "Goal!!");
    EXPECT_EQ(app.g.player.GetTimeTrialTime(), 200000);
    Fire(play, QStringLiteral("finishTimer"));
    ASSERT_EQ(app.NowScreen(), Screen::ResultTimeTrial);
    EXPECT_EQ(Text(app.Now(), "missCountText"), "誤打数：32767");
    EXPECT_EQ(Text(app.Now(), "correctCountText"), "正打数：114");
    EXPECT_EQ(Text(app.Now(), "scoreText"), "スコア：0");
    EXPECT_EQ(Text(app.Now(), "gradeText"), "ランク：G");
    Click(Button(app.Now(), QStringLiteral("okButton")));
    ASSERT_EQ(app.NowScreen(), Screen::RankingTimeTrial);
    Click(Button(app.Now(), QStringLiteral("okButton")));  // try again: Yes
    TestApp::Flush();

    // A fresh run: Space, Esc and Space again, then the goal.
    ASSERT_EQ(app.NowScreen(), Screen::TimeTrial);
    Press(app.Now(), Qt::Key_Space);
    Press(app.Now(), Qt::Key_Escape);
    EXPECT_EQ(DisplayText(app.Now()), "スペースでスタート");
    StartPlay(app.Now());
    TypeHead(app.Now(), 114);
    EXPECT_EQ(DisplayText(app.Now()), "Goal!!");
}

TEST(KeyStorm, RaceSurvivesAndStillFinishes) {
    ChainApp app;
    app.UsePlayer();
    app.WriteFile(app.Player("DATA/genderby"), Record("01 00"));
    app.rnd.Script(RandomScript(13));
    ScriptAnswers(app, 13);
    StormDriver d{
        app,
        Screen::KeyDerby,
        {QStringLiteral("readyGoTimer"), QStringLiteral("moveTimer"), QStringLiteral("finishTimer")},
        [&](int n) {
            app.g.derby.SetHeat(1 + n % 5);
            UsePlayable(app, 1 + n % 5);
            app.nav.Show(Screen::KeyDerby);
        }};
    d.Current();

    // Blocks of keys typed with more or less care: some races are won, most end out of power.
    QElapsedTimer took;
    took.start();
    KeyStorm storm(3, true);
    const int care[] = {0, 50, 90, 99};
    int share = 0;
    while (d.keys < kGameStormKeys) {
        if (d.keys % 500 == 0) share = care[storm.Below(4)];
        if (storm.Below(100) >= share || !d.Head()) d.Key(storm.Next());
        if (storm.Below(8) == 0) d.Tick(150);
    }
    d.Report("race", took.elapsed());
    EXPECT_GT(d.leftTo.value(ScreenName(Screen::RankingKeyDerby)), 0) << "some races were finished";
    EXPECT_GT(d.leftTo.value(ScreenName(Screen::Main)), 0) << "some races were lost and left";

    // Afterwards: Esc rests the screen, Space starts it, the player can still win.
    ScreenBase* race = d.Current();
    Press(race, Qt::Key_Escape);
    EXPECT_EQ(DisplayText(race), "スペースでスタート");
    for (const char* t : {"readyGoTimer", "moveTimer", "finishTimer"})
        EXPECT_FALSE(FindTimer(race, QString::fromLatin1(t))->Enabled()) << t;
    UsePlayable(app, 1);
    StartPlay(race);
    TypeHead(race, 59);
    EXPECT_EQ(DisplayText(race), "Finish!!");
    Fire(race, QStringLiteral("finishTimer"));
    EXPECT_EQ(app.NowScreen(), Screen::RankingKeyDerby);
    EXPECT_EQ(app.g.derby.Place(), 1);
}

TEST(KeyStorm, BossBattleSurvivesAndCanStillBeWon) {
    ChainApp app;
    app.UsePlayer();
    app.WriteFile(app.Player("DATA/genderby"), Record("01 00"));
    app.rnd.Script(RandomScript(14));
    ScriptAnswers(app, 14);
    StormDriver d{
        app,
        Screen::Boss,
        {QStringLiteral("readyGoTimer"), QStringLiteral("moveTimer"), QStringLiteral("finishTimer")},
        [&](int n) {
            UsePlayable(app, 1 + n % 5);
            app.nav.Show(Screen::Boss);
        }};
    d.Current();

    QElapsedTimer took;
    took.start();
    KeyStorm storm(4, true);
    const int care[] = {0, 50, 95, 100};
    int share = 0;
    while (d.keys < kGameStormKeys) {
        if (d.keys % 500 == 0) share = care[storm.Below(4)];
        if (storm.Below(100) >= share || !d.Head()) d.Key(storm.Next());
        if (storm.Below(12) == 0) d.Tick(150);
    }
    d.Report("boss", took.elapsed());
    EXPECT_GT(d.leftTo.value(ScreenName(Screen::Introduction)), 0) << "the boss was beaten now and then";

    ScreenBase* boss = d.Current();
    Press(boss, Qt::Key_Escape);
    EXPECT_EQ(DisplayText(boss), "");
    for (const char* t : {"readyGoTimer", "moveTimer", "finishTimer"})
        EXPECT_FALSE(FindTimer(boss, QString::fromLatin1(t))->Enabled()) << t;
    UsePlayable(app, 1);
    Press(boss, Qt::Key_Escape);  // takes the character chosen just now
    app.rnd.Script({0.0f});
    StartPlay(boss);
    TypeHead(boss, 125);
    EXPECT_EQ(DisplayText(boss), "You Win!!");
    app.msg.script.clear();
    Fire(boss, QStringLiteral("finishTimer"));
    EXPECT_EQ(app.NowScreen(), Screen::Introduction);
}
