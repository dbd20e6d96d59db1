// The old practice history and ranking as summary games: a damaged row may claim any time, rate
// or speed; what cannot be a game's counts is taken as unknown, never as an overflowed counter.
#include <gtest/gtest.h>

#include <QFile>

#include "common/PracticeRecords.h"
#include "common/TimeTrialRecords.h"
#include "learning/Import.h"
#include "support/TestApp.h"

using namespace kd;
using namespace kd::test;

TEST(OldRecordsImport, ImpossibleTimesAndRatesCountAsUnknown) {
    struct Case {
        const char* why;
        const char* rate;
        float perSecond;
        const char* time;
        int seconds, correct, misses;
    };
    const Case cases[] = {
        {"a plain row", "80.0%", 1.5f, "1分 0秒", 60, 90, 23},
        {"minutes past the counter", "80.0%", 1.5f, "99999999分 0秒", 0, 0, 0},
        {"minutes past even 64 bits", "80.0%", 1.5f, "999999999999999999分 0秒", 0, 0, 0},
        {"seconds past a day", "80.0%", 1.5f, "0分 90000秒", 0, 0, 0},
        {"a day exactly", "100.0%", 2.0f, "1440分 0秒", 86400, 172800, 0},
        {"keys past any game", "50.0%", 32767.0f, "1000分 0秒", 60000, 0, 0},
        {"a rate near nothing", "0.0000001%", 2.0f, "1分 0秒", 60, 120, 0},
        {"a rate of nothing", "0.0%", 2.0f, "1分 0秒", 60, 120, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TestApp app;
        app.UsePlayer();
        const QString practice = app.PlayerPath("DATA/PracticeTime");
        ASSERT_TRUE(SavePracticeTime(app.g, "Tester", {60, "kannyouku"}));
        ASSERT_TRUE(PushPracticeHistory(practice, {"2026/11/30", QString::fromUtf8(c.rate), c.perSecond,
                                                   QString::fromUtf8(c.time), "慣用句"}));
        const QList<RecordedGame> games = OldRecordsAsGames(app.g);
        ASSERT_EQ(games.size(), 1);
        EXPECT_EQ(games[0].settingSeconds, c.seconds);
        EXPECT_EQ(games[0].durationMs, qint64(c.seconds) * 1000);
        EXPECT_EQ(games[0].correct, c.correct);
        EXPECT_EQ(games[0].misses, c.misses);
    }
}

TEST(OldRecordsImport, RankingPlacesAreDatedByTheFileAndMissingFilesStayMissing) {
    TestApp app;
    app.UsePlayer();
    const QString ranking = app.PlayerPath("DATA/TimeTrialData");
    const QString practice = app.PlayerPath("DATA/PracticeTime");
    QFile::remove(ranking);
    QFile::remove(practice);
    EXPECT_TRUE(OldRecordsAsGames(app.g).isEmpty());
    // Looking for the old files must not leave empty ones behind.
    EXPECT_FALSE(QFile::exists(ranking));
    EXPECT_FALSE(QFile::exists(practice));

    TimeTrialTable table;
    table[0] = {"花子", 95000, "98.0%", 3800, "FFF", "慣用句"};
    table[1] = {"太郎", 120000, "90.0%", 1300, "F", "英単語"};
    ASSERT_TRUE(SaveTimeTrialData(ranking, table));
    const QDateTime when(QDate(2025, 4, 1), QTime(9, 30));
    QFile file(ranking);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.setFileTime(when, QFileDevice::FileModificationTime));
    file.close();

    const QList<RecordedGame> games = OldRecordsAsGames(app.g);
    ASSERT_EQ(games.size(), 2);
    EXPECT_EQ(games[1].place, 2);
    EXPECT_EQ(games[1].genre, "english");
    EXPECT_EQ(games[1].timeMs, 120000);
    EXPECT_EQ(games[1].grade, "F");
    for (const RecordedGame& game : games) {
        EXPECT_EQ(game.mode, GameMode::TimeTrial);
        EXPECT_EQ(game.startedAt, when.toMSecsSinceEpoch());
    }
}
