#pragma once
#include <QObject>
#include <QTimer>
#include <functional>

namespace kd {

// A form's timer: interval, enabled, tick handler. In manual mode (tests) no real timer
// runs; the test calls fire() for each tick it wants.
class Timer : public QObject {
    Q_OBJECT
  public:
    Timer(QObject* owner, const QString& name, int intervalMs, std::function<void()> onTick = {});
    ~Timer() override;

    void SetInterval(int ms);
    int Interval() const { return m_interval; }
    void SetEnabled(bool on);
    bool Enabled() const { return m_enabled; }
    void Start() { SetEnabled(true); }
    void Stop() { SetEnabled(false); }
    void OnTick(std::function<void()> handler) { m_onTick = std::move(handler); }

    // Runs the tick handler once if the timer is enabled; returns whether it ran.
    bool fire();

    static void SetManualMode(bool manual);
    static bool ManualMode();

    // Timers that exist and timers switched on, in the whole program: a long session must not
    // pile them up (the soak compares them before and after).
    static int LiveCount();
    static int EnabledCount();

  private:
    void Restart();
    QTimer m_timer;
    std::function<void()> m_onTick;
    int m_interval;
    bool m_enabled = false;
};

}  // namespace kd
