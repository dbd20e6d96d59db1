#pragma once
#include <QList>
#include <QtGlobal>

namespace kd {

// Uniform single-precision values in [0, 1), re-seedable from the clock.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual float NextFloat() = 0;
    virtual void ReseedFromClock() = 0;
};

// A 24-bit linear congruential generator: every value is an exact single-precision
// multiple of 2^-24, so Int(r * n) never rounds up to n.
class LcgRandom : public RandomSource {
  public:
    explicit LcgRandom(quint32 seed = 0x50000u) : m_state(seed & 0xFFFFFFu) {}
    float NextFloat() override;
    void ReseedFromClock() override;
    void Seed(quint32 seed) { m_state = seed & 0xFFFFFFu; }

  private:
    quint32 m_state;
};

// Test double: hands out a scripted sequence (the last value repeats once it runs out)
// and counts the re-seeds.
class ScriptedRandom : public RandomSource {
  public:
    float NextFloat() override;
    void ReseedFromClock() override { ++reseedCalls; }
    void Script(const QList<float>& values) {
        m_values = values;
        m_next = 0;
    }
    void Push(float value) { m_values.append(value); }
    int reseedCalls = 0;
    int drawn = 0;

  private:
    QList<float> m_values;
    qsizetype m_next = 0;
};

}  // namespace kd
