// The old record files brought into the learning record: any practice history and ranking give
// summary games without a crash, every count and time in them is possible, and the games
// written into a learning record read back with the same sums.
#include <QSqlQuery>
#include <algorithm>
#include <optional>
#include <vector>

#include "common/PracticeRecords.h"
#include "common/TimeTrialRecords.h"
#include "learning/Import.h"
#include "learning/LearningStore.h"
#include "tools/fuzz/FuzzSupport.h"

namespace {

constexpr size_t kWrittenMax = 512;

struct Files {
    QString practice, ranking;
    kd::LearningStore* store = nullptr;
    // Hashes of the shapes already written, in room taken once: a run that keeps memory makes
    // libFuzzer run the input again to look for a leak.
    std::vector<size_t> written;
    qint64 lastId = 0;
    std::optional<QSqlQuery> sums;  // prepared once
};

// What of the games decides how the record stores them: per game its mode and genre, the
// width and sign of every number (SQLite stores an integer in as many bytes as its magnitude
// needs) and the kind of its grade text (length; non-Latin-1, NUL, surrogates). Games of the
// same shape are written the same way, so the round trip is checked once per shape: every
// input still goes through the readers, and the run is not spent in SQLite writing rows it
// has written before in all but their digits.
QByteArray Shape(const QList<kd::RecordedGame>& games) {
    QByteArray key;
    key.reserve(games.size() * 16);
    const auto width = [&key](qint64 v) {
        const quint64 magnitude = v < 0 ? ~quint64(v) : quint64(v);
        key.append(char((v < 0 ? 0x80 : 0) | (magnitude ? 64 - qCountLeadingZeroBits(magnitude) : 0)));
    };
    const auto maybe = [&key, &width](const auto& v) {
        if (v) width(*v);
        else key.append('\xff');
    };
    for (const kd::RecordedGame& g : games) {
        key.append(char(g.mode)).append(g.genre.front().toLatin1());
        maybe(g.settingSeconds);
        width(g.startedAt);
        width(g.durationMs);
        width(g.correct);
        width(g.misses);
        maybe(g.timeMs);
        maybe(g.score);
        maybe(g.place);
        if (!g.grade) {
            key.append('\xff');
            continue;
        }
        char kind = 0;
        for (const QChar c : *g.grade)
            kind |= char((c.unicode() > 0xff ? 1 : 0) | (c.isNull() ? 2 : 0) | (c.isSurrogate() ? 4 : 0));
        width(g.grade->size());
        key.append(kind);
    }
    return key;
}

Files& Setup(kdfuzz::Env& e) {
    static Files* f = [&e] {
        auto* f = new Files;
        f->written.reserve(kWrittenMax);
        f->practice = kd::PracticeTimePath(e.g, e.g.objUser.GetUserName());
        f->ranking = e.g.PlayerPath(QStringLiteral("DATA/TimeTrialData"));
        // The import only reads files that exist; their bytes come from the memory table.
        for (const QString& p : {f->practice, f->ranking}) {
            QFile file(p);
            (void)file.open(QIODevice::WriteOnly);
        }
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
        correct += game.correct;
        misses += game.misses;
    }
    if (games.isEmpty()) return 0;
    const size_t key = qHash(Shape(games));
    if (std::find(f.written.begin(), f.written.end(), key) != f.written.end()) return 0;

    if (f.written.size() >= kWrittenMax) {  // a short clear now and then, not a long one
        QSqlQuery clear(f.store->Database());
        KD_FUZZ_REQUIRE(clear.exec(QStringLiteral("DELETE FROM games")));
        f.written.clear();
        f.lastId = 0;  // the ids start again
    }
    f.written.push_back(key);
    // What the import writes: these very games (read once, not twice).
    KD_FUZZ_REQUIRE(f.store->WriteGames(games));
    QSqlQuery& q = *f.sums;
    q.addBindValue(f.lastId);
    KD_FUZZ_REQUIRE(q.exec() && q.next());
    KD_FUZZ_REQUIRE(q.value(0).toLongLong() == games.size() && q.value(1).toLongLong() == correct &&
                    q.value(2).toLongLong() == misses);
    f.lastId = q.value(3).toLongLong();
    q.finish();
    return 0;
}
