#pragma once
// Shared by the fuzz targets: a player folder on a memory file system and a way to put the
// fuzzer's bytes into one of the player's files.
#include <unistd.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdlib>

#include "common/GameState.h"
#include "platform/core/Audio.h"
#include "platform/core/Random.h"
#include "platform/core/TickCounter.h"

namespace kdfuzz {

struct Env {
    Env() : g(rnd, clock, audio, Root()) {
        g.objUser.SetUserName(QStringLiteral("P"));
        QDir().mkpath(g.PlayerPath(QStringLiteral("DATA")));
    }
    static QString Root() {
        const QString base = QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        return base + QStringLiteral("/kdfuzz-") + QString::number(::getpid());
    }
    void Put(const QString& relative, const uint8_t* data, size_t size) {
        QFile f(relative.startsWith(u'/') ? relative : g.PlayerPath(relative));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    QByteArray Get(const QString& relative) {
        QFile f(relative.startsWith(u'/') ? relative : g.PlayerPath(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
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
        new QCoreApplication(argc, argv);
        auto* e = new Env();
        std::atexit([] { QDir(Env::Root()).removeRecursively(); });
        return e;
    }();
    return *env;
}

// Saving goes through fsync and a rename; checking the round trip on a slice of the inputs
// keeps the fuzzer fast while every input still goes through the reader.
inline bool CheckRoundTrip(const uint8_t* data, size_t size) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 16777619u;
    return (h & 31u) == 0;
}

// A reader must never crash, and what it read must survive a save and a second read.
#define KD_FUZZ_REQUIRE(cond) \
    do {                      \
        if (!(cond)) abort(); \
    } while (0)

}  // namespace kdfuzz
