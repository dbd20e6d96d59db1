// The soak's verdict: every target it promises to hold is really checked, with the margins
// the README states, so a leak or a runaway record fails the test command.
#include <gtest/gtest.h>

#include <functional>

#include "tools/soak/SoakFigures.h"

using namespace kd::soak;

namespace {

Figures Warm() {
    Figures f;
    f.rssBytes = 80 << 20;
    f.descriptors = 12;
    f.threads = 3;
    f.gameTimers = 2;
    f.gameTimersOn = 1;
    f.qtTimers = 1;
    f.topLevelWidgets = 9;
    f.widgets = 22;
    f.listeners = 2;
    f.connections = 1;
    return f;
}

// An era of `keys` keys sampled every 500, its size from `bytes(keys)`.
DatabaseEra Era(qint64 keys, const std::function<qint64(qint64)>& bytes) {
    DatabaseEra e;
    for (qint64 k = 0; k <= keys; k += 500) e.samples << DatabaseSample{k, bytes(k)};
    e.keysTyped = keys;
    e.keysStored = keys;
    return e;
}

qint64 Linear(qint64 k) {
    return 8192 + 40 * k;
}

const Check* Find(const QVector<Check>& checks, const char* name) {
    for (const Check& c : checks)
        if (c.name == QLatin1String(name)) return &c;
    return nullptr;
}

}  // namespace

TEST(SoakVerdict, EachTargetFailsOnItsOwnFaultAndOnlyThere) {
    struct Case {
        const char* what;
        std::function<void(Figures&, DatabaseEra&, QStringList&)> spoil;
        const char* fails;  // nullptr: everything passes
    };
    const Case cases[] = {
        {"nothing changed", [](Figures&, DatabaseEra&, QStringList&) {}, nullptr},
        {"memory within 5 MB", [](Figures& f, DatabaseEra&, QStringList&) { f.rssBytes += 5 << 20; },
         nullptr},
        {"memory past 5 MB", [](Figures& f, DatabaseEra&, QStringList&) { f.rssBytes += (5 << 20) + 4096; },
         "memory"},
        {"fewer descriptors", [](Figures& f, DatabaseEra&, QStringList&) { --f.descriptors; }, nullptr},
        {"one descriptor more", [](Figures& f, DatabaseEra&, QStringList&) { ++f.descriptors; },
         "descriptors"},
        {"a thread left", [](Figures& f, DatabaseEra&, QStringList&) { ++f.threads; }, "threads"},
        {"a screen timer left alive", [](Figures& f, DatabaseEra&, QStringList&) { ++f.gameTimers; },
         "timers"},
        {"a screen timer left running", [](Figures& f, DatabaseEra&, QStringList&) { ++f.gameTimersOn; },
         "timers"},
        {"an event-loop timer left", [](Figures& f, DatabaseEra&, QStringList&) { ++f.qtTimers; }, "timers"},
        {"a window left", [](Figures& f, DatabaseEra&, QStringList&) { ++f.topLevelWidgets; }, "widgets"},
        {"a widget left", [](Figures& f, DatabaseEra&, QStringList&) { ++f.widgets; }, "widgets"},
        {"a listener of play left", [](Figures& f, DatabaseEra&, QStringList&) { ++f.listeners; },
         "listeners"},
        {"a database connection left", [](Figures& f, DatabaseEra&, QStringList&) { ++f.connections; },
         "connections"},
        {"a game's keys lost", [](Figures&, DatabaseEra& e, QStringList&) { e.keysStored -= 60; },
         "keys recorded"},
        {"the record grows with the square of its keys",
         [](Figures&, DatabaseEra& e, QStringList&) {
             for (DatabaseSample& s : e.samples) s.bytes = 8192 + s.keys * s.keys / 100;
         },
         "database growth"},
        {"a message on the way", [](Figures&, DatabaseEra&, QStringList& faults) { faults << "message"; },
         "no faults"},
    };
    for (const Case& c : cases) {
        Figures end = Warm();
        DatabaseEra era = Era(40000, Linear);
        QStringList faults;
        c.spoil(end, era, faults);
        const QVector<Check> checks = Judge(Warm(), end, {era}, faults);
        for (const Check& check : checks) {
            const bool shouldFail = c.fails && check.name == QLatin1String(c.fails);
            EXPECT_EQ(check.passed, !shouldFail) << c.what << ": " << check.name.toStdString();
            EXPECT_EQ(check.why.isEmpty(), check.passed) << c.what;
        }
        if (c.fails) {
            EXPECT_NE(Find(checks, c.fails), nullptr) << c.fails;
        }
    }
}

TEST(SoakVerdict, GrowthIsJudgedOnTheLongestRecordAndNeedsEnoughKeys) {
    // Page-sized steps and a fixed start are linear growth; a short record says nothing.
    const auto paged = [](qint64 k) { return 4096 * (3 + (40 * k) / 4096); };
    EXPECT_TRUE(Find(Judge(Warm(), Warm(), {Era(30000, paged)}, {}), "database growth")->passed);
    EXPECT_FALSE(Find(Judge(Warm(), Warm(), {Era(3000, Linear)}, {}), "database growth")->passed);
    const Slopes s = EraSlopes(Era(30000, paged), 1000);
    ASSERT_TRUE(s.known);
    EXPECT_NEAR(s.first, 40, 1);
    EXPECT_NEAR(s.second, 40, 1);

    // The short era before a deletion does not hide a bad long one after it, nor the reverse.
    const DatabaseEra square = Era(30000, [](qint64 k) { return 8192 + k * k / 100; });
    EXPECT_FALSE(Find(Judge(Warm(), Warm(), {Era(3000, Linear), square}, {}), "database growth")->passed);
    EXPECT_TRUE(
        Find(Judge(Warm(), Warm(), {Era(3000, Linear), Era(30000, Linear)}, {}), "database growth")->passed);
}

TEST(SoakVerdict, TheFiguresLineNamesEveryFigure) {
    Figures end = Warm();
    end.rssBytes += 3 << 20;
    const QString line = FiguresLine(2000, 200, Warm(), end, {Era(40000, Linear)}, 3 << 20, 75.4);
    for (const char* part :
         {"games=2000 (warm-up 200)", "keys=40000", "rss=80.0->83.0 MB", "fds=12->12", "threads=3->3",
          "windows=9->9", "widgets=22->22", "db=3.0 MB", "40 B/key", "time=75 s"})
        EXPECT_TRUE(line.contains(QLatin1String(part))) << part << " in " << line.toStdString();
}
