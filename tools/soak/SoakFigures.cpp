#include "tools/soak/SoakFigures.h"

namespace kd::soak {

namespace {

QString Mb(qint64 bytes) {
    return QString::number(double(bytes) / (1024.0 * 1024.0), 'f', 1);
}

// The first sample at or beyond the given number of keys.
const DatabaseSample& At(const QVector<DatabaseSample>& s, qint64 keys) {
    for (const DatabaseSample& x : s)
        if (x.keys >= keys) return x;
    return s.last();
}

Check NotAbove(const QString& name, qint64 warm, qint64 end) {
    Check c{name};
    if (end > warm) {
        c.passed = false;
        c.why = QStringLiteral("%1 at the end, %2 after warm-up").arg(end).arg(warm);
    }
    return c;
}

// The era that says most about the growth: the one with the most keys.
const DatabaseEra* LongestEra(const QVector<DatabaseEra>& eras) {
    const DatabaseEra* best = nullptr;
    for (const DatabaseEra& e : eras)
        if (!e.samples.isEmpty() && (!best || e.samples.last().keys > best->samples.last().keys)) best = &e;
    return best;
}

}  // namespace

Slopes EraSlopes(const DatabaseEra& era, qint64 minKeysPerHalf) {
    Slopes out;
    if (era.samples.size() < 3) return out;
    const DatabaseSample& a = era.samples.first();
    const DatabaseSample& c = era.samples.last();
    const DatabaseSample& b = At(era.samples, (a.keys + c.keys) / 2);
    if (b.keys - a.keys < minKeysPerHalf || c.keys - b.keys < minKeysPerHalf) return out;
    out.first = double(b.bytes - a.bytes) / double(b.keys - a.keys);
    out.second = double(c.bytes - b.bytes) / double(c.keys - b.keys);
    out.known = true;
    return out;
}

QVector<Check> Judge(const Figures& warm, const Figures& end, const QVector<DatabaseEra>& eras,
                     const QStringList& faults, const Limits& limits) {
    QVector<Check> out;

    Check memory{QStringLiteral("memory")};
    if (end.rssBytes - warm.rssBytes > limits.memoryGrowthBytes) {
        memory.passed = false;
        memory.why = QStringLiteral("grew by %1 MB after warm-up (at most %2 MB)")
                         .arg(Mb(end.rssBytes - warm.rssBytes), Mb(limits.memoryGrowthBytes));
    }
    out << memory;
    out << NotAbove(QStringLiteral("descriptors"), warm.descriptors, end.descriptors);
    out << NotAbove(QStringLiteral("threads"), warm.threads, end.threads);
    Check timers = NotAbove(QStringLiteral("timers"), warm.gameTimers, end.gameTimers);
    for (const Check& c : {NotAbove(QString(), warm.gameTimersOn, end.gameTimersOn),
                           NotAbove(QString(), warm.qtTimers, end.qtTimers)})
        if (!c.passed && timers.passed) timers = Check{timers.name, false, c.why};
    if (!timers.passed)
        timers.why =
            QStringLiteral("screen timers %1 (%2 on), event-loop timers %3; after warm-up %4 (%5 on), %6")
                .arg(end.gameTimers)
                .arg(end.gameTimersOn)
                .arg(end.qtTimers)
                .arg(warm.gameTimers)
                .arg(warm.gameTimersOn)
                .arg(warm.qtTimers);
    out << timers;
    Check widgets = NotAbove(QStringLiteral("widgets"), warm.topLevelWidgets, end.topLevelWidgets);
    const Check all = NotAbove(QString(), warm.widgets, end.widgets);
    if (!widgets.passed || !all.passed)
        widgets = Check{widgets.name, false,
                        QStringLiteral("%1 windows and %2 widgets; after warm-up %3 and %4")
                            .arg(end.topLevelWidgets)
                            .arg(end.widgets)
                            .arg(warm.topLevelWidgets)
                            .arg(warm.widgets)};
    out << widgets;
    out << NotAbove(QStringLiteral("listeners"), warm.listeners, end.listeners);
    out << NotAbove(QStringLiteral("connections"), warm.connections, end.connections);

    Check stored{QStringLiteral("keys recorded")};
    for (int i = 0; i < eras.size() && stored.passed; ++i) {
        const DatabaseEra& e = eras[i];
        if (e.keysStored >= 0 && e.keysStored != e.keysTyped) {
            stored.passed = false;
            stored.why = QStringLiteral("record %1 holds %2 keys of %3 typed")
                             .arg(i + 1)
                             .arg(e.keysStored)
                             .arg(e.keysTyped);
        }
    }
    out << stored;

    Check linear{QStringLiteral("database growth")};
    const DatabaseEra* era = LongestEra(eras);
    const Slopes s = era ? EraSlopes(*era, limits.minKeysPerHalf) : Slopes{};
    if (!s.known) {
        linear.passed = false;
        linear.why = QStringLiteral("too few keys in one record to tell the growth");
    } else if (s.second > s.first * limits.slopeTolerance) {
        linear.passed = false;
        linear.why = QStringLiteral("%1 bytes per key in the second half against %2 in the first")
                         .arg(s.second, 0, 'f', 1)
                         .arg(s.first, 0, 'f', 1);
    }
    out << linear;

    Check quiet{QStringLiteral("no faults")};
    if (!faults.isEmpty()) {
        quiet.passed = false;
        quiet.why = QStringLiteral("%1: %2").arg(faults.size()).arg(faults.first());
    }
    out << quiet;
    return out;
}

QString FiguresLine(int games, int warmUpGames, const Figures& warm, const Figures& end,
                    const QVector<DatabaseEra>& eras, qint64 databaseBytes, double seconds) {
    qint64 keys = 0;
    for (const DatabaseEra& e : eras) keys += e.keysTyped;
    const DatabaseEra* era = LongestEra(eras);
    const Slopes s = era ? EraSlopes(*era, 1) : Slopes{};
    const DatabaseSample last = era ? era->samples.last() : DatabaseSample{};
    const QString perKey =
        last.keys > 0 ? QString::number(double(last.bytes) / last.keys, 'f', 0) : QStringLiteral("-");
    return QStringLiteral(
               "soak: games=%1 (warm-up %2) keys=%3 rss=%4->%5 MB (heap %26->%27) fds=%6->%7 threads=%8->%9 "
               "timers=%10/%11on/%12qt->%13/%14on/%15qt windows=%16->%17 widgets=%18->%19 listeners=%28->%29 "
               "connections=%30->%31 "
               "db=%20 MB (largest record %21 keys, %22 B/key; %23 then %24 B/key by halves) time=%25 s")
        .arg(games)
        .arg(warmUpGames)
        .arg(keys)
        .arg(Mb(warm.rssBytes), Mb(end.rssBytes))
        .arg(warm.descriptors)
        .arg(end.descriptors)
        .arg(warm.threads)
        .arg(end.threads)
        .arg(warm.gameTimers)
        .arg(warm.gameTimersOn)
        .arg(warm.qtTimers)
        .arg(end.gameTimers)
        .arg(end.gameTimersOn)
        .arg(end.qtTimers)
        .arg(warm.topLevelWidgets)
        .arg(end.topLevelWidgets)
        .arg(warm.widgets)
        .arg(end.widgets)
        .arg(Mb(databaseBytes))
        .arg(last.keys)
        .arg(perKey)
        .arg(s.known ? QString::number(s.first, 'f', 0) : QStringLiteral("-"),
             s.known ? QString::number(s.second, 'f', 0) : QStringLiteral("-"))
        .arg(seconds, 0, 'f', 0)
        .arg(Mb(warm.heapBytes), Mb(end.heapBytes))
        .arg(warm.listeners)
        .arg(end.listeners)
        .arg(warm.connections)
        .arg(end.connections);
}

}  // namespace kd::soak
