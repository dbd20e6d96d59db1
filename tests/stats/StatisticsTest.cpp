// The figures of the statistics window against a record built by hand, whose answers are
// worked out below from the keys themselves.
#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "learning/Statistics.h"
#include "stats/KeyboardView.h"
#include "support/QStringPrint.h"

namespace kd::stats {
namespace {

constexpr qint64 kDay = 86400000;
constexpr qint64 kT0 = 1790000000000;  // the first game's day

struct KeyRow {
    int question;
    qint64 ms;
    const char* expected;
    const char* expectedKey;
    const char* typed;
    bool hit;
    const char* form;
};

class Record {
  public:
    Record() {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("stats_test"));
        db.setDatabaseName(dir.filePath(QStringLiteral("learning.sqlite")));
        EXPECT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous = OFF"));
        QFile schema(QStringLiteral(KD_SOURCE_DIR "/learning/schema.sql"));
        EXPECT_TRUE(schema.open(QIODevice::ReadOnly));
        // The schema holds several statements; QSqlQuery runs one at a time. Comments go first,
        // since they may hold a semicolon.
        QString text;
        for (const QString& line : QString::fromUtf8(schema.readAll()).split(u'\n'))
            text += line.section(QStringLiteral("--"), 0, 0) + u'\n';
        for (const QString& sql : text.split(u';')) {
            if (sql.trimmed().isEmpty()) continue;
            QSqlQuery q(db);
            EXPECT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
        }
    }
    ~Record() {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("stats_test"));
    }

    void Game(int id, int mode, const char* genre, qint64 startedAt, qint64 durationMs, int correct,
              int misses, bool abandoned = false, bool imported = false, int timeMs = 0,
              const char* grade = nullptr) {
        QSqlQuery q(db);
        q.prepare(
            QStringLiteral("INSERT INTO games(id, mode, genre, started_at, duration_ms, correct, misses, "
                           "abandoned, imported, time_ms, grade) VALUES(?,?,?,?,?,?,?,?,?,?,?)"));
        for (const QVariant& v :
             {QVariant(id), QVariant(mode), QVariant(QString::fromUtf8(genre)), QVariant(startedAt),
              QVariant(durationMs), QVariant(correct), QVariant(misses), QVariant(abandoned ? 1 : 0),
              QVariant(imported ? 1 : 0), timeMs ? QVariant(timeMs) : QVariant(),
              grade ? QVariant(QString::fromUtf8(grade)) : QVariant()})
            q.addBindValue(v);
        ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
    }

    void Keys(int game, std::initializer_list<KeyRow> rows) {
        int seq = 0;
        for (const KeyRow& r : rows) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("INSERT INTO keys VALUES(?,?,?,?,?,?,?,?,?)"));
            for (const QVariant& v :
                 {QVariant(game), QVariant(seq++), QVariant(r.question), QVariant(r.ms),
                  QVariant(QString::fromUtf8(r.expected)), QVariant(QString::fromUtf8(r.expectedKey)),
                  QVariant(QString::fromUtf8(r.typed)), QVariant(r.hit ? 1 : 0),
                  r.form ? QVariant(QString::fromUtf8(r.form)) : QVariant()})
                q.addBindValue(v);
            ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
        }
    }

    // The record every test starts from.
    void Standard() {
        // Game 1: つ typed "ti" twice on its way to "tu", し clean; 6 right, 2 wrong in 3 s.
        Game(1, 0, "kannyouku", kT0, 3000, 6, 2);
        Keys(1, {{0, 800, "つ", "t", "t", true, "tu"},
                 {0, 1000, "つ", "u", "i", false, nullptr},
                 {0, 1300, "つ", "u", "u", true, "tu"},  // first unit of the question: not timed
                 {0, 1500, "し", "s", "s", true, "si"},
                 {0, 1700, "し", "i", "i", true, "si"},  // し: 1700 - 1300 = 400 ms
                 {0, 1900, "つ", "t", "t", true, "tu"},
                 {0, 2000, "つ", "u", "i", false, nullptr},
                 {0, 2400, "つ", "u", "u", true, "tu"}});  // つ: 2400 - 1700 = 700 ms
        // Game 2, left half-way: one more つ slip, counted only when asked.
        Game(2, 0, "kannyouku", kT0 + 1000, 800, 1, 1, true);
        Keys(2, {{0, 500, "つ", "t", "t", true, "tu"}, {0, 700, "つ", "u", "i", false, nullptr}});
        // Game 3: a summary from the old record files, no keys.
        Game(3, 0, "kannyouku", kT0 + 2000, 60000, 300, 10, false, true);
        // Game 4: an English time trial; "app" with one slip on the first p.
        Game(4, 1, "english", kT0 + 3000, 45000, 3, 1, false, false, 45000, "DDD");
        Keys(4, {{0, 600, "a", "a", "a", true, "a"},
                 {0, 800, "p", "p", "o", false, nullptr},
                 {0, 1000, "p", "p", "p", true, "p"},    // p: 1000 - 600 = 400 ms, with a slip
                 {0, 1150, "p", "p", "p", true, "p"}});  // p: 150 ms; pair p->p 150 ms
        // Game 5, twenty days later: a faster practice with the same two keys twice (k->a).
        Game(5, 0, "kannyouku", kT0 + 20 * kDay, 3000, 12, 0);
        Keys(5, {{0, 700, "か", "k", "k", true, "ka"},
                 {0, 900, "か", "a", "a", true, "ka"},  // k->a 200
                 {1, 500, "か", "k", "k", true, "ka"},
                 {1, 900, "か", "a", "a", true, "ka"}});  // k->a 400: average 300
    }

    QTemporaryDir dir;
    QSqlDatabase db;
};

template <typename T>
const T* Named(const QVector<T>& list, const QString& name) {
    for (const T& t : list)
        if (t.name == name) return &t;
    return nullptr;
}

TEST(Statistics, UnitsKeysMixUpsAndPairsAgreeWithTheKeysTyped) {
    Record r;
    r.Standard();
    ASSERT_TRUE(RefreshSummaries(r.db));
    const Filter all;

    const auto units = WeakUnits(r.db, Alphabet::Kana, all);
    const UnitStat* tsu = Named(units, QStringLiteral("つ"));
    ASSERT_NE(tsu, nullptr);
    EXPECT_EQ(tsu->attempts, 2);
    EXPECT_EQ(tsu->misses, 2);
    EXPECT_DOUBLE_EQ(tsu->missRate, 1.0);
    EXPECT_EQ(tsu->timed, 1);
    EXPECT_DOUBLE_EQ(tsu->avgMs, 700);
    EXPECT_TRUE(tsu->uncertain);
    const UnitStat* shi = Named(units, QStringLiteral("し"));
    ASSERT_NE(shi, nullptr);
    EXPECT_EQ(shi->attempts, 1);
    EXPECT_EQ(shi->misses, 0);
    EXPECT_DOUBLE_EQ(shi->avgMs, 400);
    EXPECT_EQ(units.first().name, QStringLiteral("つ"));  // worst first
    EXPECT_EQ(Named(units, QStringLiteral("か"))->attempts, 2);

    const auto keys = WeakKeys(r.db, Alphabet::Kana, all);
    const UnitStat* u = Named(keys, QStringLiteral("u"));
    ASSERT_NE(u, nullptr);
    EXPECT_EQ(u->attempts, 4);
    EXPECT_DOUBLE_EQ(u->missRate, 0.5);
    EXPECT_EQ(u->timed, 0);  // both right u's came right after a slip
    EXPECT_DOUBLE_EQ(Named(keys, QStringLiteral("t"))->avgMs, 200);

    const auto mix = MixUps(r.db, Alphabet::Kana, all);
    ASSERT_EQ(mix.size(), 1);
    EXPECT_EQ(mix[0].unit, QStringLiteral("つ"));
    EXPECT_EQ(mix[0].expectedKey, QStringLiteral("u"));
    EXPECT_EQ(mix[0].typed, QStringLiteral("i"));
    EXPECT_EQ(mix[0].count, 2);

    const auto pairs = KeyPairs(r.db, Alphabet::Kana, all);
    auto pair = [&](const char* a, const char* b) -> const KeyPair* {
        for (const KeyPair& p : pairs)
            if (p.first == QLatin1String(a) && p.second == QLatin1String(b)) return &p;
        return nullptr;
    };
    ASSERT_NE(pair("k", "a"), nullptr);
    EXPECT_EQ(pair("k", "a")->count, 2);
    EXPECT_DOUBLE_EQ(pair("k", "a")->avgMs, 300);
    EXPECT_EQ(pair("t", "u"), nullptr);                   // a slip between them
    EXPECT_EQ(pair("a", "k"), nullptr);                   // across two questions
    EXPECT_EQ(pairs.first().first, QStringLiteral("k"));  // slowest first

    // English letters apart from kana.
    const auto letters = WeakUnits(r.db, Alphabet::English, all);
    const UnitStat* p = Named(letters, QStringLiteral("p"));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->attempts, 2);
    EXPECT_EQ(p->misses, 1);
    EXPECT_DOUBLE_EQ(p->avgMs, 275);
    const auto englishMix = MixUps(r.db, Alphabet::English, all);
    ASSERT_EQ(englishMix.size(), 1);
    EXPECT_EQ(englishMix[0].typed, QStringLiteral("o"));
    EXPECT_EQ(Named(WeakKeys(r.db, Alphabet::English, all), QStringLiteral("i")), nullptr);
}

// Games typed with kana keys have their own figures: romaji ones never see kana keys, and the
// keyboard gathers a key's Shift kana on it.
TEST(Statistics, KanaInputGamesStandApart) {
    Record r;
    r.Standard();
    r.Game(6, 0, "kannyouku", kT0 + 21 * kDay, 3000, 4, 2);
    QSqlQuery(r.db).exec(QStringLiteral("UPDATE games SET input_method = 1 WHERE id = 6"));
    r.Keys(6, {{0, 500, "が", "か", "か", true, "か゛"},
               {0, 700, "が", "゛", "゜", false, nullptr},
               {0, 900, "が", "゛", "゛", true, "か゛"},
               {0, 1200, "ぁ", "ぁ", "あ", false, nullptr},
               {0, 1300, "ぁ", "ぁ", "ぁ", true, "ぁ"},
               {0, 1600, "あ", "あ", "あ", true, "あ"}});
    ASSERT_TRUE(RefreshSummaries(r.db));
    const Filter all;
    const QVector<UnitStat> units = WeakUnits(r.db, Alphabet::KanaKeys, all);
    const UnitStat* ga = Named(units, QStringLiteral("が"));
    ASSERT_NE(ga, nullptr);
    EXPECT_EQ(ga->attempts, 1);
    EXPECT_EQ(ga->misses, 1);
    const auto mix = MixUps(r.db, Alphabet::KanaKeys, all);
    QStringList slips;
    for (const MixUp& m : mix) slips << m.unit + m.expectedKey + m.typed;
    slips.sort();
    EXPECT_EQ(slips, QStringList({QStringLiteral("ぁぁあ"), QStringLiteral("が゛゜")}));
    // Nothing of it among the romaji figures.
    EXPECT_EQ(Named(WeakUnits(r.db, Alphabet::Kana, all), QStringLiteral("が")), nullptr);
    EXPECT_EQ(Named(WeakKeys(r.db, Alphabet::Kana, all), QStringLiteral("か")), nullptr);
    EXPECT_EQ(MixUps(r.db, Alphabet::Kana, all).size(), 1);  // つ's slips only

    const QVector<UnitStat> byPlace = KanaKeysByPlace(WeakKeys(r.db, Alphabet::KanaKeys, all));
    const UnitStat* a = Named(byPlace, QStringLiteral("あ"));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->attempts, 3);  // ぁ twice (one a miss), あ once
    EXPECT_EQ(a->misses, 1);
    EXPECT_EQ(Named(byPlace, QStringLiteral("ぁ")), nullptr);
    // Fingers by the kana key's place.
    EXPECT_EQ(FingerOf(QStringLiteral("か")), QStringLiteral("左人差し指"));
    EXPECT_EQ(FingerOf(QStringLiteral("っ")), QStringLiteral("左小指"));
    EXPECT_EQ(FingerOf(QStringLiteral("ー")), QStringLiteral("右小指"));
    EXPECT_EQ(FingerOf(QStringLiteral("、")), QStringLiteral("右中指"));
}

// A capital is typed on its letter's key: the key table has one row per key, its figures the
// sum of both, and so have the key pairs.
TEST(Statistics, CapitalsAreCountedWithTheirKey) {
    Record r;
    r.Game(1, 1, "english", kT0, 5000, 6, 2);
    r.Keys(1, {{0, 100, "J", "J", "J", true, "J"},
               {0, 300, "a", "a", "a", true, "a"},  // J->a 200
               {0, 500, "p", "p", "o", false, nullptr},
               {0, 600, "p", "p", "p", true, "p"},
               {1, 100, "A", "A", "a", false, nullptr},  // Shift forgotten: a miss on A's key
               {1, 300, "A", "A", "A", true, "A"},
               {2, 100, "j", "j", "j", true, "j"},
               {2, 500, "a", "a", "a", true, "a"}});  // j->a 400
    ASSERT_TRUE(RefreshSummaries(r.db));
    const auto keys = WeakKeys(r.db, Alphabet::English, Filter());
    QStringList names;
    for (const UnitStat& k : keys) names << k.name;
    names.sort();
    EXPECT_EQ(names, (QStringList{"a", "j", "p"}));
    const UnitStat* a = Named(keys, QStringLiteral("a"));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->attempts, 4);
    EXPECT_EQ(a->misses, 1);
    EXPECT_EQ(a->timed, 2);
    EXPECT_DOUBLE_EQ(a->avgMs, 300);
    EXPECT_EQ(Named(keys, QStringLiteral("j"))->attempts, 2);
    const auto pairs = KeyPairs(r.db, Alphabet::English, Filter());
    int ja = 0;
    for (const KeyPair& p : pairs)
        if (p.first == QLatin1String("j") && p.second == QLatin1String("a")) {
            ++ja;
            EXPECT_EQ(p.count, 2);
            EXPECT_DOUBLE_EQ(p.avgMs, 300);
        }
    EXPECT_EQ(ja, 1);
}

TEST(Statistics, AbandonedAndImportedGamesOnlyWhenAsked) {
    Record r;
    r.Standard();
    ASSERT_TRUE(RefreshSummaries(r.db));
    Filter f;
    EXPECT_EQ(MixUps(r.db, Alphabet::Kana, f)[0].count, 2);
    int games = 0;
    for (const ProgressSeries& s : Progress(r.db, f)) games += s.games.size();
    EXPECT_EQ(games, 3);  // 1, 4 and 5

    f.includeAbandoned = true;
    EXPECT_EQ(MixUps(r.db, Alphabet::Kana, f)[0].count, 3);
    f.includeImported = true;
    games = 0;
    for (const ProgressSeries& s : Progress(r.db, f)) games += s.games.size();
    EXPECT_EQ(games, 5);
}

TEST(Statistics, ProgressSpeedRateMovingAverageAndBest) {
    Record r;
    r.Standard();
    const auto series = Progress(r.db, Filter{}, {SeriesKey{0, QStringLiteral("kannyouku")}});
    ASSERT_EQ(series.size(), 1);
    const auto& g = series[0].games;
    ASSERT_EQ(g.size(), 2);
    EXPECT_DOUBLE_EQ(g[0].keysPerSec, 2.0);
    EXPECT_DOUBLE_EQ(g[0].correctRate, 0.75);
    EXPECT_DOUBLE_EQ(g[1].keysPerSec, 4.0);
    EXPECT_DOUBLE_EQ(g[1].movingKeysPerSec, 3.0);
    EXPECT_FALSE(g[0].bestKeysPerSec);
    EXPECT_TRUE(g[1].bestKeysPerSec);
    EXPECT_DOUBLE_EQ(series[0].bestCorrectRate, 1.0);

    const auto trials = TimeTrials(r.db, Filter{});
    ASSERT_EQ(trials.size(), 1);
    EXPECT_EQ(trials[0].timeMs, 45000);
    EXPECT_EQ(trials[0].grade, QStringLiteral("DDD"));
    EXPECT_TRUE(trials[0].best);

    const auto available = AvailableSeries(r.db, Filter{});
    ASSERT_EQ(available.size(), 2);
    EXPECT_EQ(available[0], (SeriesKey{0, QStringLiteral("kannyouku")}));
}

TEST(Statistics, RangeKeepsOnlyTheLastDays) {
    Record r;
    r.Standard();
    ASSERT_TRUE(RefreshSummaries(r.db));
    const Filter week = LastDays(7, kT0 + 21 * kDay);
    const auto series = Progress(r.db, week);
    ASSERT_EQ(series.size(), 1);
    EXPECT_EQ(series[0].games.size(), 1);
    EXPECT_TRUE(MixUps(r.db, Alphabet::Kana, week).isEmpty());
    EXPECT_EQ(WeakUnits(r.db, Alphabet::Kana, week).size(), 1);  // か only
    EXPECT_EQ(Summary(r.db, week).games, 1);
    EXPECT_EQ(Summary(r.db, week).keys, 4);
    EXPECT_EQ(Summary(r.db, Filter{}).keys, 16);  // abandoned game 2 left out
}

TEST(Statistics, SummariesFollowNewAndDeletedGamesWithoutCountingTwice) {
    Record r;
    r.Standard();
    ASSERT_TRUE(RefreshSummaries(r.db));
    ASSERT_TRUE(RefreshSummaries(r.db));  // nothing new: nothing added
    EXPECT_EQ(MixUps(r.db, Alphabet::Kana, Filter{})[0].count, 2);

    r.Game(6, 2, "kannyouku", kT0 + 21 * kDay, 1000, 1, 1);
    r.Keys(6, {{0, 300, "つ", "u", "i", false, nullptr}, {0, 500, "つ", "u", "u", true, "u"}});
    ASSERT_TRUE(RefreshSummaries(r.db));
    EXPECT_EQ(MixUps(r.db, Alphabet::Kana, Filter{})[0].count, 3);

    QSqlQuery q(r.db);
    ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM keys WHERE game_id = 1")));
    ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM games WHERE id = 1")));
    ASSERT_TRUE(RefreshSummaries(r.db));
    EXPECT_EQ(MixUps(r.db, Alphabet::Kana, Filter{})[0].count, 1);
    EXPECT_EQ(Named(WeakUnits(r.db, Alphabet::Kana, Filter{}), QStringLiteral("し")), nullptr);
}

TEST(Statistics, ARecordThatCannotBeWrittenIsSummarisedInMemory) {
    Record r;
    r.Standard();
    const QString path = r.db.databaseName();
    {
        QSqlDatabase ro = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("ro"));
        ro.setDatabaseName(path);
        ro.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        ASSERT_TRUE(ro.open());
        QString error;
        ASSERT_TRUE(RefreshSummaries(ro, &error)) << error.toStdString();
        EXPECT_EQ(MixUps(ro, Alphabet::Kana, Filter{})[0].count, 2);
        ro.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("ro"));
    QSqlQuery q(r.db);
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name LIKE 'stat_%'")) &&
                q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);  // the file was left as it was
}

TEST(Statistics, NotALearningRecordIsRefusedWithAReason) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("learning.sqlite"));
    for (const QByteArray& bytes :
         {QByteArray("this is no database at all, just text" + QByteArray(2000, 'x')), QByteArray()}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bad"));
            db.setDatabaseName(path);
            db.open();
            QString error;
            EXPECT_FALSE(RefreshSummaries(db, &error));
            EXPECT_FALSE(error.isEmpty());
            EXPECT_TRUE(WeakUnits(db, Alphabet::Kana, Filter{}).isEmpty());
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bad"));
    }
}

TEST(Statistics, TwentyAttemptsMakeAFigureCertain) {
    Record r;
    r.Game(1, 0, "kannyouku", kT0, 10000, 40, 0);
    std::vector<KeyRow> rows;
    QSqlQuery q(r.db);
    // 20 ね, 19 の, one key each form ("ne" -> two keys).
    int seq = 0;
    for (int i = 0; i < 39; ++i) {
        const char* kana = i < 20 ? "ね" : "の";
        const char* form = i < 20 ? "ne" : "no";
        for (int k = 0; k < 2; ++k) {
            q.prepare(QStringLiteral("INSERT INTO keys VALUES(1,?,0,?,?,?,?,1,?)"));
            q.addBindValue(seq++);
            q.addBindValue(100 * seq);
            q.addBindValue(QString::fromUtf8(kana));
            q.addBindValue(QString(QLatin1Char(form[k])));
            q.addBindValue(QString(QLatin1Char(form[k])));
            q.addBindValue(QString::fromLatin1(form));
            ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
        }
    }
    ASSERT_TRUE(RefreshSummaries(r.db));
    const auto units = WeakUnits(r.db, Alphabet::Kana, Filter{});
    EXPECT_FALSE(Named(units, QStringLiteral("ね"))->uncertain);
    EXPECT_TRUE(Named(units, QStringLiteral("の"))->uncertain);
    EXPECT_EQ(units.first().name, QStringLiteral("ね"));  // certain figures come first
}

}  // namespace
}  // namespace kd::stats

#include "tools/statsfill/StatsFill.h"

namespace kd::stats {
namespace {

// Ending the program during a long first summary keeps only whole steps, and the next refresh
// goes on from there, counting every key exactly once.
TEST(Statistics, ACancelledSummaryChangesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("learning.sqlite"));
    statsfill::Options o;
    o.games = 60;
    ASSERT_TRUE(statsfill::Fill(path, o));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("cancel"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        const std::atomic_bool cancel{true};
        EXPECT_FALSE(RefreshSummaries(db, nullptr, &cancel));
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT (SELECT value FROM stat_state WHERE key = 'watermark') < "
                                          "(SELECT max(id) FROM games)")) &&
                    q.next());
        EXPECT_EQ(q.value(0).toInt(), 1);  // not marked complete
        ASSERT_TRUE(RefreshSummaries(db));
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT count(*) FROM keys k JOIN games g ON g.id = k.game_id "
                                          "WHERE g.abandoned = 0")) &&
                    q.next());
        EXPECT_EQ(Summary(db, Filter{}).keys, q.value(0).toLongLong());
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("cancel"));
}

}  // namespace
}  // namespace kd::stats
