#pragma once
// Shared by the fuzz targets: a player folder whose record files live in memory (the record-file
// layer's own table, so readers and writers run the program's code without touching the disk),
// a real folder on a memory file system for the targets that need one, and a way to put the
// fuzzer's bytes into one of the player's files.
#include <unistd.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "common/GameState.h"
#include "common/RecordFile.h"
#include "platform/core/Audio.h"
#include "platform/core/Random.h"
#include "platform/core/TickCounter.h"

namespace kdfuzz {

struct Env {
    Env() : g(rnd, clock, audio, Root()) {
        g.player.SetUserName(QStringLiteral("P"));
        QDir().mkpath(g.PlayerPath(QStringLiteral("DATA")));
        kd::RecordFile::SetSyncToDisk(false);
        kd::RecordFile::UseMemory(&files);
    }
    static QString Root() {
        const QString base = QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        return base + QStringLiteral("/kdfuzz-") + QString::number(::getpid());
    }
    void Put(const QString& relative, const uint8_t* data, size_t size) {
        const QString path = relative.startsWith(u'/') ? relative : g.PlayerPath(relative);
        if (kd::RecordFile::Memory()) {
            files.insert(path, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
            return;
        }
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    QByteArray Get(const QString& relative) {
        const QString path = relative.startsWith(u'/') ? relative : g.PlayerPath(relative);
        if (kd::RecordFile::Memory()) return files.value(path);
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QHash<QString, QByteArray> files;
    kd::LcgRandom rnd;
    kd::ManualTickCounter clock;
    kd::SilentAudio audio;
    kd::GameState g;
};

inline Env& TheEnv() {
    static Env* env = [] {
        static int argc = 1;
        static char arg0[] = "fuzz";
        static char* argv[] = {arg0, nullptr};
        // One time zone on every machine, so a saved input does the same everywhere (and the C
        // library need not look at /etc/localtime again for every local time it converts).
        setenv("TZ", "UTC", 1);
        tzset();
        new QCoreApplication(argc, argv);
        auto* e = new Env();
        std::atexit([] { QDir(Env::Root()).removeRecursively(); });
        return e;
    }();
    return *env;
}

// Hashes of what a target has already checked: an open-addressing set in room taken once (a
// run that keeps memory makes libFuzzer run the input again to look for a leak). Half full, it
// says so, and the target clears it.
class SeenHashes {
  public:
    explicit SeenHashes(size_t room) : slots_(room, 0) {}
    bool Full() const { return used_ >= slots_.size() / 2; }
    void Clear() {
        std::fill(slots_.begin(), slots_.end(), 0);
        used_ = 0;
    }
    // False when the hash was there already.
    bool Insert(size_t hash) {
        hash |= 1;  // 0 marks a free slot
        for (size_t i = hash % slots_.size();; i = (i + 1) % slots_.size()) {
            if (slots_[i] == hash) return false;
            if (slots_[i] == 0) {
                slots_[i] = hash;
                ++used_;
                return true;
            }
        }
    }

  private:
    std::vector<size_t> slots_;
    size_t used_ = 0;
};

// A reader must never crash, and what it read must survive a save and a second read.
#define KD_FUZZ_REQUIRE(cond) \
    do {                      \
        if (!(cond)) abort(); \
    } while (0)

}  // namespace kdfuzz
