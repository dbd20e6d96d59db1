// The old record files brought into the learning record: any practice history and ranking give
// summary games without a crash, every count and time in them is possible, and the games
// written into a learning record read back with the same sums (each different set of games
// once: writing the same games again would only repeat the same rows).
#include <QSet>
#include <QSqlQuery>

#include "common/PracticeRecords.h"
#include "common/TimeTrialRecords.h"
#include "learning/Import.h"
#include "learning/LearningStore.h"
#include "tools/fuzz/FuzzSupport.h"

namespace {

struct Files {
    QString practice, ranking;
    kd::LearningStore* store = nullptr;
    QSet<QByteArray> written;  // games already written: the same games write the same rows
    qint64 lastId = 0;
};

// Everything of the games that goes into the record.
QByteArray Key(const QList<kd::RecordedGame>& games) {
    QByteArray key;
    for (const kd::RecordedGame& g : games)
        key += QByteArray::number(int(g.mode)) + g.genre.toUtf8() +
               QByteArray::number(g.settingSeconds.value_or(-1)) + ':' + QByteArray::number(g.startedAt) +
               ':' + QByteArray::number(g.durationMs) + ':' + QByteArray::number(g.correct) + ':' +
               QByteArray::number(g.misses) + ':' + QByteArray::number(g.timeMs.value_or(-1)) +
               g.grade.value_or(QString()).toUtf8() + ':' + QByteArray::number(g.score.value_or(-1)) + ':' +
               QByteArray::number(g.place.value_or(-1)) + ';';
    return key;
}

Files& Setup(kdfuzz::Env& e) {
    static Files* f = [&e] {
        auto* f = new Files;
        f->practice = kd::PracticeTimePath(e.g, e.g.objUser.GetUserName());
        f->ranking = e.g.PlayerPath(QStringLiteral("DATA/TimeTrialData"));
        // The import only reads files that exist; their bytes come from the memory table.
        for (const QString& p : {f->practice, f->ranking}) {
            QFile file(p);
            (void)file.open(QIODevice::WriteOnly);
        }
        f->store = new kd::LearningStore(kdfuzz::Env::Root() + QStringLiteral("/learning.sqlite"));
        if (!f->store->Open()) abort();
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
    const QByteArray key = Key(games);
    if (f.written.contains(key)) return 0;

    QSqlQuery q(f.store->Database());
    if (f.written.size() >= 512) {  // a short clear now and then, not a long one
        KD_FUZZ_REQUIRE(q.exec(QStringLiteral("DELETE FROM games")));
        f.written.clear();
        f.lastId = 0;  // the ids start again
    }
    f.written.insert(key);
    KD_FUZZ_REQUIRE(kd::ImportOldRecords(e.g, *f.store));
    q.prepare(QStringLiteral(
        "SELECT count(*), sum(correct), sum(misses), max(id) FROM games WHERE id > ? AND imported = 1"));
    q.addBindValue(f.lastId);
    KD_FUZZ_REQUIRE(q.exec() && q.next());
    KD_FUZZ_REQUIRE(q.value(0).toLongLong() == games.size() && q.value(1).toLongLong() == correct &&
                    q.value(2).toLongLong() == misses);
    f.lastId = q.value(3).toLongLong();
    return 0;
}
