#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSqlQuery>

#include "learning/LearningRecord.h"
#include "learning/PlayedGame.h"
#include "platform/core/TickCounter.h"
#include "platform/widgets/Timer.h"
#include "stats/ReplayWindow.h"
#include "support/TestApp.h"
#include "tests/derby/DerbyKit.h"
#include "tests/learning/GameBuilder.h"

namespace kd::test {
namespace {

// A heat recorded with the lanes every 150 ms and one miss among the keys.
PlayedGame RecordedRace() {
    GameBuilder b(GameMode::Race);
    b.game.heat = 2;
    b.game.chara = 1;
    b.Question(QStringLiteral("cat"), 0)
        .Key(100, true, QStringLiteral("c"))
        .Key(200, false, QStringLiteral("a"), QStringLiteral("x"))
        .Key(400, true, QStringLiteral("a"));
    for (int i = 1; i <= 6; ++i) b.Lanes(150 * i, {i, 2 * i, 3 * i, 4 * i, 0});
    b.game.durationMs = 900;
    return b.game;
}

TEST(ReplayWindow, ReproducesTheRecordedLanesAtEachSpeed) {
    ManualTickCounter clock;
    stats::ReplayWindow w(clock, ReplayModel(RecordedRace()));
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    Timer* t = FindTimer(&w, QStringLiteral("replayTimer"));
    EXPECT_FALSE(t->Enabled());  // paused until played: no wake-ups
    w.Play();
    ASSERT_TRUE(t->Enabled());
    EXPECT_EQ(t->Interval(), 100);  // the first key at 100 ms
    clock.advance(t->Interval());
    t->fire();
    EXPECT_EQ(t->Interval(), 50);  // next: the lanes at 150
    clock.advance(50);
    t->fire();
    EXPECT_EQ(w.Frame().lanes, (std::array<int, 5>{1, 2, 3, 4, 0}));

    w.SetSpeed(4);
    EXPECT_EQ(t->Interval(), 13);  // 50 ms of the game (to the key at 200) at 4x, rounded up
    clock.advance(38);             // 152 ms of the game: 302
    t->fire();
    EXPECT_EQ(w.Frame().ms, 302);
    EXPECT_EQ(w.Frame().lanes, (std::array<int, 5>{2, 4, 6, 8, 0}));
    EXPECT_EQ(w.Frame().misses, 1);
    EXPECT_TRUE(
        Find<QLabel>(&w, QStringLiteral("keysLabel"))->text().contains(QStringLiteral("line-through")));

    w.Pause();
    clock.advance(1000);
    EXPECT_FALSE(t->Enabled());
    EXPECT_EQ(w.Frame().ms, 302);

    // The slider: the player drags it to 760.
    Find<QSlider>(&w, QStringLiteral("positionSlider"))->setValue(760);
    EXPECT_EQ(w.Frame().ms, 760);
    EXPECT_EQ(w.Frame().lanes, (std::array<int, 5>{5, 10, 15, 20, 0}));
    EXPECT_EQ(Find<QLabel>(&w, QStringLiteral("positionLabel"))->text(), QStringLiteral("0.8 / 0.9 秒"));

    w.Play();
    clock.advance(1000);  // past the end: it stops there
    t->fire();
    EXPECT_EQ(w.Frame().ms, 900);
    EXPECT_FALSE(t->Enabled());
    EXPECT_EQ(Find<QPushButton>(&w, QStringLiteral("playButton"))->text(), QStringLiteral("再生"));
}

TEST(ReplayWindow, DescribesTheGame) {
    EXPECT_EQ(stats::DescribeGame(GameMode::TimeTrial, QStringLiteral("english"), 0),
              QStringLiteral("タイムトライアル 英単語"));
    EXPECT_EQ(stats::DescribeGame(GameMode::Race, QStringLiteral("kannyouku"), 3),
              QStringLiteral("レース 第3戦 慣用句"));
}

TEST(ReplayWindow, AHeatIsReplayedWithTheRunnersItWasRacedAgainst) {
    // Fault guarded: heats 2-5 replayed with a heat-1 runner in lane 1 instead of the
    // co-qualifier who came through with the player.
    DerbyApp app;
    LearningRecord record(app.g);
    app.g.learning = &record;
    app.g.play.Add(&record.Recorder());  // as the program wires it
    const std::unique_ptr<LearningRecord, std::function<void(LearningRecord*)>> unhook(
        &record, [&app](LearningRecord* r) {
            app.g.play.Remove(&r->Recorder());
            app.g.learning = nullptr;
        });
    app.g.derby.SetHeat(3);
    app.g.derby.SetCoQualifier(21);  // came through heat 2 with the player
    auto* race = app.Open<RaceScreen>(Screen::KeyDerby);
    ASSERT_TRUE(race);
    StartPlay(race);
    TypeCorrect(race, 3);
    Press(race, Qt::Key_Escape);  // abandoned games are kept too
    record.Recorder().Flush();
    QSqlQuery q(record.Store()->Database());
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT max(id) FROM games WHERE mode = 2")) && q.next());
    const auto game = LoadPlayedGame(record.Store()->Database(), q.value(0).toLongLong());
    ASSERT_TRUE(game);
    EXPECT_EQ(game->cast, (std::array<int, 4>{1, 21, 31, 32}));
    EXPECT_EQ(stats::ReplayOpponents(*game), (std::array<int, 3>{21, 31, 32}));

    // A record from before the cast was kept: the heat's own runners, a heat-1 one in lane 1.
    PlayedGame old = *game;
    old.cast = {};
    EXPECT_EQ(stats::ReplayOpponents(old), (std::array<int, 3>{11, 31, 32}));
    old.heat = 1;
    EXPECT_EQ(stats::ReplayOpponents(old), (std::array<int, 3>{11, 12, 13}));
}

}  // namespace
}  // namespace kd::test
