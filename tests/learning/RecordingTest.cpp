#include <gtest/gtest.h>

#include <QBuffer>
#include <QSqlQuery>

#include "learning/LearningRecord.h"
#include "learning/Settings.h"
#include "support/LearningKit.h"
#include "support/TestApp.h"

using namespace kd;
using namespace kd::test;

namespace {

struct ModeCase {
    GameMode mode;
    const char* genre;
    int chara, heat, setting;
    GameSettled settled;
    // Expected columns after settling.
    const char* outcomeSql;
    QVariantList outcome;
};

class Recording : public ::testing::Test {
  protected:
    TestApp app;
    LearningRecord record{app.g};
    QStringList said;
    void SetUp() override {
        app.UsePlayer();
        record.SetProblemReporter([this](const QString& s) { said << s; });
    }
    QSqlDatabase Db() { return record.Store()->Database(); }
};

}  // namespace

// Each mode's game comes back with its questions, one row per key and its settled outcome.
TEST_F(Recording, AGameOfEachModeIsReadBack) {
    const ModeCase cases[] = {
        {GameMode::Practice,
         "kannyouku",
         -1,
         0,
         60,
         {},
         "SELECT setting_s, chara, heat, place FROM games WHERE id = %1",
         {60, QVariant(), QVariant(), QVariant()}},
        {GameMode::TimeTrial,
         "english",
         -1,
         0,
         0,
         GameSettled{83456, "B", 12954, 3, 0, false},
         "SELECT time_ms, grade, score, place FROM games WHERE id = %1",
         {83456, "B", 12954, 3}},
        {GameMode::Race,
         "kannyouku",
         2,
         4,
         0,
         GameSettled{0, {}, 0, 0, 2, false},
         "SELECT chara, heat, place, setting_s FROM games WHERE id = %1",
         {2, 4, 2, QVariant()}},
        {GameMode::Boss,
         "kannyouku",
         5,
         6,
         0,
         GameSettled{0, {}, 0, 0, 0, true},
         "SELECT chara, heat, won, place FROM games WHERE id = %1",
         {5, 6, 1, QVariant()}},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(int(c.mode));
        EventScript s{record.Recorder()};
        s.Begin(c.mode, QString::fromLatin1(c.genre), c.chara, c.heat, c.setting);
        s.Question(101, "一石二鳥", "いっせきにちょう");
        int misses = s.Unit("い", "i", "!ui");
        misses += s.Unit("っせ", "sse", "sse");
        misses += s.Unit("き", "ki", "k!ji");
        s.EndQuestion(false);
        s.Question(103, "a, \"quoted\" word", "word");
        misses += s.Unit("し", "si", "si");
        misses += s.Unit("し", "shi", "shi");
        s.EndQuestion(true);
        if (c.mode == GameMode::Race) record.Recorder().OnLanesMoved(LanesMoved{s.tick, {10, 20, 30, 40, 0}});
        s.End(false, 11, misses);
        record.Recorder().OnGameSettled(c.settled);

        ASSERT_TRUE(record.Recorder().LastGameId());
        const qint64 id = *record.Recorder().LastGameId();
        QSqlQuery q(Db());
        ASSERT_TRUE(
            q.exec(QStringLiteral("SELECT mode, genre, started_at, correct, misses, abandoned, imported, "
                                  "duration_ms FROM games WHERE id = %1")
                       .arg(id)));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toInt(), int(c.mode));
        EXPECT_EQ(q.value(1).toString(), QString::fromLatin1(c.genre));
        EXPECT_EQ(q.value(2).toLongLong(), 1765000000000);
        EXPECT_EQ(q.value(3).toInt(), 11);
        EXPECT_EQ(q.value(4).toInt(), 2);
        EXPECT_EQ(q.value(5).toInt(), 0);
        EXPECT_EQ(q.value(6).toInt(), 0);
        EXPECT_EQ(q.value(7).toLongLong(), s.tick - 1000);

        ASSERT_TRUE(q.exec(QString::fromLatin1(c.outcomeSql).arg(id)));
        ASSERT_TRUE(q.next());
        for (int i = 0; i < c.outcome.size(); ++i) {
            EXPECT_EQ(q.value(i).isNull(), c.outcome[i].isNull()) << "column " << i;
            if (!c.outcome[i].isNull()) {
                EXPECT_EQ(q.value(i).toString(), c.outcome[i].toString()) << "column " << i;
            }
        }

        // Questions: times from appearing to the first and the last key, misses, completion.
        ASSERT_TRUE(q.exec(
            QStringLiteral("SELECT seq, question_id, text, reading, shown_ms, first_key_ms, "
                           "last_key_ms, misses, completed FROM questions WHERE game_id = %1 ORDER BY seq")
                .arg(id)));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(1).toInt(), 101);
        EXPECT_EQ(q.value(2).toString(), QStringLiteral("一石二鳥"));
        EXPECT_EQ(q.value(4).toInt(), 50);
        EXPECT_EQ(q.value(5).toInt(), 100);
        EXPECT_EQ(q.value(6).toInt(), 800);
        EXPECT_EQ(q.value(7).toInt(), 2);
        EXPECT_EQ(q.value(8).toInt(), 0);
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toInt(), 1);
        EXPECT_EQ(q.value(8).toInt(), 1);
        EXPECT_FALSE(q.next());

        // One row per key, with the form followed for hits only.
        EXPECT_EQ(One(Db(), QStringLiteral("SELECT count(*) FROM keys WHERE game_id = %1").arg(id)).toInt(),
                  13);
        ASSERT_TRUE(q.exec(
            QStringLiteral("SELECT question_seq, ms, expected, expected_key, typed, hit, form FROM keys "
                           "WHERE game_id = %1 ORDER BY seq")
                .arg(id)));
        QStringList rows;
        while (q.next()) {
            QStringList r;
            for (int i = 0; i < 7; ++i)
                r << (q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
            rows << r.join(u' ');
        }
        EXPECT_EQ(rows, (QStringList{"0 100 い i u 0 NULL", "0 200 い i i 1 i", "0 300 っせ s s 1 sse",
                                     "0 400 っせ s s 1 sse", "0 500 っせ e e 1 sse", "0 600 き k k 1 ki",
                                     "0 700 き i j 0 NULL", "0 800 き i i 1 ki", "1 100 し s s 1 si",
                                     "1 200 し i i 1 si", "1 300 し s s 1 shi", "1 400 し h h 1 shi",
                                     "1 500 し i i 1 shi"}));
        EXPECT_EQ(One(Db(), QStringLiteral("SELECT count(*) FROM lanes WHERE game_id = %1").arg(id)).toInt(),
                  c.mode == GameMode::Race ? 1 : 0);
    }
    EXPECT_TRUE(said.isEmpty()) << said.join(u'\n').toStdString();
}

// Games left with Esc or Backspace, or by closing the program mid-game, are kept and marked.
TEST_F(Recording, AbandonedGamesAreKeptAndMarked) {
    EventScript s{record.Recorder()};
    s.Begin(GameMode::Practice);
    s.Question(101, "一石二鳥", "いっせきにちょう");
    s.Unit("い", "i", "i");
    s.End(true, 1, 0);
    // A game begun while another was never ended: the first one is kept as abandoned.
    s.Begin(GameMode::TimeTrial);
    s.Question(101, "一石二鳥", "いっせきにちょう");
    s.Unit("い", "i", "!xi");
    s.Begin(GameMode::Race, "kannyouku", 1, 1);
    s.Question(101, "一石二鳥", "いっせきにちょう");
    s.Unit("い", "i", "i");
    {
        LearningRecord other(app.g);  // the program closing mid-game
        EventScript t{other.Recorder()};
        t.Begin(GameMode::Boss, "english", 1, 6);
        t.Question(1000, "apple", "apple");
        t.Unit("a", "a", "a");
    }
    record.Recorder().Flush();
    QSqlQuery q(Db());
    ASSERT_TRUE(
        q.exec(QStringLiteral("SELECT mode, abandoned, correct, misses, (SELECT count(*) FROM keys WHERE "
                              "game_id = games.id) FROM games ORDER BY id")));
    QStringList rows;
    while (q.next())
        rows << QStringLiteral("%1 %2 %3 %4 %5")
                    .arg(q.value(0).toInt())
                    .arg(q.value(1).toInt())
                    .arg(q.value(2).toInt())
                    .arg(q.value(3).toInt())
                    .arg(q.value(4).toInt());
    EXPECT_EQ(rows, (QStringList{"0 1 1 0 1", "1 1 1 1 2", "3 1 1 0 1", "2 1 1 0 1"}));
    // Settling an abandoned game's outcome never lands on another game.
    record.Recorder().OnGameSettled(GameSettled{5000, "S", 13000, 1, 0, false});
    EXPECT_EQ(One(Db(), "SELECT count(*) FROM games WHERE time_ms IS NOT NULL").toInt(), 0);
}

// Settings other features keep per player, and a game with no player at all.
TEST_F(Recording, SettingsAndNoPlayer) {
    LearningStore* store = record.Store();
    ASSERT_TRUE(store);
    EXPECT_EQ(Setting(store->Database(), "guide", "off"), "off");
    EXPECT_TRUE(SetSetting(store->Database(), "guide", "on"));
    EXPECT_TRUE(SetSetting(store->Database(), "guide", "forms"));
    record.Close();
    EXPECT_EQ(Setting(record.Store()->Database(), "guide"), "forms");
    // A closed record: the fallback, and nothing stored.
    EXPECT_EQ(Setting(QSqlDatabase(), "guide", "off"), "off");
    EXPECT_FALSE(SetSetting(QSqlDatabase(), "guide", "on"));

    TestApp nobody;
    LearningRecord none(nobody.g);
    EXPECT_EQ(none.Store(), nullptr);
    EventScript s{none.Recorder()};
    s.Begin(GameMode::Practice);
    s.End(false, 0, 0);
    EXPECT_FALSE(none.Recorder().LastGameId());
    EXPECT_FALSE(QFile::exists(nobody.dir.filePath("learning.sqlite")));
}

// The export holds every game and key, quoted where a text needs it.
TEST_F(Recording, ExportWritesEveryGameAndKeyAsCsv) {
    EventScript s{record.Recorder()};
    s.Begin(GameMode::Practice, "english", -1, 0, 30);
    s.Question(1000, "a, \"quoted\" word", "word");
    s.Unit("w", "w", "!qw");
    s.End(false, 1, 1);
    s.Begin(GameMode::Race, "kannyouku", 3, 2);
    s.End(true, 0, 0);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(record.Store()->ExportCsv(out));
    const QStringList lines = QString::fromUtf8(out.data()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(
        lines[0].startsWith("game_id,mode,genre,chara,heat,setting_s,started_at,duration_ms,correct,misses,"
                            "abandoned,imported,"));
    EXPECT_TRUE(
        lines[0].endsWith(",question_seq,question_id,question_text,reading,key_seq,key_ms,expected,"
                          "expected_key,typed,hit,form"));
    EXPECT_TRUE(lines[1].startsWith("1,practice,english,,,30,"));
    EXPECT_TRUE(lines[1].endsWith(",0,1000,\"a, \"\"quoted\"\" word\",word,0,100,w,w,q,0,"))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith(",0,1000,\"a, \"\"quoted\"\" word\",word,1,200,w,w,w,1,w"))
        << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith("2,race,kannyouku,3,2,,")) << lines[3].toStdString();
    EXPECT_TRUE(lines[3].endsWith(",,,,,,,,,,,")) << lines[3].toStdString();
}
