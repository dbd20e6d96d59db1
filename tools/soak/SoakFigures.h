#pragma once
#include <QString>
#include <QStringList>
#include <QVector>
#include <QtGlobal>

namespace kd::soak {

// What the process holds at one moment of a long session.
struct Figures {
    qint64 rssBytes = 0;
    qint64 heapBytes = 0;  // allocated and not freed
    int descriptors = 0;
    int threads = 0;
    int gameTimers = 0;    // the screens' timers alive
    int gameTimersOn = 0;  // ... and switched on
    int qtTimers = 0;      // timers registered with the event loop
    int topLevelWidgets = 0;
    int widgets = 0;
    int listeners = 0;    // listeners of play (the learning record, a ghost's run ...)
    int connections = 0;  // database connections by name
};

// One reading of the learning record: keys typed into it so far and its size.
struct DatabaseSample {
    qint64 keys = 0;
    qint64 bytes = 0;
};

// The learning record between two deletions of the records.
struct DatabaseEra {
    QVector<DatabaseSample> samples;  // in the order taken, keys rising
    qint64 keysTyped = 0;             // judged keys played into it
    qint64 keysStored = -1;           // rows in its key table when the era ended (-1: not read)
};

struct Limits {
    qint64 memoryGrowthBytes = 5 * 1024 * 1024;
    // The second half of an era may add this much more per key than the first half.
    double slopeTolerance = 1.25;
    // Halves shorter than this say nothing about the growth rate (a page holds dozens of keys).
    qint64 minKeysPerHalf = 2000;
};

struct Check {
    explicit Check(QString n = QString(), bool ok = true, QString because = QString())
        : name(std::move(n)), passed(ok), why(std::move(because)) {}
    QString name;
    bool passed;
    QString why;  // set when it failed
};

// Bytes per key added by the first and the second half of an era (by keys), or nothing when
// the era is too short to tell.
struct Slopes {
    double first = 0;
    double second = 0;
    bool known = false;
};
Slopes EraSlopes(const DatabaseEra& era, qint64 minKeysPerHalf);

// Every target of the soak: memory growth, descriptors, threads, timers, widgets, listeners of
// play and database connections back to the warm-up counts, every typed key in the record, the record growing
// in line with its keys, and no unexpected message or screen on the way.
QVector<Check> Judge(const Figures& warm, const Figures& end, const QVector<DatabaseEra>& eras,
                     const QStringList& faults, const Limits& limits = {});

// The one line of figures: "soak: games=... rss=...".
QString FiguresLine(int games, int warmUpGames, const Figures& warm, const Figures& end,
                    const QVector<DatabaseEra>& eras, qint64 databaseBytes, double seconds);

}  // namespace kd::soak
