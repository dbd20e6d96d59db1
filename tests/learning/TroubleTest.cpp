#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSqlQuery>

#include "common/PracticeRecords.h"
#include "common/TimeTrialRecords.h"
#include "learning/LearningRecord.h"
#include "learning/Settings.h"
#include "support/LearningKit.h"
#include "support/TestApp.h"

using namespace kd;
using namespace kd::test;

namespace {

class Trouble : public ::testing::Test {
  protected:
    TestApp app;
    QStringList said;
    QString path;
    void SetUp() override {
        app.UsePlayer();
        path = app.PlayerPath("learning.sqlite");
    }
    std::unique_ptr<LearningRecord> Record() {
        auto r = std::make_unique<LearningRecord>(app.g);
        r->SetProblemReporter([this](const QString& s) { said << s; });
        return r;
    }
    // Plays a short game; true when it was written.
    static bool PlayOne(LearningRecord& r) {
        EventScript s{r.Recorder()};
        s.Begin(GameMode::Practice);
        s.Question(101, "一石二鳥", "いっせきにちょう");
        s.Unit("い", "i", "i");
        s.End(false, 1, 0);
        return r.Recorder().LastGameId().has_value();
    }
    QStringList Files() const { return QDir(app.g.PlayerFolder()).entryList(QDir::Files, QDir::Name); }
};

}  // namespace

// A version-1 record (before the summary and indexes) is upgraded in place with its games.
TEST_F(Trouble, OlderSchemaIsUpgradedInPlace) {
    {
        OtherConnection old(path);
        QFile f(KD_SOURCE_DIR "/learning/schema.sql");
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QStringList lines;
        for (const QString& l : QString::fromUtf8(f.readAll()).split(u'\n')) lines << l.section("--", 0, 0);
        QSqlQuery q(old.db);
        for (const QString& s : lines.join(u'\n').split(u';')) {
            if (!s.trimmed().isEmpty()) {
                ASSERT_TRUE(q.exec(s)) << s.toStdString();
            }
        }
        // What version 3 added was not there yet.
        ASSERT_TRUE(q.exec("ALTER TABLE games DROP COLUMN input_method"));
        ASSERT_TRUE(q.exec("DROP TABLE kana_ranking"));
        ASSERT_TRUE(q.exec("INSERT INTO meta VALUES('schema_version', '1')"));
        ASSERT_TRUE(
            q.exec("INSERT INTO games(id, mode, genre, started_at, duration_ms, correct, misses) "
                   "VALUES(7, 0, 'kannyouku', 1, 1000, 2, 1)"));
        ASSERT_TRUE(
            q.exec("INSERT INTO keys VALUES(7, 0, 0, 10, 'し', 's', 'a', 0, NULL), "
                   "(7, 1, 0, 20, 'し', 's', 's', 1, 'si'), (7, 2, 0, 30, 'し', 'i', 'i', 1, 'si')"));
    }
    auto r = Record();
    LearningStore* store = r->Store();
    ASSERT_TRUE(store && store->Writable());
    EXPECT_EQ(One(store->Database(), "SELECT value FROM meta WHERE key = 'schema_version'").toInt(),
              LearningStore::kSchemaVersion);
    EXPECT_EQ(One(store->Database(),
                  "SELECT count(*) FROM sqlite_master WHERE name IN ('games_by_start', "
                  "'keys_missed', 'class_outbox')")
                  .toInt(),
              3);
    EXPECT_EQ(One(store->Database(), "SELECT group_concat(typed, '') FROM keys WHERE game_id = 7").toString(),
              "asi");
    // The old games were typed in romaji; kana runs get their ranking.
    EXPECT_EQ(One(store->Database(), "SELECT input_method FROM games WHERE id = 7").toInt(), 0);
    EXPECT_EQ(
        One(store->Database(), "SELECT count(*) FROM sqlite_master WHERE name = 'kana_ranking'").toInt(), 1);
    EXPECT_TRUE(PlayOne(*r));
    EXPECT_EQ(One(store->Database(), "SELECT count(*) FROM games").toInt(), 2);
    EXPECT_TRUE(said.isEmpty());
}

// A record written by a newer version is read, never written, and the player is told once.
TEST_F(Trouble, NewerSchemaIsOpenedReadOnly) {
    {
        auto r = Record();
        ASSERT_TRUE(PlayOne(*r));
        QSqlQuery q(r->Store()->Database());
        ASSERT_TRUE(q.exec("UPDATE meta SET value = '99' WHERE key = 'schema_version'"));
        ASSERT_TRUE(q.exec("INSERT INTO settings VALUES('guide', 'on')"));
    }
    auto r = Record();
    LearningStore* store = r->Store();
    ASSERT_TRUE(store);
    EXPECT_EQ(store->state(), LearningStore::State::ReadOnly);
    EXPECT_EQ(Setting(store->Database(), "guide"), "on");
    EXPECT_FALSE(SetSetting(store->Database(), "guide", "off"));
    EXPECT_FALSE(PlayOne(*r));
    EXPECT_FALSE(PlayOne(*r));
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].contains("新しい版")) << said[0].toStdString();
    EXPECT_EQ(One(store->Database(), "SELECT count(*) FROM games").toInt(), 1);
    EXPECT_EQ(One(store->Database(), "SELECT value FROM meta WHERE key = 'schema_version'").toInt(), 99);
}

// A damaged file is moved aside (numbered, never deleted) and a new record begins.
TEST_F(Trouble, DamagedFilesAreKeptAsideAndANewRecordBegins) {
    const QByteArray garbage[] = {QByteArray("this is not a database at all, just text").repeated(200),
                                  QByteArray(4096, '\0')};
    QByteArray wholeButTorn;
    {
        auto r = Record();
        ASSERT_TRUE(PlayOne(*r));
    }
    wholeButTorn = app.ReadFile(path);
    // A page in the middle of the tables overwritten.
    wholeButTorn.replace(4096, 4096, QByteArray(4096, '\x5a'));
    LearningStore::RemoveFiles(path);

    const QByteArray inputs[] = {garbage[0], wholeButTorn, garbage[1]};
    const char* asides[] = {"learning.sqlite.damaged", "learning.sqlite.damaged.1",
                            "learning.sqlite.damaged.2"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        said.clear();
        app.WriteFile(path, inputs[i]);
        auto r = Record();
        EXPECT_TRUE(PlayOne(*r));
        ASSERT_EQ(said.size(), 1);
        EXPECT_TRUE(said[0].contains(asides[i])) << said[0].toStdString();
        EXPECT_EQ(app.ReadFile(app.PlayerPath(asides[i])), inputs[i]);
        EXPECT_EQ(One(r->Store()->Database(), "SELECT count(*) FROM games").toInt(), 1);
    }
}

// Another program holding the file: one message, the games go on unrecorded.
TEST_F(Trouble, LockedByAnotherProgram) {
    {
        auto r = Record();
        ASSERT_TRUE(PlayOne(*r));
    }
    {
        OtherConnection other(path);
        QSqlQuery q(other.db);
        ASSERT_TRUE(q.exec("BEGIN EXCLUSIVE"));
        auto r = Record();
        EXPECT_EQ(r->Store(), nullptr);
        EXPECT_FALSE(PlayOne(*r));
        EXPECT_FALSE(PlayOne(*r));
        ASSERT_EQ(said.size(), 1);
        EXPECT_TRUE(said[0].contains("ほかのプログラム")) << said[0].toStdString();
        q.exec("ROLLBACK");
    }
    // Locked only after the record was opened: the games are kept back, told once, and come
    // along with the first game written once the other program lets go.
    said.clear();
    auto r = Record();
    ASSERT_TRUE(r->Store());
    {
        OtherConnection other(path);
        QSqlQuery q(other.db);
        ASSERT_TRUE(q.exec("BEGIN IMMEDIATE"));
        EXPECT_FALSE(PlayOne(*r));
        EXPECT_FALSE(PlayOne(*r));
        q.exec("ROLLBACK");
    }
    EXPECT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].startsWith("学習記録に書き込めません（ほかのプログラムが使用中です）。"))
        << said[0].toStdString();
    EXPECT_EQ(r->Recorder().PendingGames(), 2);
    r->Close();
    EXPECT_EQ(One(r->Store()->Database(), "SELECT count(*) FROM games").toInt(), 1);
    EXPECT_TRUE(PlayOne(*r));
    EXPECT_EQ(One(r->Store()->Database(), "SELECT count(*) FROM games").toInt(), 4);
}

// No place to write: the player's folder is not a folder, or the file is read-only.
TEST_F(Trouble, UnwritableRecord) {
    {
        TestApp other;
        other.g.player.SetUserName("File");
        other.WriteFile(other.g.PlayerFolder(), "a file where the folder should be");
        LearningRecord r(other.g);
        r.SetProblemReporter([this](const QString& s) { said << s; });
        EXPECT_EQ(r.Store(), nullptr);
        EXPECT_FALSE(PlayOne(r));
        ASSERT_EQ(said.size(), 1);
        EXPECT_TRUE(said[0].startsWith("学習記録を開けません（書き込みできません）。"))
            << said[0].toStdString();
    }
    if (geteuid() == 0) GTEST_SKIP() << "file permissions do not bind the superuser";
    said.clear();
    {
        auto r = Record();
        ASSERT_TRUE(PlayOne(*r));
    }
    QFile::setPermissions(path, QFile::ReadOwner);
    QFile::setPermissions(app.g.PlayerFolder(), QFile::ReadOwner | QFile::ExeOwner);
    auto r = Record();
    LearningStore* store = r->Store();
    ASSERT_TRUE(store);
    EXPECT_EQ(store->state(), LearningStore::State::ReadOnly);
    EXPECT_FALSE(PlayOne(*r));
    EXPECT_EQ(said.size(), 1);
    QFile::setPermissions(app.g.PlayerFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The first record brings the practice history and the ranking along; the files stay as they were.
TEST_F(Trouble, FirstRecordImportsTheOldRecords) {
    const QString practice = app.PlayerPath("DATA/PracticeTime");
    const QString ranking = app.PlayerPath("DATA/TimeTrialData");
    ASSERT_TRUE(SavePracticeTime(app.g, "Tester", {60, "kannyouku"}));
    ASSERT_TRUE(PushPracticeHistory(practice, {"2026/11/30", "80.0%", 1.5f, "1分 0秒", "慣用句"}));
    ASSERT_TRUE(PushPracticeHistory(practice, {"2026/12/01", "100.0%", 0.0f, std::nullopt, "英単語"}));
    ASSERT_TRUE(PushPracticeHistory(practice, {"2026/12/01", "95.0%", 2.0f, "0分 30秒", "英単語"}));
    TimeTrialTable table{};
    table[0] = {"たろう", 45000, "95.0%", 12850, "C", "慣用句"};
    table[1] = {"はなこ", 83456, "90.5%", 12954, "D", "英単語"};
    ASSERT_TRUE(SaveTimeTrialData(ranking, table));
    const QByteArray practiceBytes = app.ReadFile(practice), rankingBytes = app.ReadFile(ranking);
    const QStringList before = QDir(app.PlayerPath("DATA")).entryList(QDir::Files);

    auto r = Record();
    LearningStore* store = r->Store();
    ASSERT_TRUE(store);
    QSqlQuery q(store->Database());
    ASSERT_TRUE(q.exec(
        "SELECT mode, genre, setting_s, duration_ms, correct, misses, imported, time_ms, grade, score, "
        "place, date(started_at / 1000, 'unixepoch', 'localtime') FROM games ORDER BY id"));
    QStringList rows;
    while (q.next()) {
        QStringList row;
        for (int i = 0; i < 12; ++i) row << (q.value(i).isNull() ? "-" : q.value(i).toString());
        rows << row.join(u' ');
    }
    EXPECT_EQ(rows[0], "0 kannyouku 60 60000 90 23 1 - - - - 2026-11-30");
    EXPECT_EQ(rows[1], "0 english 0 0 0 0 1 - - - - 2026-12-01");
    EXPECT_EQ(rows[2], "0 english 30 30000 60 3 1 - - - - 2026-12-01");
    EXPECT_EQ(rows[3].section(u' ', 0, 10), "1 kannyouku - 45000 114 6 1 45000 C 12850 1");
    EXPECT_EQ(rows[4].section(u' ', 0, 10), "1 english - 83456 114 12 1 83456 D 12954 2");
    EXPECT_EQ(rows.size(), 5);
    EXPECT_EQ(app.ReadFile(practice), practiceBytes);
    EXPECT_EQ(app.ReadFile(ranking), rankingBytes);
    EXPECT_EQ(QDir(app.PlayerPath("DATA")).entryList(QDir::Files), before);

    // Only a new record imports; opening it again adds nothing.
    r->Close();
    EXPECT_EQ(One(r->Store()->Database(), "SELECT count(*) FROM games").toInt(), 5);
}

// A new player's record is created without creating any of the record files.
TEST_F(Trouble, ImportCreatesNoRecordFiles) {
    auto r = Record();
    ASSERT_TRUE(r->Store());
    EXPECT_TRUE(QDir(app.PlayerPath("DATA")).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(One(r->Store()->Database(), "SELECT count(*) FROM games").toInt(), 0);
    EXPECT_TRUE(r->DeleteDatabase());
    EXPECT_EQ(Files(), QStringList());
}
