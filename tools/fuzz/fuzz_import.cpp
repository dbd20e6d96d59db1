// The old record files brought into the learning record: any practice history and ranking give
// summary games without a crash, every count and time in them is possible, and the games
// written into a learning record read back with the same sums (each different set of games
// once: writing the same games again would only repeat the same rows).
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
    // Hashes of the games already written (the same games write the same rows), in room taken
    // once: a run that keeps memory makes libFuzzer run the input again to look for a leak.
    std::vector<size_t> written;
    qint64 lastId = 0;
    std::optional<QSqlQuery> sums;  // prepared once
};

// Everything of the games that goes into the record, as raw bytes (one buffer, no texts made).
QByteArray Key(const QList<kd::RecordedGame>& games) {
    QByteArray key;
    key.reserve(games.size() * 128);
    const auto put = [&key](qint64 v) { key.append(reinterpret_cast<const char*>(&v), sizeof v); };
    const auto text = [&key, &put](const QString& s) {
        put(s.size());
        key.append(reinterpret_cast<const char*>(s.utf16()), s.size() * qsizetype(sizeof(char16_t)));
    };
    for (const kd::RecordedGame& g : games) {
        put(int(g.mode));
        text(g.genre);
        put(g.settingSeconds.value_or(-1));
        put(g.startedAt);
        put(g.durationMs);
        put(g.correct);
        put(g.misses);
        put(g.timeMs.value_or(-1));
        if (g.grade)
            text(*g.grade);
        else
            put(-1);
        put(g.score.value_or(-1));
        put(g.place.value_or(-1));
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
        // transaction. The program keeps its own settings.
        QSqlQuery q(f->store->Database());
        for (const char* pragma :
             {"PRAGMA journal_mode=OFF", "PRAGMA synchronous=OFF", "PRAGMA locking_mode=EXCLUSIVE"})
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
    const size_t key = qHash(Key(games));
    if (std::find(f.written.begin(), f.written.end(), key) != f.written.end()) return 0;

    if (f.written.size() >= kWrittenMax) {  // a short clear now and then, not a long one
        QSqlQuery clear(f.store->Database());
        KD_FUZZ_REQUIRE(clear.exec(QStringLiteral("DELETE FROM games")));
        f.written.clear();
        f.lastId = 0;  // the ids start again
    }
    f.written.push_back(key);
    KD_FUZZ_REQUIRE(kd::ImportOldRecords(e.g, *f.store));
    QSqlQuery& q = *f.sums;
    q.addBindValue(f.lastId);
    KD_FUZZ_REQUIRE(q.exec() && q.next());
    KD_FUZZ_REQUIRE(q.value(0).toLongLong() == games.size() && q.value(1).toLongLong() == correct &&
                    q.value(2).toLongLong() == misses);
    f.lastId = q.value(3).toLongLong();
    q.finish();
    return 0;
}
