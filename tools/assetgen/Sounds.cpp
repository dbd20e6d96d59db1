#include "tools/assetgen/Sounds.h"

#include <QtEndian>
#include <cmath>

#include "tools/assetgen/Style.h"

namespace kd::assetgen {
namespace {

void PutLe(QByteArray& out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.append(char((value >> (8 * i)) & 0xff));
}

// Peak to `peak`, and a short fade at the end so the sound stops without a click.
void Finish(std::vector<double>& s, double peak, double fadeMs) {
    double max = 0;
    for (double v : s) max = std::max(max, std::abs(v));
    const std::size_t fade = std::size_t(kSampleRate * fadeMs / 1000.0);
    for (std::size_t i = 0; i < s.size(); ++i) {
        s[i] *= peak / max;
        const std::size_t left = s.size() - 1 - i;
        if (left < fade) s[i] *= double(left) / double(fade);
    }
}

}  // namespace

QByteArray WaveFile(const std::vector<double>& samples) {
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray out;
    out.append("RIFF");
    PutLe(out, 36 + dataBytes, 4);
    out.append("WAVEfmt ");
    PutLe(out, 16, 4);
    PutLe(out, 1, 2);  // PCM
    PutLe(out, 1, 2);  // mono
    PutLe(out, kSampleRate, 4);
    PutLe(out, kSampleRate * 2, 4);
    PutLe(out, 2, 2);
    PutLe(out, 16, 2);
    out.append("data");
    PutLe(out, dataBytes, 4);
    for (double v : samples) {
        const long q = std::lround(std::clamp(v, -1.0, 1.0) * 32767.0);
        PutLe(out, quint32(quint16(qint16(q))), 2);
    }
    return out;
}

QByteArray CorrectKeyWave() {
    // 38 ms: a noise click for the attack over two bright partials that die away fast, so
    // quick typing gives distinct ticks rather than a smear.
    const int n = kSampleRate * 38 / 1000;
    std::vector<double> s(n);
    Lcg noise(2024);
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kSampleRate;
        const double attack = std::min(1.0, t / 0.0003);
        const double body = std::exp(-t / 0.007);
        const double tone = std::sin(2 * M_PI * 2637.0 * t) + 0.5 * std::sin(2 * M_PI * 3951.0 * t) +
                            0.2 * std::sin(2 * M_PI * 5274.0 * t);
        const double click = (noise.Uniform(-1, 1)) * std::exp(-t / 0.0008);
        s[i] = attack * (tone * body + 0.8 * click);
    }
    Finish(s, 0.8, 4);
    return WaveFile(s);
}

QByteArray MissKeyWave() {
    // 130 ms: two detuned sawtooths sliding down a little, through a low-pass, so it reads
    // as a soft "bzzt" and not as another tick.
    const int n = kSampleRate * 130 / 1000;
    std::vector<double> s(n);
    double phaseA = 0, phaseB = 0, low = 0;
    const double cutoff = 1 - std::exp(-2 * M_PI * 700.0 / kSampleRate);
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kSampleRate;
        const double pitch = 120.0 - 25.0 * (t / 0.13);
        phaseA = std::fmod(phaseA + pitch / kSampleRate, 1.0);
        phaseB = std::fmod(phaseB + pitch * 1.06 / kSampleRate, 1.0);
        const double saw = (2 * phaseA - 1) + (2 * phaseB - 1);
        low += cutoff * (saw - low);
        const double attack = std::min(1.0, t / 0.001);
        const double env = attack * (0.6 + 0.4 * std::exp(-t / 0.03));
        // A tremolo at 30 Hz gives the buzz its grain.
        s[i] = low * env * (0.8 + 0.2 * std::sin(2 * M_PI * 30.0 * t));
    }
    Finish(s, 0.7, 20);
    return WaveFile(s);
}

}  // namespace kd::assetgen
