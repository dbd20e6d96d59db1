#pragma once
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

#include "common/PlayEvents.h"
#include "learning/PlayedGame.h"

namespace kd {

// The time-trial ball: 5 px from the left at rest, 5 px further for every correct key.
constexpr int kBallStartX = 5;
constexpr int kBallStepX = 5;
inline int TimeTrialBallX(int correctKeys) {
    return kBallStartX + kBallStepX * correctKeys;
}

// The best run as a ghost: the moments (ms since "Go!!") its correct keys came, ascending.
class GhostTimeline {
  public:
    GhostTimeline() = default;  // no best yet: no ghost
    explicit GhostTimeline(QList<qint64> hitMs);
    static GhostTimeline FromGame(const PlayedGame& game);

    bool IsEmpty() const { return m_hitMs.isEmpty(); }
    int KeyCount() const { return int(m_hitMs.size()); }
    // The ghost's k-th correct key (1-based).
    qint64 HitMs(int k) const { return m_hitMs[k - 1]; }
    // Correct keys the ghost has typed at `elapsedMs` (a key counts from its own moment on).
    int HitsAt(qint64 elapsedMs) const;
    // The next moment after `elapsedMs` at which the ghost moves; nullopt once it has finished.
    std::optional<qint64> NextStepAfter(qint64 elapsedMs) const;
    // The player's k-th correct key came at `playerMs`: how far behind (positive) or ahead
    // (negative) of the ghost's k-th. nullopt when the ghost never typed that many.
    std::optional<qint64> GapAtKey(int k, qint64 playerMs) const;

  private:
    QList<qint64> m_hitMs;
};

// Which side of the best a gap lies, once rounded to the hundredths it is shown with.
enum class GapSide { Ahead, Even, Behind };
GapSide SideOfGap(qint64 gapMs);
// "−0.84秒" (ahead, with a true minus sign), "+1.20秒" (behind), "±0.00秒" (even).
QString FormatGap(qint64 gapMs);
// "ベスト比 " followed by the gap.
QString GapLine(qint64 gapMs);
// Said once when there is no best run of the genre to race.
QString NoBestText();

// One question of this run against the best run's question at the same place.
struct Split {
    int seq = 0;
    QString text;              // this run's question
    std::optional<qint64> ms;  // time on it: shown to its last key (or to the finish)
    bool completed = false;    // typed to its end (the last one is cut off by the finish)
    std::optional<qint64> bestMs;
    bool bestCompleted = false;
    std::optional<qint64> diffMs;        // ms - bestMs, when both were typed to their end
    std::optional<qint64> cumulativeMs;  // at the end of this question: this run's time - best's
    bool largeLoss = false;              // among the largest losses of the run
};

// Splits of `run` against `best`, with the `marked` largest positive differences marked.
QList<Split> ComputeSplits(const PlayedGame& run, const PlayedGame& best, int marked = 3);

// Gathers a game from the play notifications, so the result screen can show splits of the run
// just finished without waiting for the record to be stored.
class RunCollector : public PlayObserver {
  public:
    void OnGameBegun(const GameBegun& e) override;
    void OnQuestionShown(const QuestionShown& e) override;
    void OnKeyJudged(const KeyJudged& e) override;
    void OnQuestionEnded(const QuestionEnded& e) override;
    void OnGameEnded(const GameEnded& e) override;
    void OnGameSettled(const GameSettled& e) override;

    const PlayedGame& Game() const { return m_game; }
    bool Finished() const { return m_finished; }  // ended and not abandoned

  private:
    // Ticks are differenced as the 32-bit counter they come from, so a wrap does not matter.
    qint64 Since(qint64 tick) const {
        return std::max<qint32>(0, qint32(quint32(tick) - quint32(m_beginTick)));
    }
    PlayedGame m_game;
    qint64 m_beginTick = 0;
    bool m_finished = false;
};

}  // namespace kd
