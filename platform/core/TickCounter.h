#pragma once
#include <QElapsedTimer>
#include <QtGlobal>

namespace kd {

// Millisecond tick counter. Callers only ever use differences of two readings, computed
// with 32-bit wrap-around, so any monotonic origin serves.
class TickCounter {
  public:
    virtual ~TickCounter() = default;
    virtual qint32 GetTickCount() = 0;
};

class SteadyTickCounter : public TickCounter {
  public:
    SteadyTickCounter();
    qint32 GetTickCount() override;

  private:
    QElapsedTimer m_timer;
};

// Test double: time moves only when the test says so.
class ManualTickCounter : public TickCounter {
  public:
    qint32 GetTickCount() override { return m_now; }
    void advance(qint32 ms) { m_now = qint32(quint32(m_now) + quint32(ms)); }
    void set(qint32 now) { m_now = now; }

  private:
    qint32 m_now = 1000;
};

// Elapsed milliseconds between two readings, correct across a wrap of the counter.
inline qint32 TickDiff(qint32 now, qint32 start) {
    return qint32(quint32(now) - quint32(start));
}

}  // namespace kd
