#pragma once
#include <QString>
#include <QtGlobal>
#include <functional>

class QObject;

namespace kd {

class ClockLabel;
class Timer;
class TickCounter;

// The tenth-of-a-second clock of the play screens: counts up from the start (time trial) or
// down to a limit (practice), shown as "##0.0". It wakes only when the shown tenth is due to
// change, so an idle game costs ten wake-ups a second, and it writes the label only then.
class PlayClock {
  public:
    enum class Direction { Up, Down };

    // The timer is created on owner under timerName; the label shows the clock.
    PlayClock(QObject* owner, const QString& timerName, ClockLabel* label, TickCounter& clock);

    // Starts at startTick; a countdown runs for limitMs. Shows the first value at once (or
    // calls onTimeUp at once for a limit already reached).
    void Start(qint32 startTick, Direction direction, qint32 limitMs = 0);
    // Stops the ticks; the shown value stays.
    void Stop();
    bool Running() const;
    // Milliseconds since the start; a run longer than the counter's half range is saturated.
    qint32 Elapsed() const;
    // A countdown that has reached its limit (also between ticks).
    bool TimeIsUp() const;

    // Shows a value in milliseconds (rounded to tenths, halves up).
    void ShowMs(qint32 ms);
    // Shows a text of its own ("無制限", "", the setting) and forgets the tenth shown.
    void ShowText(const QString& text);

    // What a tick does: refresh the display and set the next wake-up. Returns false (and
    // stops) once a countdown has run out; the screen then ends the play.
    bool Tick();

    // Tenths shown for a value in milliseconds, and the milliseconds from a value until the
    // shown tenth changes (counting up or down).
    static qint64 ShownTenths(qint32 ms) { return (qint64(ms) + 50) / 100; }
    static int MsUntilChange(qint32 ms, Direction direction);

    Timer* timer;
    // Called when a tick finds the countdown run out.
    std::function<void()> onTimeUp;

  private:
    ClockLabel* m_label;
    TickCounter& m_clock;
    Direction m_direction = Direction::Up;
    qint32 m_start = 0;
    qint32 m_limit = 0;
    qint64 m_shownTenths = -1;  // -1 while the label shows a text of its own
};

}  // namespace kd
