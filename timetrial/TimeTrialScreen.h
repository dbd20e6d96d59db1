#pragma once
#include <QPixmap>
#include <memory>

#include "learning/GhostRun.h"
#include "play/PlayClock.h"
#include "play/PlayScreen.h"
#include "timetrial/TimeTrialRunner.h"

class QLabel;
class QPushButton;

namespace kd {

class GhostRunner;
class DrawingArea;

// The time trial: Space, "Ready..."/"Go!!", then every correct key pushes the ball 5 px along
// the track; the 114th correct key crosses the finish and the time goes to the result screen.
class TimeTrialScreen : public PlayScreen {
    Q_OBJECT
  public:
    explicit TimeTrialScreen(AppContext& ctx);
    ~TimeTrialScreen() override;

    // The genre dialog's OK: the next run plays this genre ("kannyouku" or "english").
    void ApplyGenre(const QString& genreKey);

    bool IsPlaying() const { return GetPhase() == Phase::Playing; }
    int GetCharaX() const { return CharaX; }
    TimeTrialRunner runner;

    // With the player's ghost option on, the best run of the genre races beside the ball.
    const GhostRunner& Ghost() const { return *m_ghost; }

    // The ball's left edge once it has crossed the finish: track width - ball - margin.
    static constexpr int kTrackWidth = 646;
    static constexpr int kBallSize = 64;
    static constexpr int kBallY = 93;
    static constexpr int kFinishX = kTrackWidth - kBallSize - 10;

  protected:
    void OnLoad() override;
    void OnSpace() override;
    void OnGo() override;
    bool AfterKey(bool hit) override;
    void OnFinished() override;
    void Retry() override;
    void Back() override;
    void OnClosedByPlayer() override;
    void OnClose() override;

  private:
    void LoadGenre();
    void ShowGenreDialog();
    void Finish();
    void Redraw();
    void LoadGhost();

    ClockLabel* elapsedTime;
    std::unique_ptr<PlayClock> m_clock;  // timer clockTimer
    DrawingArea* track;
    QLabel* ballSource;
    QPushButton* settingsButton;
    QPushButton* retryButton;
    QPushButton* backButton;
    QPixmap ballPicture;  // item 1: the ball, taken from ballSource at load

    int CharaX = 5;
    GhostRunner* m_ghost;
    RunCollector m_run;  // this run, for the splits against the best
    ulong m_goalKeyTime = 0;
};

}  // namespace kd
