#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "learning/QuestionSetStore.h"
#include "support/QStringPrint.h"

namespace kd {
namespace {

// A learning database file of its own per test, as the player's folder holds it.
struct Db {
    QTemporaryDir dir;
    QString name = QStringLiteral("sets-%1").arg(quintptr(this));
    QSqlDatabase db;

    Db() {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(dir.filePath("learning.sqlite"));
        db.open();
    }
    ~Db() {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }
};

TEST(QuestionSetStore, AddListLoadRenameRemove) {
    Db d;
    QuestionSetStore store(d.db);
    const QList<SetQuestion> idioms{{"猫", "ねこ"}, {"犬", "いぬ"}};
    const auto a = store.Add("ことわざ", QuestionSetKind::Idioms, idioms, 1000);
    const auto b = store.Add("ことわざ", QuestionSetKind::English, {{"apple", "apple"}}, 2000);
    ASSERT_TRUE(a && b) << store.LastError().toStdString();

    const QList<QuestionSetInfo> sets = store.List();
    ASSERT_EQ(sets.size(), 2);
    EXPECT_EQ(sets[0].name, "ことわざ");
    EXPECT_EQ(sets[0].count, 2);
    EXPECT_EQ(sets[0].createdAt, 1000);
    EXPECT_EQ(sets[1].name, "ことわざ (2)");  // names stay unique
    EXPECT_EQ(sets[1].kind, QuestionSetKind::English);
    EXPECT_EQ(store.Questions(*a), idioms);

    EXPECT_FALSE(store.Rename(*b, "  "));
    EXPECT_FALSE(store.Rename(*b, "ことわざ"));
    EXPECT_EQ(store.LastError(), "同じ名前の問題集があります");
    EXPECT_TRUE(store.Rename(*b, "  英単語\tメモ "));
    EXPECT_EQ(store.Find(*b)->name, "英単語 メモ");
    EXPECT_FALSE(store.Rename(999, "x"));

    EXPECT_TRUE(store.Remove(*a));
    EXPECT_FALSE(store.Remove(*a));
    EXPECT_TRUE(store.Questions(*a).isEmpty());
    EXPECT_EQ(store.List().size(), 1);
    QSqlQuery q(d.db);
    ASSERT_TRUE(q.exec("SELECT count(*) FROM set_questions") && q.next());
    EXPECT_EQ(q.value(0).toInt(), 1);  // the removed set's questions are gone too
}

// The tables of the record are not touched; the sets live beside them.
TEST(QuestionSetStore, LivesBesideTheRecordTables) {
    Db d;
    QSqlQuery q(d.db);
    ASSERT_TRUE(q.exec("CREATE TABLE settings(key TEXT PRIMARY KEY, value TEXT NOT NULL)"));
    ASSERT_TRUE(q.exec("INSERT INTO settings VALUES('guide', '1')"));
    QuestionSetStore store(d.db);
    ASSERT_TRUE(store.Add("a", QuestionSetKind::Idioms, {{"猫", "ねこ"}}, 1));
    ASSERT_TRUE(q.exec("SELECT value FROM settings WHERE key = 'guide'") && q.next());
    EXPECT_EQ(q.value(0).toString(), "1");
}

TEST(QuestionSetStore, AFailedSaveLeavesNoHalfSet) {
    Db d;
    QuestionSetStore store(d.db);
    ASSERT_TRUE(store.EnsureTables());
    QSqlQuery q(d.db);
    // A trigger that refuses the third question stands in for a full disk.
    ASSERT_TRUE(
        q.exec("CREATE TRIGGER full BEFORE INSERT ON set_questions WHEN NEW.seq = 2 "
               "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    EXPECT_FALSE(store.Add("x", QuestionSetKind::Idioms, {{"a", "あ"}, {"i", "い"}, {"u", "う"}}, 1));
    // The player is told in their words, never the driver's.
    EXPECT_FALSE(store.LastError().contains("disk full"));
    EXPECT_FALSE(store.LastError().isEmpty());
    EXPECT_TRUE(store.List().isEmpty());
    ASSERT_TRUE(q.exec("SELECT count(*) FROM set_questions") && q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
    EXPECT_FALSE(store.Add("x", QuestionSetKind::Idioms, {}, 1));
}

TEST(QuestionSetStore, GenreKeys) {
    EXPECT_EQ(QuestionSetStore::GenreKey(12), "set:12");
    EXPECT_EQ(QuestionSetStore::IdOfGenreKey("set:12"), 12);
    for (const char* bad : {"kannyouku", "set:", "set:x", "set:-3", "set:0", "sets:1"})
        EXPECT_FALSE(QuestionSetStore::IdOfGenreKey(bad)) << bad;
}

}  // namespace
}  // namespace kd

namespace kd {
namespace {

TEST(QuestionSetStore, ImportingAFileStoresItsGoodLinesUnderItsName) {
    Db d;
    QuestionSetStore store(d.db);
    QFile f(d.dir.filePath("ことわざ.tsv"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("猫に小判\tねこにこばん\nだめ\tダメ\n");
    f.close();
    const ImportReport r = ImportQuestionSetFile(f.fileName(), store, 5);
    EXPECT_TRUE(r.Stored());
    EXPECT_EQ(r.fileName, "ことわざ.tsv");
    EXPECT_EQ(r.setName, "ことわざ");
    EXPECT_EQ(r.result.refused.size(), 1);
    EXPECT_EQ(store.Questions(r.setId), QList<SetQuestion>({{"猫に小判", "ねこにこばん"}}));
    // A second import of the same file is a second set, not a mix.
    EXPECT_EQ(ImportQuestionSetFile(f.fileName(), store, 6).setName, "ことわざ (2)");

    // Nothing good in the file: nothing stored.
    QFile bad(d.dir.filePath("bad.tsv"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("だめ\tダメ\n");
    bad.close();
    const ImportReport none = ImportQuestionSetFile(bad.fileName(), store, 7);
    EXPECT_FALSE(none.Stored());
    EXPECT_EQ(store.List().size(), 2);
}

}  // namespace
}  // namespace kd
