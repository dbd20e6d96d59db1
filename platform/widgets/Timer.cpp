#include "platform/widgets/Timer.h"

namespace kd {

namespace {
bool g_manual = false;
}

Timer::Timer(QObject* owner, const QString& name, int intervalMs, std::function<void()> onTick)
    : QObject(owner), m_onTick(std::move(onTick)), m_interval(intervalMs) {
    setObjectName(name);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { fire(); });
}

void Timer::SetInterval(int ms) {
    m_interval = ms;
    if (m_enabled) Restart();
}

void Timer::SetEnabled(bool on) {
    if (on == m_enabled) return;
    m_enabled = on;
    if (on)
        Restart();
    else
        m_timer.stop();
}

void Timer::Restart() {
    if (g_manual || !m_enabled) return;
    m_timer.start(m_interval);
}

bool Timer::fire() {
    if (!m_enabled) return false;
    if (m_onTick) m_onTick();
    return true;
}

void Timer::SetManualMode(bool manual) { g_manual = manual; }
bool Timer::ManualMode() { return g_manual; }

}  // namespace kd
