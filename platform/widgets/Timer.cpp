#include "platform/widgets/Timer.h"

namespace kd {

namespace {
bool g_manual = false;
int g_live = 0;
int g_enabled = 0;
}  // namespace

Timer::Timer(QObject* owner, const QString& name, int intervalMs, std::function<void()> onTick)
    : QObject(owner), m_onTick(std::move(onTick)), m_interval(intervalMs) {
    setObjectName(name);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { fire(); });
    ++g_live;
}

Timer::~Timer() {
    --g_live;
    if (m_enabled) --g_enabled;
}

void Timer::SetInterval(int ms) {
    m_interval = ms;
    if (m_enabled) Restart();
}

void Timer::SetEnabled(bool on) {
    if (on == m_enabled) return;
    m_enabled = on;
    g_enabled += on ? 1 : -1;
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

void Timer::SetManualMode(bool manual) {
    g_manual = manual;
}
bool Timer::ManualMode() {
    return g_manual;
}
int Timer::LiveCount() {
    return g_live;
}
int Timer::EnabledCount() {
    return g_enabled;
}

}  // namespace kd
