#pragma once
#include <QColor>
#include <QObject>
#include <QPixmap>
#include <functional>
#include <optional>

#include "learning/GhostRun.h"
#include "learning/PlayedGame.h"

class QLabel;
class QWidget;

namespace kd {

class TickCounter;
class Timer;

// The best run's ball on the time-trial track and the label with the gap to it, while the
// player has the ghost switched on. It moves on the game's own clock: its timer is set for
// the ghost's next recorded key, so it wakes only when the ghost steps.
class GhostRunner : public QObject {
    Q_OBJECT
  public:
    // `moved` redraws the track; the screen draws Picture() at X() before its own ball.
    GhostRunner(QWidget* screen, TickCounter& clock, std::function<void()> moved);

    // The ghost for the next run: the best run of the genre, or nullopt (no best yet).
    void Load(std::optional<PlayedGame> best);
    void Disable();
    bool Enabled() const { return m_enabled; }
    bool HasGhost() const { return m_enabled && !m_timeline.IsEmpty(); }

    void Begin(qint32 startTick);                // "Go!!"
    void OnCorrectKey(int k, qint32 elapsedMs);  // the player's k-th correct key
    void Stop();                                 // the player finished: the ghost stays
    void Reset();                                // the run was abandoned

    int X() const { return m_x; }
    const QPixmap& Picture() const { return m_picture; }
    void SetPicture(const QPixmap& ball);  // made translucent here
    std::optional<qint64> LastGap() const { return m_lastGap; }
    const std::optional<PlayedGame>& Best() const { return m_best; }

    static constexpr int kLabelX = 8;
    static constexpr int kLabelY = 150;

  private:
    void MoveGhost();
    void Step(qint32 elapsedMs);
    void ShowGap(qint64 gapMs);
    void Paint(const QColor& text);

    TickCounter& m_clock;
    std::function<void()> m_moved;
    QLabel* ghostGapText;
    Timer* ghostTimer;
    QPixmap m_picture;
    std::optional<PlayedGame> m_best;
    GhostTimeline m_timeline;
    bool m_enabled = false;
    qint32 m_startTick = 0;
    int m_x = kBallStartX;
    std::optional<qint64> m_lastGap;
    QColor m_paintedColor;
    QSize m_gapSize;     // the gap label's size while a ghost runs
    int m_gapChars = 0;  // the longest gap text measured for it
};

}  // namespace kd
