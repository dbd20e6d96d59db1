// The old record files brought into the learning record: any practice history and ranking give
// summary games without a crash, every count and time in them is possible, and the games
// written into a learning record read back with the same sums.
//
// The round trip is checked once for every shape of game: its mode and genre, how many bytes
// each number takes and the kind of its grade text (length; non-Latin-1, NUL, surrogates) —
// what decides how the record stores it. Every input still goes through the readers; writing
// again games that differ from earlier ones only in their digits would spend the run in SQLite.
#include <QSqlQuery>
#include <array>
#include <optional>

#include "common/PracticeRecords.h"
#include "common/TimeTrialRecords.h"
#include "learning/Import.h"
#include "learning/LearningStore.h"
#include "tools/fuzz/FuzzSupport.h"

namespace {

struct Files {
    QString practice, ranking;
    kd::LearningStore* store = nullptr;
    kdfuzz::SeenHashes written{8192};  // shapes already written
    QList<kd::RecordedGame> fresh;     // this input's games of a new shape
    qint64 lastId = 0;
    std::optional<QSqlQuery> sums;  // prepared once
};

size_t ShapeOf(const kd::RecordedGame& g) {
    std::array<char, 12> key{};
    size_t n = 0;
    // SQLite keeps 0 and 1 in the row's header, any other integer in the fewest of 1, 2, 3, 4,
    // 6 or 8 bytes that hold it; -1: none.
    const auto width = [&key, &n](std::optional<qint64> v) {
        int bytes = -1;
        if (v && (*v == 0 || *v == 1)) {
            bytes = 10 + int(*v);
        } else if (v) {
            bytes = 8;
            for (const int b : {1, 2, 3, 4, 6})
                if (*v >= -(qint64(1) << (8 * b - 1)) && *v < (qint64(1) << (8 * b - 1))) {
                    bytes = b;
                    break;
                }
        }
        key[n++] = char(bytes);
    };
    key[n++] = char(g.mode);
    key[n++] = g.genre.isEmpty() ? 0 : g.genre.front().toLatin1();
    width(g.settingSeconds);
    width(g.startedAt);
    width(g.durationMs);
    width(g.correct);
    width(g.misses);
    width(g.timeMs);
    width(g.score);
    width(g.place);
    width(g.grade ? std::optional<qint64>(g.grade->size()) : std::nullopt);
    if (g.grade)
        for (const QChar c : *g.grade)
            key[n] |= char((c.unicode() > 0xff ? 1 : 0) | (c.isNull() ? 2 : 0) | (c.isSurrogate() ? 4 : 0));
    return qHashBits(key.data(), key.size());
}

Files& Setup(kdfuzz::Env& e) {
    static Files* f = [&e] {
        auto* f = new Files;
        f->fresh.reserve(kd::kPracticeHistoryRows + kd::kTimeTrialPlaces);
        f->practice = kd::PracticeTimePath(e.g, e.g.player.GetUserName());
        f->ranking = e.g.PlayerPath(QStringLiteral("DATA/TimeTrialData"));
        f->store = new kd::LearningStore(kdfuzz::Env::Root() + QStringLiteral("/learning.sqlite"));
        if (!f->store->Open()) abort();
        // A scratch record on the memory file system that no other process opens: no journal (a
        // write that fails stops the run anyway), no waiting for the disk, no locking per
        // transaction; imported games have no keys or cast, so without the foreign keys the
        // clear below empties the table at once instead of running the cascades row by row. The
        // program keeps its own settings.
        QSqlQuery q(f->store->Database());
        for (const char* pragma : {"PRAGMA journal_mode=OFF", "PRAGMA synchronous=OFF",
                                   "PRAGMA locking_mode=EXCLUSIVE", "PRAGMA foreign_keys=OFF"})
            if (!q.exec(QString::fromLatin1(pragma))) abort();
        f->sums.emplace(f->store->Database());
        if (!f->sums->prepare(QStringLiteral("SELECT count(*), sum(correct), sum(misses), max(id) FROM games "
                                             "WHERE id > ? AND imported = 1")))
            abort();
        return f;
    }();
    return *f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    auto& e = kdfuzz::TheEnv();
    Files& f = Setup(e);
    // The first two bytes say how much of the rest is the practice file; the ranking gets the rest.
    const size_t split = qMin<size_t>(size - 2, size_t(data[0] | data[1] << 8));
    e.Put(f.practice, data + 2, split);
    e.Put(f.ranking, data + 2 + split, size - 2 - split);

    const QList<kd::RecordedGame> games = kd::OldRecordsAsGames(e.g);
    KD_FUZZ_REQUIRE(games.size() <= kd::kPracticeHistoryRows + kd::kTimeTrialPlaces);

    if (f.written.Full()) {  // a short clear now and then, not a long one
        QSqlQuery clear(f.store->Database());
        KD_FUZZ_REQUIRE(clear.exec(QStringLiteral("DELETE FROM games")));
        f.written.Clear();
        f.lastId = 0;  // the ids start again
    }
    f.fresh.clear();
    qint64 correct = 0, misses = 0;
    int lastPlace = 0;
    for (const kd::RecordedGame& game : games) {
        KD_FUZZ_REQUIRE(game.imported && game.correct >= 0 && game.misses >= 0 && game.durationMs >= 0);
        KD_FUZZ_REQUIRE(game.genre == QStringLiteral("kannyouku") || game.genre == QStringLiteral("english"));
        if (game.mode == kd::GameMode::Practice) {
            KD_FUZZ_REQUIRE(lastPlace == 0 && game.settingSeconds.value_or(0) >= 0);
        } else {
            KD_FUZZ_REQUIRE(game.mode == kd::GameMode::TimeTrial && game.place && *game.place > lastPlace);
            KD_FUZZ_REQUIRE(game.timeMs && *game.timeMs > 0 && game.durationMs == *game.timeMs);
            lastPlace = *game.place;
        }
        if (f.written.Insert(ShapeOf(game))) {
            f.fresh.append(game);
            correct += game.correct;
            misses += game.misses;
        }
    }
    if (f.fresh.isEmpty()) return 0;
    // What the import writes (kd::ImportOldRecords: these games in one transaction).
    KD_FUZZ_REQUIRE(f.store->WriteGames(f.fresh));
    QSqlQuery& q = *f.sums;
    q.addBindValue(f.lastId);
    KD_FUZZ_REQUIRE(q.exec() && q.next());
    KD_FUZZ_REQUIRE(q.value(0).toLongLong() == f.fresh.size() && q.value(1).toLongLong() == correct &&
                    q.value(2).toLongLong() == misses);
    f.lastId = q.value(3).toLongLong();
    q.finish();
    return 0;
}
