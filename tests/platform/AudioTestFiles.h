#pragma once
// Tiny music and key-sound files made on the spot, and a reader for what SDL's disk driver
// wrote, so audio tests need neither the shipped assets nor a sound card.
#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <cstdlib>

namespace kd::test {

// A one-note Standard MIDI File: piano, middle C for half a second.
inline QByteArray TinyMidi() {
    const QByteArray track = QByteArray::fromHex(
        "00C000"
        "00903C64"
        "60803C00"
        "00FF2F00");
    QByteArray smf = QByteArray("MThd") + QByteArray::fromHex(
                                              "00000006"
                                              "0000"
                                              "0001"
                                              "0060");
    QByteArray len(4, '\0');
    qToBigEndian<quint32>(quint32(track.size()), len.data());
    return smf + "MTrk" + len + track;
}

// A 16-bit mono square wave of the given length at 44.1 kHz.
inline QByteArray TinyWav(int ms) {
    const int frames = 44100 * ms / 1000;
    QByteArray pcm(frames * 2, '\0');
    for (int i = 0; i < frames; ++i)
        qToLittleEndian<qint16>((i / 50) % 2 ? 12000 : -12000, pcm.data() + 2 * i);
    auto le32 = [](quint32 v) {
        QByteArray b(4, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    auto le16 = [](quint16 v) {
        QByteArray b(2, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    return "RIFF" + le32(36 + pcm.size()) + "WAVE" + "fmt " + le32(16) + le16(1) + le16(1) + le32(44100) +
           le32(88200) + le16(2) + le16(16) + "data" + le32(pcm.size()) + pcm;
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

// Points SDL at its disk driver for as long as it lives: what would be heard goes to a raw
// file of 16-bit stereo frames at 44.1 kHz, about ten times faster than real time.
class DiskAudio {
  public:
    DiskAudio() : m_file(m_dir.filePath(QStringLiteral("heard.raw"))) {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_file));
        qputenv("SDL_DISKAUDIODELAY", "1");
    }
    ~DiskAudio() {
        qputenv("SDL_AUDIODRIVER", "dummy");
        qunsetenv("SDL_DISKAUDIOFILE");
        qunsetenv("SDL_DISKAUDIODELAY");
    }
    static constexpr qint64 kBytesPerSecond = 44100 * 4;

    qint64 Size() const { return QFileInfo(m_file).size(); }
    // Waits (for the audio thread, not for a clock) until this much more has been written.
    bool WaitForMore(double seconds) const {
        const qint64 target = Size() + qint64(seconds * kBytesPerSecond);
        QElapsedTimer guard;
        guard.start();
        while (Size() < target) {
            if (guard.elapsed() > 30000) return false;
            QThread::msleep(2);
        }
        return true;
    }
    // The loudest sample written between two byte offsets (to = -1: the end).
    int Peak(qint64 from = 0, qint64 to = -1) const {
        QFile f(m_file);
        if (!f.open(QIODevice::ReadOnly)) return -1;
        const QByteArray all = f.readAll();
        const qint64 end = to < 0 ? all.size() : qMin<qint64>(to, all.size());
        int peak = 0;
        for (qint64 i = from & ~qint64(1); i + 1 < end; i += 2)
            peak = qMax(peak, std::abs(int(qFromLittleEndian<qint16>(all.constData() + i))));
        return peak;
    }

  private:
    QTemporaryDir m_dir;
    QString m_file;
};

}  // namespace kd::test
