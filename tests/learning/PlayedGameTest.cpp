#include <gtest/gtest.h>

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "learning/GhostRun.h"
#include "learning/PlayedGame.h"
#include "support/QStringPrint.h"

namespace kd::test {
namespace {

// A learning database built by hand from the schema file, one statement at a time.
class LearningDb : public ::testing::Test {
  protected:
    void SetUp() override {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("played-game-test"));
        db.setDatabaseName(dir.filePath(QStringLiteral("learning.sqlite")));
        ASSERT_TRUE(db.open());
        Exec(QStringLiteral("PRAGMA synchronous = OFF"));  // a throw-away file: no need to wait for the disk
        QFile schema(QStringLiteral(KD_SOURCE_DIR "/learning/schema.sql"));
        ASSERT_TRUE(schema.open(QIODevice::ReadOnly));
        QString sql;
        for (const QString& line : QString::fromUtf8(schema.readAll()).split(QLatin1Char('\n')))
            sql += line.section(QStringLiteral("--"), 0, 0) + QLatin1Char('\n');
        for (const QString& stmt : sql.split(QLatin1Char(';')))
            if (!stmt.trimmed().isEmpty()) Exec(stmt);
    }
    void TearDown() override {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("played-game-test"));
    }
    void Exec(const QString& sql) {
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
    }
    // A time trial with `hits` correct keys on one question, each 100 ms apart.
    void TimeTrial(int id, const char* genre, int timeMs, qint64 startedAt, int hits = 3, int abandoned = 0,
                   int imported = 0) {
        Exec(QStringLiteral("INSERT INTO games(id, mode, genre, started_at, duration_ms, correct, misses, "
                            "abandoned, imported, time_ms) VALUES(%1, 1, '%2', %3, %4, %5, 0, %6, %7, %4)")
                 .arg(id)
                 .arg(QLatin1String(genre))
                 .arg(startedAt)
                 .arg(timeMs)
                 .arg(hits)
                 .arg(abandoned)
                 .arg(imported));
        if (imported) return;
        Exec(QStringLiteral("INSERT INTO questions VALUES(%1, 0, 5, 'w', 'w', 0, 100, %2, 0, 0)")
                 .arg(id)
                 .arg(hits * 100));
        for (int k = 0; k < hits; ++k)
            Exec(QStringLiteral("INSERT INTO keys VALUES(%1, %2, 0, %3, 'a', 'a', 'a', 1, 'a')")
                     .arg(id)
                     .arg(k)
                     .arg((k + 1) * 100));
    }

    QTemporaryDir dir;
    QSqlDatabase db;
};

TEST_F(LearningDb, BestRunIsTheFastestFinishedTimeTrialOfTheGenreWithKeys) {
    TimeTrial(1, "english", 20000, 1000);
    TimeTrial(2, "english", 9000, 2000, 3, 0, 1);  // imported summary: faster, but no keys
    TimeTrial(3, "english", 8000, 3000, 3, 1);     // abandoned
    TimeTrial(4, "kannyouku", 7000, 4000);         // other genre
    TimeTrial(5, "english", 15000, 5000);
    TimeTrial(6, "english", 15000, 6000);  // as fast, but later
    TimeTrial(7, "english", 0, 7000);      // no time recorded
    Exec(
        QStringLiteral("INSERT INTO games(id, mode, genre, started_at, duration_ms, correct, misses) "
                       "VALUES(8, 0, 'english', 8000, 1000, 9, 0)"));  // practice
    EXPECT_EQ(FindBestTimeTrial(db, QStringLiteral("english")), 5);
    EXPECT_EQ(FindBestTimeTrial(db, QStringLiteral("kannyouku")), 4);
    EXPECT_EQ(FindBestTimeTrial(db, QStringLiteral("set:1")), std::nullopt);
    // The best as it stood before a game began (what that game raced against).
    EXPECT_EQ(FindBestTimeTrial(db, QStringLiteral("english"), 5000), 1);
    EXPECT_EQ(FindBestTimeTrial(db, QStringLiteral("english"), 1000), std::nullopt);
    // A kana run races only kana runs.
    TimeTrial(9, "kannyouku", 5000, 9000);
    Exec(QStringLiteral("UPDATE games SET input_method = 1 WHERE id = 9"));
    EXPECT_EQ(FindBestTimeTrial(db, QStringLiteral("kannyouku")), 4);
    EXPECT_EQ(FindBestTimeTrial(db, QStringLiteral("kannyouku"), 0, InputMethod::Kana), 9);
}

TEST_F(LearningDb, LoadsAGameWithKeysOnTheGameClock) {
    TimeTrial(1, "english", 1800, 1000, 0);
    Exec(QStringLiteral("INSERT INTO questions VALUES(1, 1, 6, 'x', 'x', 800, 400, 1000, 1, 1)"));
    Exec(QStringLiteral("INSERT INTO keys VALUES(1, 0, 0, 300, 'w', 'w', 'w', 1, 'w')"));
    Exec(QStringLiteral("INSERT INTO keys VALUES(1, 1, 1, 400, 'x', 'x', 'z', 0, NULL)"));
    Exec(QStringLiteral("INSERT INTO keys VALUES(1, 2, 1, 1000, 'x', 'x', 'x', 1, 'x')"));
    Exec(QStringLiteral("INSERT INTO keys VALUES(1, 3, 9, 5, 'x', 'x', 'x', 1, 'x')"));  // no such question
    const auto g = LoadPlayedGame(db, 1);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->mode, GameMode::TimeTrial);
    EXPECT_EQ(g->timeMs, 1800);
    ASSERT_EQ(g->questions.size(), 2);
    EXPECT_EQ(g->questions[1].shownMs, 800);
    ASSERT_EQ(g->keys.size(), 3);
    EXPECT_EQ(g->keys[1].gameMs, 1200);
    EXPECT_FALSE(g->keys[1].hit);
    EXPECT_EQ(g->keys[1].typed, QStringLiteral("z"));
    EXPECT_EQ(g->keys[2].gameMs, 1800);
    const GhostTimeline ghost = GhostTimeline::FromGame(*g);
    EXPECT_EQ(ghost.KeyCount(), 2);
    EXPECT_EQ(ghost.NextStepAfter(300), 1800);

    EXPECT_EQ(LoadPlayedGame(db, 99), std::nullopt);
}

TEST_F(LearningDb, LoadsRaceLanesAndListsReplayableGames) {
    Exec(
        QStringLiteral("INSERT INTO games(id, mode, genre, chara, heat, started_at, duration_ms, correct, "
                       "misses, place) VALUES(10, 2, 'kannyouku', 1, 2, 9000, 3000, 1, 0, 2)"));
    Exec(QStringLiteral("INSERT INTO questions VALUES(10, 0, 101, '漢', 'かん', 0, 100, 100, 0, 0)"));
    Exec(QStringLiteral("INSERT INTO keys VALUES(10, 0, 0, 100, 'か', 'k', 'k', 1, 'ka')"));
    Exec(QStringLiteral("INSERT INTO lanes VALUES(10, 300, 0, 3, 4, 2, NULL)"));
    Exec(QStringLiteral("INSERT INTO lanes VALUES(10, 150, 0, 1, 2, 1, NULL)"));
    TimeTrial(11, "english", 15000, 500);
    TimeTrial(12, "english", 9000, 600, 0, 0, 1);  // imported: nothing to replay
    Exec(
        QStringLiteral("INSERT INTO games(id, mode, genre, started_at, duration_ms, correct, misses) "
                       "VALUES(13, 0, 'english', 9500, 1000, 9, 0)"));  // practice

    const auto race = LoadPlayedGame(db, 10);
    ASSERT_TRUE(race);
    EXPECT_EQ(race->mode, GameMode::Race);
    EXPECT_EQ(race->place, 2);
    ASSERT_EQ(race->lanes.size(), 2);
    EXPECT_EQ(race->lanes[0].ms, 150);
    EXPECT_EQ(race->lanes[1].positions, (std::array<int, 5>{0, 3, 4, 2, 0}));

    const auto list = ListReplayableGames(db);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].id, 10);  // newest first
    EXPECT_EQ(list[1].id, 11);
}

TEST_F(LearningDb, AClosedDatabaseGivesNothingRatherThanFailing) {
    db.close();
    EXPECT_EQ(FindBestTimeTrial(db, QStringLiteral("english")), std::nullopt);
    EXPECT_EQ(LoadPlayedGame(db, 1), std::nullopt);
    EXPECT_TRUE(ListReplayableGames(db).isEmpty());
}

}  // namespace
}  // namespace kd::test
