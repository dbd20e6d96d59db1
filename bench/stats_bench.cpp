// The statistics on a record of two million keys and ten thousand games: each query, the
// window's opening and its tab switches, and the memory the open window adds to the menu's.
// Prints "measure|value|target|limit" lines for bench/run.sh (milliseconds or megabytes).
//
//   stats_bench [RECORD]   (made with tools/statsfill when the file does not exist)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QTabWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include "app/Screens.h"
#include "common/GameState.h"
#include "learning/Statistics.h"
#include "platform/core/Audio.h"
#include "platform/core/Random.h"
#include "platform/core/TickCounter.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "stats/StatsOpener.h"
#include "stats/StatsSource.h"
#include "stats/StatsWindow.h"
#include "tools/statsfill/StatsFill.h"

namespace {

using namespace kd;
using namespace kd::stats;

void Row(const char* measure, double value, const char* unit, double limit) {
    std::printf("%s|%.1f %s|<= %.0f %s|%.1f\n", measure, value, unit, limit, unit, limit);
    std::fflush(stdout);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double CpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// The CPU time (all threads) of the last TimeMs: on a busy machine the wall clock waits for
// other programs, the CPU time shows what the work itself costs.
double g_lastCpu = 0;

double TimeMs(const std::function<void()>& f) {
    QElapsedTimer t;
    const double cpu = CpuMs();
    t.start();
    f();
    g_lastCpu = CpuMs() - cpu;
    return double(t.nsecsElapsed()) / 1e6;
}

void RowCpu(const char* measure, double value, double cpu, double limit) {
    std::printf("%s|%.1f ms (CPU %.1f ms)|<= %.0f ms|%.1f\n", measure, value, cpu, limit, limit);
    std::fflush(stdout);
}

double MedianMs(const std::function<void()>& f, int runs = 5) {
    std::vector<double> v;
    for (int i = 0; i < runs; ++i) v.push_back(TimeMs(f));
    return Median(v);
}

double RssMb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("keyderby"));
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));

    const QString source =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : data.filePath(QStringLiteral("large.sqlite"));
    if (!QFile::exists(source)) {
        statsfill::Options o;
        o.games = 10000;
        o.keysPerGame = 200;
        o.days = 400;
        QString error;
        if (!statsfill::Fill(source, o, &error)) {
            std::fprintf(stderr, "stats_bench: %s\n", qPrintable(error));
            return 1;
        }
    }

    SilentAudio audio;
    SteadyTickCounter clock;
    LcgRandom rnd;
    GameState g(rnd, clock, audio, data.filePath(QStringLiteral("keyderby")));
    g.player.SetUserName(QStringLiteral("Bench"));
    QDir().mkpath(g.PlayerPath(QStringLiteral("DATA")));
    const QString path = LearningDatabasePath(g);
    QFile::remove(path);
    if (!QFile::copy(source, path)) return 1;

    // --- the queries ---------------------------------------------------------------------
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(path);
        db.open();
        qint64 keys = 0;
        const double build = TimeMs([&] { RefreshSummaries(db); });
        keys = Summary(db, Filter{}).keys;
        std::fprintf(stderr, "record: %lld keys summarised\n", static_cast<long long>(keys));
        std::printf(
            "statistics: first summary of the whole record (once, worker thread)|%.0f ms (CPU %.0f ms)||\n",
            build, g_lastCpu);
        Row("statistics: summary refresh, nothing new", MedianMs([&] { RefreshSummaries(db); }), "ms", 100);
        const Filter all;
        const Filter month = LastDays(30, 1796000000000);
        struct Q {
            const char* name;
            std::function<void()> run;
        };
        const Q queries[] = {
            {"statistics: progress per game, all", [&] { Progress(db, all); }},
            {"statistics: time-trial times, all", [&] { TimeTrials(db, all); }},
            {"statistics: weak kana units, all", [&] { WeakUnits(db, Alphabet::Kana, all); }},
            {"statistics: weak keys, all", [&] { WeakKeys(db, Alphabet::Kana, all); }},
            {"statistics: mix-ups, all", [&] { MixUps(db, Alphabet::Kana, all); }},
            {"statistics: key pairs, all", [&] { KeyPairs(db, Alphabet::Kana, all); }},
            {"statistics: key pairs, 30 days", [&] { KeyPairs(db, Alphabet::Kana, month); }},
            {"statistics: overview, all", [&] { Summary(db, all); }},
        };
        for (const Q& q : queries) Row(q.name, MedianMs(q.run), "ms", 100);
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    }

    std::fprintf(stderr, "whole snapshot read: %.1f ms\n",
                 MedianMs([&] { LoadSnapshot(path, Filter{}); }, 3));

    // --- the window ------------------------------------------------------------------------
    QtMessageBoxes msg;
    Navigator nav;
    nav.quitOnEnd = false;
    AppContext ctx{g, msg, nav};
    nav.SetContext(&ctx);
    RegisterAllScreens(nav);
    nav.Show(kd::Screen::Main);
    Settle();
    const double menuRss = RssMb();

    StatsWindow* w = nullptr;
    const double open = TimeMs([&] {
        QElapsedTimer t;
        t.start();
        w = OpenStatsWindow(g);
        std::fprintf(stderr, "window built and shown (before the figures): %.1f ms\n",
                     t.nsecsElapsed() / 1e6);
        QSignalSpy loaded(w, &StatsWindow::Loaded);
        if (!w->IsLoaded()) loaded.wait(60000);
        w->repaint();
        Settle();
    });
    RowCpu("statistics window: open until drawn", open, g_lastCpu, 300);

    auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("tabs"));
    std::vector<double> switches, cpus;
    const char* names[] = {"推移", "苦手", "打ち間違い", "連続キー"};
    for (int round = 0; round < 3; ++round)
        for (int t : {1, 2, 3, 0}) {
            const double ms = TimeMs([&] {
                tabs->setCurrentIndex(t);
                w->repaint();
                Settle();
            });
            if (round == 0) std::fprintf(stderr, "tab %s: %.1f ms (CPU %.1f ms)\n", names[t], ms, g_lastCpu);
            switches.push_back(ms);
            cpus.push_back(g_lastCpu);
        }
    const auto slowest = std::max_element(switches.begin(), switches.end()) - switches.begin();
    RowCpu("statistics window: tab switch, slowest", switches[slowest], cpus[slowest], 300);

    auto range = [&](const char* button) {
        return TimeMs([&] {
            QSignalSpy loaded(w, &StatsWindow::Loaded);
            w->findChild<QPushButton*>(QLatin1String(button))->click();
            loaded.wait(60000);
            w->repaint();
            Settle();
        });
    };
    const double r30 = range("range30");
    const double c30 = g_lastCpu;
    const double rAll = range("rangeAll");
    RowCpu("statistics window: range 30 days / all, slower", std::max(r30, rAll),
           r30 > rAll ? c30 : g_lastCpu, 300);
    Row("statistics window: memory above the menu", RssMb() - menuRss, "MB", 40);
    w->close();
    nav.EndProgram();
    return 0;
}
