#pragma once
#include <QList>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

#include "learning/GhostRun.h"
#include "learning/PlayedGame.h"

namespace kd {

class TickCounter;

// One key as the replay shows it under the question.
struct ReplayKey {
    QString typed;
    bool hit = false;
};

// What a replay shows at one moment of the game.
struct ReplayFrame {
    qint64 ms = 0;
    int questionIndex = -1;  // into the game's questions; -1 before the first is shown
    QString text;            // the question (kanji form or word)
    QString reading;         // what was to be typed
    int readingDone = 0;     // characters of the reading typed to their end
    QList<ReplayKey> keys;   // the keys of this question so far, misses included
    int correct = 0;
    int misses = 0;
    int ballX = kBallStartX;     // time trial
    std::optional<int> ghostX;   // time trial raced against a best run
    std::array<int, 5> lanes{};  // race: x of lanes 0-3; boss: player x, boss x, balls
    bool hasLanes = false;       // lanes were recorded up to this moment
};

// A recorded game laid out on its own clock, to be stepped through at any moment.
class ReplayModel {
  public:
    explicit ReplayModel(PlayedGame game, GhostTimeline ghost = {});

    const PlayedGame& Game() const { return m_game; }
    qint64 DurationMs() const { return m_durationMs; }
    ReplayFrame FrameAt(qint64 ms) const;
    // The next moment after `ms` at which the frame changes; nullopt after the last one.
    std::optional<qint64> NextChangeAfter(qint64 ms) const;

  private:
    void CountBossBalls();
    PlayedGame m_game;
    GhostTimeline m_ghost;
    qint64 m_durationMs = 0;
    QList<qint64> m_changes;  // every moment something moves, ascending, no repeats
};

// Where a replay stands: it plays at 1x, 2x or 4x on the tick counter, pauses, and seeks.
// Positions stay within 0 and the duration; reaching the end pauses it.
class ReplayClock {
  public:
    ReplayClock(TickCounter& clock, qint64 durationMs);

    qint64 Position();
    bool IsPlaying() const { return m_playing; }
    int Speed() const { return m_speed; }
    qint64 DurationMs() const { return m_durationMs; }

    void Play();
    void Pause();
    void SetSpeed(int factor);  // 1, 2 or 4; others are ignored
    void Seek(qint64 ms);
    // Real milliseconds until the replay reaches `target` at the current speed (at least 1).
    int RealMsUntil(qint64 target);

  private:
    void Rebase();
    TickCounter& m_clock;
    qint64 m_durationMs;
    qint64 m_basePos = 0;
    qint32 m_baseTick = 0;
    int m_speed = 1;
    bool m_playing = false;
};

}  // namespace kd
