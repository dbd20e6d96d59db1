// The learning record at scale: on a record filled by kd_learninggen (10 000 games, 2 000 000
// keys), the file's size, opening it, writing one more 300-key game and the statistics'
// queries. One row per line: name|value|target|verdict.
//
//   learning_bench FILE
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "learning/LearningStore.h"
#if __has_include("learning/Statistics.h")
#include "learning/Statistics.h"
#define KD_HAVE_STATISTICS 1
#endif

namespace {

struct Times {
    double median = 0, worst = 0;
};

Times Measure(int runs, const std::function<void()>& f) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

void Row(const char* name, const QString& value, const char* target, bool ok) {
    std::printf("%s|%s|%s|%s\n", name, qPrintable(value), target, ok ? "ok" : "MISSED");
}

void QueryRow(const char* name, const std::function<void()>& f) {
    f();  // the first run warms the page cache, as the window's first look would
    const Times t = Measure(5, f);
    Row(name, QStringLiteral("%1 ms (worst %2)").arg(t.median, 0, 'f', 1).arg(t.worst, 0, 'f', 1),
        "<= 100 ms", t.median <= 100);
}

void Drain(QSqlQuery& q) {
    while (q.next()) {
    }
}

kd::RecordedGame Game300() {
    kd::RecordedGame g;
    g.mode = kd::GameMode::Practice;
    g.genre = QStringLiteral("kannyouku");
    g.settingSeconds = 60;
    g.startedAt = 1765000000000;
    for (int q = 0; q < 15; ++q)
        g.questions.append({101 + 2 * q, QStringLiteral("一石二鳥"), QStringLiteral("いっせきにちょう"),
                            q * 4000, 300, 3800, 1, true});
    for (int k = 0; k < 300; ++k)
        g.keys.append({k / 20, (k % 20) * 190, QStringLiteral("し"), u's', k % 17 ? u's' : u'a', k % 17 != 0,
                       QStringLiteral("shi")});
    g.correct = 282;
    g.misses = 18;
    g.durationMs = 60000;
    return g;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const double mb = QFile(path).size() / 1048576.0;
    Row("learning record, 10 000 games / 2 000 000 keys: file size",
        QStringLiteral("%1 MB").arg(mb, 0, 'f', 1), "<= 150 MB", mb <= 150);

    kd::LearningStore store(path);
    QElapsedTimer t;
    t.start();
    if (!store.Open()) {
        Row("learning record: opening", store.Problem(), "", false);
        return 1;
    }
    Row("learning record: opening it (integrity check, first of the week)",
        QStringLiteral("%1 ms").arg(t.nsecsElapsed() / 1e6, 0, 'f', 1), "", true);
    store.Close();
    t.restart();
    store.Open();
    Row("learning record: opening it again", QStringLiteral("%1 ms").arg(t.nsecsElapsed() / 1e6, 0, 'f', 1),
        "", true);

    const kd::RecordedGame game = Game300();
    const Times w = Measure(30, [&] { store.WriteGame(game); });
    Row("learning record: writing a 300-key game",
        QStringLiteral("%1 ms (worst %2)").arg(w.median, 0, 'f', 1).arg(w.worst, 0, 'f', 1), "<= 20 ms",
        w.median <= 20);

    QSqlDatabase db = store.Database();
#ifdef KD_HAVE_STATISTICS
    {
        QElapsedTimer r;
        r.start();
        kd::stats::RefreshSummaries(db);
        Row("statistics: bringing the summaries up to date (first time)",
            QStringLiteral("%1 ms").arg(r.nsecsElapsed() / 1e6, 0, 'f', 1), "", true);
    }
    const kd::stats::Filter all;
    QueryRow("statistics: per-kana miss rates",
             [&] { kd::stats::WeakUnits(db, kd::stats::Alphabet::Kana, all); });
    QueryRow("statistics: per-key mix-ups", [&] { kd::stats::MixUps(db, kd::stats::Alphabet::Kana, all); });
    QueryRow("statistics: progress per game", [&] { kd::stats::Progress(db, all); });
#else
    // Without the statistics' summaries: the plain queries over every key.
    {
        // Every key read: the statistics keep per-day summaries for this one.
        const Times t = Measure(3, [&] {
            QSqlQuery q(db);
            q.exec(QStringLiteral(
                "SELECT k.expected, count(*), sum(k.hit = 0) FROM keys k JOIN games g ON g.id = "
                "k.game_id WHERE g.abandoned = 0 GROUP BY k.expected"));
            Drain(q);
        });
        std::printf(
            "plain query over all keys: per-kana miss rates|%.1f ms||(reference: the statistics read "
            "summaries)\n",
            t.median);
    }
    QueryRow("query over wrong keys: per-key mix-ups", [&] {
        QSqlQuery q(db);
        q.exec(QStringLiteral(
            "SELECT k.expected_key, k.typed, count(*) FROM keys k JOIN games g ON g.id = k.game_id "
            "WHERE k.hit = 0 AND g.abandoned = 0 GROUP BY 1, 2 ORDER BY 3 DESC"));
        Drain(q);
    });
    QueryRow("query over games: progress per game", [&] {
        QSqlQuery q(db);
        q.exec(QStringLiteral(
            "SELECT id, started_at, duration_ms, correct, misses FROM games WHERE mode = 0 AND "
            "genre = 'kannyouku' AND abandoned = 0 ORDER BY started_at"));
        Drain(q);
    });
#endif
    return 0;
}
