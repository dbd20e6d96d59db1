// Writing games into the record: a game goes in whole or not at all, a failed write keeps the
// record open, and the export names every mode by its stable key.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QSqlQuery>

#include "learning/LearningStore.h"
#include "support/LearningKit.h"
#include "support/TestApp.h"

using namespace kd;
using namespace kd::test;

// Outside the anonymous namespace: the test classes derived from it are not in one.
class GameWriting : public ::testing::Test {
  protected:
    TestApp app;
    std::unique_ptr<LearningStore> store;
    void SetUp() override {
        app.UsePlayer();
        store = std::make_unique<LearningStore>(app.PlayerPath(QLatin1String(LearningStore::kFileName)));
        ASSERT_TRUE(store->Open()) << store->Problem().toStdString();
    }
    static RecordedGame Game(GameMode mode = GameMode::Practice) {
        RecordedGame g;
        g.mode = mode;
        g.genre = QStringLiteral("kannyouku");
        g.startedAt = 1765000000000;
        RecordedQuestion q;
        q.questionId = 101;
        q.text = QStringLiteral("一石二鳥");
        q.reading = QStringLiteral("いっせきにちょう");
        g.questions << q;
        g.keys << RecordedKey{0, 100, QStringLiteral("い"), u'i', u'i', true, QStringLiteral("i")}
               << RecordedKey{0, 200, QStringLiteral("っせ"), u's', u's', true, QStringLiteral("sse")};
        return g;
    }
    int Count(const char* table) const {
        return One(store->Database(), QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(table)))
            .toInt();
    }
};

// A key the record refuses (its unit missing) takes its game's row and questions with it; the
// record stays open, says the game is kept for later, and forgets that once a game goes in.
TEST_F(GameWriting, AGameGoesInWholeOrNotAtAll) {
    RecordedGame broken = Game();
    broken.keys[1].expected = QString();
    EXPECT_FALSE(store->WriteGame(broken));
    EXPECT_EQ(Count("games") + Count("questions") + Count("keys"), 0);
    EXPECT_TRUE(store->Writable());
    EXPECT_TRUE(store->Problem().contains(QStringLiteral("今回のゲームはまだ記録されていません")))
        << store->Problem().toStdString();

    const std::optional<qint64> id = store->WriteGame(Game());
    ASSERT_TRUE(id);
    EXPECT_TRUE(store->Problem().isEmpty());
    EXPECT_EQ(One(store->Database(), QStringLiteral("SELECT count(*) FROM keys WHERE game_id = %1").arg(*id))
                  .toInt(),
              2);

    // The import's games share one transaction: one bad game and none of them is kept.
    RecordedGame noGenre = Game(GameMode::TimeTrial);
    noGenre.genre = QString();
    EXPECT_FALSE(store->WriteGames({Game(), Game(), noGenre}));
    EXPECT_EQ(Count("games"), 1);
    EXPECT_TRUE(store->WriteGames({Game(), Game()}));
    EXPECT_EQ(Count("games"), 3);
}

// An outcome that cannot be settled (another program holds the file) is told and the record
// stays open for the next try.
TEST_F(GameWriting, ASettleRefusedKeepsTheRecordOpen) {
    const std::optional<qint64> id = store->WriteGame(Game(GameMode::TimeTrial));
    ASSERT_TRUE(id);
    const GameSettled outcome{83456, QStringLiteral("B"), 12954, 3, 0, false};
    {
        OtherConnection other(store->Path());
        QSqlQuery q(other.db);
        ASSERT_TRUE(q.exec(QStringLiteral("BEGIN IMMEDIATE")));
        EXPECT_FALSE(store->SettleGame(*id, GameMode::TimeTrial, outcome));
        q.exec(QStringLiteral("ROLLBACK"));
    }
    EXPECT_EQ(store->Trouble(), WriteTrouble::InUse);
    EXPECT_TRUE(store->Problem().startsWith(QStringLiteral("学習記録に書き込めません")))
        << store->Problem().toStdString();
    EXPECT_TRUE(store->Writable());
    EXPECT_TRUE(store->SettleGame(*id, GameMode::TimeTrial, outcome));
    EXPECT_EQ(
        One(store->Database(), QStringLiteral("SELECT time_ms FROM games WHERE id = %1").arg(*id)).toInt(),
        83456);
}

// The export's mode column is a stable key per mode (a number that is no mode stays empty).
TEST_F(GameWriting, ExportNamesEveryModeByItsKey) {
    for (GameMode mode :
         {GameMode::Practice, GameMode::TimeTrial, GameMode::Race, GameMode::Boss, GameMode::NetRace}) {
        RecordedGame game;  // no keys: one row each
        game.mode = mode;
        game.genre = QStringLiteral("english");
        ASSERT_TRUE(store->WriteGame(game));
    }
    QSqlQuery q(store->Database());
    ASSERT_TRUE(
        q.exec(QStringLiteral("INSERT INTO games(mode, genre, started_at, duration_ms, correct, misses) "
                              "VALUES(9, 'english', 0, 0, 0, 0)")));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(store->ExportCsv(out));
    QStringList modes;
    for (const QString& line : QString::fromUtf8(out.data()).split(u'\n', Qt::SkipEmptyParts).mid(1))
        modes << line.section(u',', 1, 1);
    EXPECT_EQ(modes, (QStringList{"practice", "timetrial", "race", "boss", "netrace", ""}));

    store->Close();
    EXPECT_FALSE(store->ExportCsv(out));
}
