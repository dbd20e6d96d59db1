// The two key sounds: plain 16-bit mono PCM at 44.1 kHz that the mixer preloads, short enough
// for fast typing, and sounding off the moment a key is judged.
#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QtEndian>
#include <cmath>
#include <vector>

namespace {

struct Wave {
    int format = 0, channels = 0, rate = 0, byteRate = 0, blockAlign = 0, bits = 0;
    std::vector<int> samples;
    bool riffSizeRight = false;

    double Millis() const { return 1000.0 * samples.size() / rate; }
    int Peak(std::size_t from, std::size_t to) const {
        int peak = 0;
        for (std::size_t i = from; i < std::min(to, samples.size()); ++i)
            peak = std::max(peak, std::abs(samples[i]));
        return peak;
    }
    // Sign changes per second: high for a bright tick, low for a dull buzz.
    double Crossings() const {
        int n = 0;
        for (std::size_t i = 1; i < samples.size(); ++i) n += (samples[i - 1] < 0) != (samples[i] < 0);
        return n / (samples.size() / double(rate));
    }
};

Wave LoadWave(const char* name) {
    QFile f(QStringLiteral(KD_SOURCE_DIR "/resources/Sound/") + QString::fromLatin1(name));
    Wave w;
    if (!f.open(QIODevice::ReadOnly)) return w;
    const QByteArray b = f.readAll();
    auto u32 = [&](int at) { return qFromLittleEndian<quint32>(b.constData() + at); };
    auto u16 = [&](int at) { return qFromLittleEndian<quint16>(b.constData() + at); };
    if (b.size() < 12 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE") return w;
    w.riffSizeRight = u32(4) == quint32(b.size() - 8);
    for (int at = 12; at + 8 <= b.size();) {
        const QByteArray id = b.mid(at, 4);
        const int len = int(u32(at + 4));
        if (at + 8 + len > b.size()) break;
        if (id == "fmt ") {
            w.format = u16(at + 8);
            w.channels = u16(at + 10);
            w.rate = int(u32(at + 12));
            w.byteRate = int(u32(at + 16));
            w.blockAlign = u16(at + 20);
            w.bits = u16(at + 22);
        } else if (id == "data" && w.bits == 16) {
            for (int i = 0; i + 1 < len; i += 2) w.samples.push_back(qint16(u16(at + 8 + i)));
        }
        at += 8 + len + (len & 1);
    }
    return w;
}

TEST(Sounds, BothAreMono16BitPcmAt44100) {
    for (const char* name : {"correct.wav", "miss.wav"}) {
        SCOPED_TRACE(name);
        const Wave w = LoadWave(name);
        EXPECT_TRUE(w.riffSizeRight);
        EXPECT_EQ(w.format, 1);
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.rate, 44100);
        EXPECT_EQ(w.bits, 16);
        EXPECT_EQ(w.blockAlign, 2);
        EXPECT_EQ(w.byteRate, 88200);
        EXPECT_FALSE(w.samples.empty());
    }
}

TEST(Sounds, EachIsShortAudibleAndStartsAtOnce) {
    const struct {
        const char* name;
        double maxMillis;
    } sounds[] = {{"correct.wav", 60}, {"miss.wav", 150}};
    for (const auto& s : sounds) {
        SCOPED_TRACE(s.name);
        const Wave w = LoadWave(s.name);
        ASSERT_FALSE(w.samples.empty());
        EXPECT_LE(w.Millis(), s.maxMillis);
        EXPECT_GE(w.Millis(), 20.0);
        const int peak = w.Peak(0, w.samples.size());
        EXPECT_GT(peak, 32767 / 3) << "too quiet to hear over music";
        EXPECT_LT(peak, 32767) << "clipped";
        // Sound within the first millisecond: no lead-in of silence delays the feedback.
        EXPECT_GT(w.Peak(0, 44), peak / 4);
        // And it dies away instead of stopping with a click.
        EXPECT_LT(std::abs(w.samples.back()), 330);
    }
}

TEST(Sounds, TheTickIsBrighterThanTheBuzz) {
    const Wave tick = LoadWave("correct.wav"), buzz = LoadWave("miss.wav");
    ASSERT_FALSE(tick.samples.empty());
    ASSERT_FALSE(buzz.samples.empty());
    EXPECT_GT(tick.Crossings(), 3000.0);
    EXPECT_LT(buzz.Crossings(), 1000.0);
}

}  // namespace
