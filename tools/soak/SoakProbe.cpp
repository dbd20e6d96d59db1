#include "tools/soak/SoakProbe.h"

#include <dirent.h>
#include <malloc.h>
#include <unistd.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFile>
#include <QSet>
#include <QSqlDatabase>
#include <QWidget>
#include <cstdlib>

#include "common/GameState.h"
#include "platform/widgets/Timer.h"

namespace kd::soak {

namespace {

// Entries of a /proc folder, without "." and "..".
int Entries(const char* path) {
    DIR* d = opendir(path);
    if (!d) return -1;
    int n = 0;
    while (const dirent* e = readdir(d))
        if (e->d_name[0] != '.') ++n;
    closedir(d);
    return n;
}

qint64 ResidentBytes() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}

int EventLoopTimers() {
    QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance();
    if (!d) return 0;
    QSet<QObject*> seen;
    QList<QObject*> roots{QCoreApplication::instance()};
    for (QWidget* w : QApplication::topLevelWidgets()) roots << w;
    int n = 0;
    for (QObject* root : roots) {
        QList<QObject*> all = root->findChildren<QObject*>();
        all.prepend(root);
        for (QObject* o : all)
            if (!seen.contains(o)) {
                seen.insert(o);
                n += int(d->registeredTimers(o).size());
            }
    }
    return n;
}

}  // namespace

QStringList DescriptorTargets() {
    QStringList out;
    DIR* d = opendir("/proc/self/fd");
    if (!d) return out;
    const int own = dirfd(d);
    while (const dirent* e = readdir(d)) {
        if (e->d_name[0] == '.' || atoi(e->d_name) == own) continue;
        char target[512];
        const QByteArray link = QByteArray("/proc/self/fd/") + e->d_name;
        const ssize_t n = readlink(link.constData(), target, sizeof target - 1);
        out << QString::fromLocal8Bit(target, n > 0 ? int(n) : 0);
    }
    closedir(d);
    out.sort();
    return out;
}

int ThreadCount() {
    return Entries("/proc/self/task");
}

Figures TakeFigures() {
    // Memory freed but kept by the allocator is no leak; what stays resident after handing it
    // back is what the program holds.
    malloc_trim(0);
    Figures f;
    f.rssBytes = ResidentBytes();
    const struct mallinfo2 heap = mallinfo2();
    f.heapBytes = qint64(heap.uordblks + heap.hblkhd);
    // The folder being read holds one descriptor of its own.
    f.descriptors = Entries("/proc/self/fd") - 1;
    f.threads = Entries("/proc/self/task");
    f.gameTimers = Timer::LiveCount();
    f.gameTimersOn = Timer::EnabledCount();
    f.qtTimers = EventLoopTimers();
    f.topLevelWidgets = int(QApplication::topLevelWidgets().size());
    f.widgets = int(QApplication::allWidgets().size());
    return f;
}

Figures TakeFigures(const GameState& g) {
    Figures f = TakeFigures();
    f.listeners = g.play.ListenerCount();
    f.connections = int(QSqlDatabase::connectionNames().size());
    return f;
}

}  // namespace kd::soak
