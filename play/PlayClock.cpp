#include "play/PlayClock.h"

#include <algorithm>
#include <limits>

#include "common/Format.h"
#include "platform/core/TickCounter.h"
#include "platform/widgets/CachedGlyphs.h"
#include "platform/widgets/Timer.h"

namespace kd {

namespace {
// Only until the first tick, which sets the wait until the shown value changes.
constexpr int kFirstTickMs = 16;
}  // namespace

PlayClock::PlayClock(QObject* owner, const QString& timerName, ClockLabel* label, TickCounter& clock)
    : timer(new Timer(owner, timerName, kFirstTickMs)), m_label(label), m_clock(clock) {
    // Ten changes a second repaint only the clock's own rectangle: a fixed size keeps a new
    // text from asking the window to lay out again, and the label fills its own background
    // (opaque), so nothing behind it is painted.
    m_label->setFixedSize(m_label->size());
    timer->OnTick([this] {
        if (!Tick() && onTimeUp) onTimeUp();
    });
}

void PlayClock::Start(qint32 startTick, Direction direction, qint32 limitMs) {
    m_start = startTick;
    m_direction = direction;
    m_limit = limitMs;
    timer->Start();
    if (!Tick() && onTimeUp) onTimeUp();  // a limit of nothing is up at once
}

void PlayClock::Stop() {
    timer->Stop();
}

bool PlayClock::Running() const {
    return timer->Enabled();
}

qint32 PlayClock::Elapsed() const {
    const qint32 ms = TickDiff(m_clock.GetTickCount(), m_start);
    // Past 24.8 days the counter's difference turns negative; such a run is simply very long.
    return ms < 0 ? std::numeric_limits<qint32>::max() : ms;
}

bool PlayClock::TimeIsUp() const {
    return m_direction == Direction::Down && Elapsed() >= m_limit;
}

void PlayClock::ShowMs(qint32 ms) {
    // The text changes only when the rounded tenth does; most ticks end here.
    const qint64 tenths = ShownTenths(ms);
    if (tenths == m_shownTenths) return;
    m_shownTenths = tenths;
    m_label->ShowClockText(TenthsText(tenths));
}

void PlayClock::ShowText(const QString& text) {
    m_shownTenths = -1;
    m_label->ShowClockText(text);
}

int PlayClock::MsUntilChange(qint32 ms, Direction direction) {
    const qint64 tenths = ShownTenths(ms);
    if (direction == Direction::Up) {
        // The next change is at the next x.x50 ms.
        const qint64 next = (tenths + 1) * 100 - 50;
        return int(std::clamp<qint64>(next - ms, 1, 100));
    }
    // Counting down the shown tenth drops at x.x49 ms; the end comes first if it is nearer.
    const qint64 untilDrop = ms - (tenths * 100 - 51);
    return int(qMax<qint64>(1, qMin<qint64>(untilDrop, ms)));
}

bool PlayClock::Tick() {
    const qint32 elapsed = Elapsed();
    if (m_direction == Direction::Down && elapsed >= m_limit) {
        timer->Stop();
        return false;
    }
    const qint32 shown = m_direction == Direction::Up ? elapsed : m_limit - elapsed;
    ShowMs(shown);
    timer->SetInterval(MsUntilChange(shown, m_direction));
    return true;
}

}  // namespace kd
