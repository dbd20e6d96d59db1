// A long session in one process: N games over every mode through the real screens, then one
// line of figures and a verdict on each target. Exit status 0 when every target is met.
// Usage: kd_soak GAMES [--seed N] [--warm-up N] [--silent]
#include <sqlite3.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFont>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>

#include "learning/LearningRecord.h"
#include "platform/widgets/Timer.h"
#include "tools/soak/SoakPlayer.h"
#include "tools/soak/SoakProbe.h"

using namespace kd;
using namespace kd::soak;

namespace {

qint64 One(LearningStore* store, const QString& sql) {
    QSqlQuery q(store->Database());
    return q.exec(sql) && q.next() ? q.value(0).toLongLong() : -1;
}

// The record's size as its own connection sees it (pages still in the write-ahead log count).
DatabaseSample Sample(SoakProgram& p, qint64 keysTyped) {
    DatabaseSample s{keysTyped, 0};
    if (LearningStore* store = p.learning.Store())
        s.bytes =
            One(store, QStringLiteral("PRAGMA page_count")) * One(store, QStringLiteral("PRAGMA page_size"));
    return s;
}

qint64 StoredKeys(SoakProgram& p) {
    LearningStore* store = p.learning.Store();
    return store ? One(store, QStringLiteral("SELECT count(*) FROM keys")) : -1;
}

qint64 FilesBytes(const QString& path) {
    qint64 n = 0;
    for (const char* suffix : {"", "-wal", "-shm"}) n += QFileInfo(path + QLatin1String(suffix)).size();
    return n;
}

// The offscreen platform says on every window what it cannot do; that is no news here.
void QuietPlatform(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (text.startsWith(QLatin1String("This plugin does not support"))) return;
    if (type == QtDebugMsg) return;
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

bool Tracing() {
    return qEnvironmentVariableIsSet("KD_SOAK_TRACE");
}

void Trace(int games, const DatabaseSample& s) {
    if (!Tracing()) return;
    const Figures f = TakeFigures();
    std::fprintf(stderr,
                 "games=%d rss=%.1f MB heap=%.2f MB sqlite=%.2f MB fds=%d threads=%d windows=%d widgets=%d "
                 "keys=%lld db=%lld\n",
                 games, f.rssBytes / 1048576.0, f.heapBytes / 1048576.0, sqlite3_memory_used() / 1048576.0,
                 f.descriptors, f.threads, f.topLevelWidgets, f.widgets, s.keys, s.bytes);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->inherits("QMenu"))
            std::fprintf(stderr, "  window %s %s%s\n", w->metaObject()->className(),
                         qPrintable(w->objectName()), w->isVisible() ? " (shown)" : "");
}

int Usage() {
    std::fprintf(stderr, "usage: kd_soak GAMES [--seed N] [--warm-up N] [--silent]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
    // Settings and data of this run stay in a folder of its own.
    QTemporaryDir xdg;
    qputenv("XDG_DATA_HOME", QFile::encodeName(xdg.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(xdg.path()));
    qInstallMessageHandler(QuietPlatform);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("keyderby"));
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);
    Timer::SetManualMode(true);

    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) return Usage();
    bool ok = false;
    const int games = args[0].toInt(&ok);
    if (!ok || games < 20) return Usage();
    quint32 seed = 20261207;
    // Caches fill for a while (the glyphs of questions not met yet, SQLite's pages): a quarter
    // of the games, or 60.
    int warmUp = qMax(60, games / 4);
    bool sound = true;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--silent"))
            sound = false;
        else if (args[i] == QLatin1String("--seed") && i + 1 < args.size())
            seed = args[++i].toUInt();
        else if (args[i] == QLatin1String("--warm-up") && i + 1 < args.size())
            warmUp = args[++i].toInt();
        else
            return Usage();
    }
    warmUp = qBound(1, warmUp, games / 2);

    QElapsedTimer took;
    took.start();
    SoakProgram program(sound);
    SoakPlayer player(program, seed);
    if (!player.Start(QStringLiteral("Soak"))) {
        std::printf("soak: the main menu never came: %s\n",
                    qPrintable(program.faults.join(QStringLiteral("; "))));
        return 1;
    }
    const PlayCounter& counter = program.counter;

    // Warm-up: every window once, then games until the warm-up count and the roll call are
    // behind, every race and boss battle won so the whole derby is met.
    using A = SoakPlayer::Activity;
    for (A a : {A::Practice, A::TimeTrial, A::Derby, A::Statistics}) player.Play(a, true);
    for (int i = 0; i < 12; ++i) player.Play(A::Options, true);
    // The records are deleted half-way, so the measurement after it sees a record with games
    // in it, as the one at the end does (the statistics window draws its charts in both).
    while (counter.ended < warmUp / 2 || player.rollCalls == 0) player.PlayAny(true);
    player.DeleteRecords();
    const qint64 keysAtDeletion = counter.keys;
    while (counter.ended < warmUp) player.PlayAny(true);
    player.Settle();
    const int warmGames = counter.ended;
    const Figures warm = TakeFigures(program.g);
    const QStringList warmTargets = DescriptorTargets();

    // Play; the records are deleted once half-way, so the derby starts again from heat 1.
    QVector<DatabaseEra> eras(1);
    qint64 eraStartKeys = keysAtDeletion;
    auto closeEra = [&] {
        eras.last().keysTyped = counter.keys - eraStartKeys;
        eras.last().keysStored = StoredKeys(program);
    };
    eras.last().samples << Sample(program, counter.keys - eraStartKeys);
    const int halfWay = warmGames + (games - warmGames) / 2;
    bool deleted = false;
    int sampledAt = counter.ended;
    while (counter.ended < games) {
        player.PlayAny(false);
        if (!deleted && counter.ended >= halfWay) {
            closeEra();
            player.DeleteRecords();
            eras.append(DatabaseEra{});
            eraStartKeys = counter.keys;
            eras.last().samples << Sample(program, 0);
            deleted = true;
            sampledAt = counter.ended;
        } else if (counter.ended - sampledAt >= 10) {
            eras.last().samples << Sample(program, counter.keys - eraStartKeys);
            sampledAt = counter.ended;
            Trace(counter.ended, eras.last().samples.last());
        }
    }
    eras.last().samples << Sample(program, counter.keys - eraStartKeys);
    closeEra();
    player.Settle();
    const Figures end = TakeFigures(program.g);
    if (end.descriptors > warm.descriptors || Tracing()) {
        QStringList left = DescriptorTargets();
        for (const QString& t : warmTargets) left.removeOne(t);
        std::printf("descriptors opened since warm-up: %s\n", qPrintable(left.join(QStringLiteral(", "))));
    }

    const QString line = FiguresLine(counter.ended, warmGames, warm, end, eras,
                                     FilesBytes(LearningRecord::PathFor(program.g)), took.elapsed() / 1000.0);
    std::printf("%s\n", qPrintable(line));
    const QVector<Check> checks = Judge(warm, end, eras, program.faults);
    bool allPassed = true;
    for (const Check& c : checks) {
        std::printf("target %s %s%s\n", qPrintable(c.name), c.passed ? "passed" : "failed",
                    c.passed ? "" : qPrintable(QStringLiteral(": ") + c.why));
        allPassed = allPassed && c.passed;
    }
    for (const QString& f : program.faults) std::printf("fault: %s\n", qPrintable(f));
    std::fflush(stdout);
    // Diagnosis: leave without tearing down, so a heap profiler sees what the session holds.
    if (qEnvironmentVariableIsSet("KD_SOAK_EXIT_NOW")) _exit(allPassed ? 0 : 1);
    return allPassed ? 0 : 1;
}
