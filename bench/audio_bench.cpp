// The key sound after the device has slept: how long PlaySoundEffect takes (it opens the
// device again) and how long until the mixer has the sound in a buffer for the device,
// beside the same with the device awake. SDL's dummy driver (or whatever SDL_AUDIODRIVER
// names), 40 sounds each. Prints "measure|median (worst of N)|worst" lines for bench/run.sh,
// in milliseconds.
#include <SDL.h>
#include <SDL_mixer.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

#include "platform/audio/SdlAudio.h"

namespace {

QElapsedTimer g_clock;
std::atomic<qint64> g_heardNs{-1};

// Runs on SDL's thread after each buffer is mixed: the first one holding anything but
// silence marks the moment the sound reached the device.
void PostMix(void*, Uint8* stream, int len) {
    if (g_heardNs.load() >= 0) return;
    const auto* s = reinterpret_cast<const qint16*>(stream);
    for (int i = 0; i < len / 2; ++i)
        if (s[i] != 0) {
            g_heardNs = g_clock.nsecsElapsed();
            return;
        }
}

// A short square wave, loud from its first sample.
QByteArray Wav() {
    const int frames = 4410;
    QByteArray data(frames * 4, '\0');
    for (int i = 0; i < frames * 2; ++i)
        qToLittleEndian<qint16>((i / 40) % 2 ? 8000 : -8000, data.data() + i * 2);
    QByteArray h("RIFF");
    auto u32 = [&h](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        h.append(b, 4);
    };
    auto u16 = [&h](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        h.append(b, 2);
    };
    u32(36 + data.size());
    h += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(2);
    u32(44100);
    u32(44100 * 4);
    u16(4);
    u16(16);
    h += "data";
    u32(data.size());
    return h + data;
}

struct Figures {
    std::vector<double> call, heard;
};

void Row(const char* name, std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const double median = v[v.size() / 2], worst = v.back();
    std::printf("%s|%.2f (worst %.2f of %zu)|%.2f\n", name, median, worst, v.size(), worst);
}

// Starting the game's pieces one after another (two rounds over the folder's MIDI files), as
// the screens do: the first start makes the synthesizer and loads the SoundFont, the others
// only read their file. Beside it, SDL_mixer loading the same pieces its own way (a new
// synthesizer and SoundFont each), which is how the game started them before.
int MusicRows(const QString& programFolder) {
    const QString font = kd::SdlAudio::SystemSoundFont();
    const QStringList pieces =
        QDir(programFolder + QStringLiteral("/Midi")).entryList({QStringLiteral("*.mid")});
    if (font.isEmpty() || pieces.isEmpty()) return 0;
    std::vector<double> first, later, mixer;
    {
        kd::SdlAudio audio(programFolder, font);
        if (!audio.Open()) return 0;
        for (int round = 0; round < 2; ++round)
            for (const QString& piece : pieces) {
                QElapsedTimer t;
                t.start();
                audio.PlayMidi(piece);
                (first.empty() ? first : later).push_back(t.nsecsElapsed() / 1e6);
            }
    }
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 512) != 0) return 0;
    Mix_SetSoundFonts(QFile::encodeName(font).constData());
    for (const QString& piece : pieces) {
        QElapsedTimer t;
        t.start();
        Mix_Music* m =
            Mix_LoadMUS(QFile::encodeName(programFolder + QStringLiteral("/Midi/") + piece).constData());
        if (m) Mix_PlayMusic(m, 0);
        mixer.push_back(t.nsecsElapsed() / 1e6);
        Mix_FreeMusic(m);
    }
    Mix_CloseAudio();
    Row("music: starting the first piece (SoundFont loaded)", first);
    Row("music: starting another piece", later);
    Row("  reference, SDL_mixer's own MIDI: starting a piece", mixer);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
    QCoreApplication app(argc, argv);
    QTemporaryDir media;
    for (const char* name : {"correct.wav", "miss.wav"}) {
        QDir().mkpath(media.filePath(QStringLiteral("Sound")));
        QFile f(media.filePath(QStringLiteral("Sound/") + QLatin1String(name)));
        if (!f.open(QIODevice::WriteOnly)) return 1;
        f.write(Wav());
    }
    kd::SdlAudio audio(media.path(), QString(""));
    audio.InitSoundEffects();
    if (!audio.DeviceOpen()) {
        std::fprintf(stderr, "no audio device\n");
        return 1;
    }
    Mix_SetPostMix(PostMix, nullptr);
    g_clock.start();
    Figures awake, asleep;
    for (int i = 0; i < 80; ++i) {
        const bool sleep = i % 2;
        Mix_HaltChannel(-1);
        if (sleep) {
            audio.SleepIfSilent();
        } else {
            audio.Open();
            // Somewhere within a buffer, as a key comes at any moment.
            QThread::usleep(1000 + (i * 2371) % 11000);
        }
        g_heardNs = -1;
        Mix_SetPostMix(PostMix, nullptr);
        const qint64 t0 = g_clock.nsecsElapsed();
        audio.PlaySoundEffect(true);
        const qint64 t1 = g_clock.nsecsElapsed();
        while (g_heardNs.load() < 0 && g_clock.nsecsElapsed() - t0 < 1000000000) QThread::usleep(100);
        Figures& f = sleep ? asleep : awake;
        f.call.push_back(double(t1 - t0) / 1e6);
        f.heard.push_back(double(g_heardNs.load() - t0) / 1e6);
    }
    if (qEnvironmentVariableIsSet("AUDIO_BENCH_ALL"))
        for (size_t i = 0; i < asleep.heard.size(); ++i)
            std::fprintf(stderr, "%.2f %.2f\n", awake.heard[i], asleep.heard[i]);
    Row("key sound: PlaySoundEffect, device awake", awake.call);
    Row("key sound: PlaySoundEffect, device asleep (reopens it)", asleep.call);
    Row("key sound: key -> sound mixed for the device, awake", awake.heard);
    Row("key sound: key -> sound mixed for the device, after sleep", asleep.heard);
    return argc > 1 ? MusicRows(argv[1]) : 0;
}
