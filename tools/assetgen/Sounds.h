#pragma once
#include <QByteArray>
#include <vector>

namespace kd::assetgen {

inline constexpr int kSampleRate = 44100;

// 16-bit mono PCM wave file from samples in [-1, 1].
QByteArray WaveFile(const std::vector<double>& samples);

QByteArray CorrectKeyWave();  // a crisp, bright tick
QByteArray MissKeyWave();     // a short, dull buzz

}  // namespace kd::assetgen
