#pragma once

#include "common/PracticeRecords.h"
#include "play/PlayClock.h"
#include "play/PlayForm.h"

class QLabel;
class QPushButton;

namespace kd {

// The practice screen: questions of the chosen genre against a countdown (or without a
// limit); when the time is up the result screen takes over.
class frmPractice : public PlayForm {
    Q_OBJECT
  public:
    explicit frmPractice(AppContext& ctx);

    // The start state; run by loading and by retry.
    void Init();
    // Shows a setting on this screen: genre of the question bank, the summary and the
    // remaining time. Loading and the settings dialog both use it.
    void ShowSetting(const PracticeTimeData& setting);

    bool IsPlaying() const { return GetPhase() == Phase::Playing; }
    // Tick count at Go; -1 while no countdown runs.
    qint32 GetStartTick() const { return StartTick; }

  protected:
    void Form_Load() override;
    void OnSpace() override;
    void ReportBegun() override;
    void OnGo() override;
    bool BeforeKey() override;
    void OnFinished() override;
    void Retry() override { Init(); }
    void Back() override;
    void OnClosedByPlayer() override;

  private:
    void BuildControls();
    void cmdPracticeTime_Click();
    void StopCountdown();
    void TimeUp();

    QLabel* lblNokori;
    QLabel* lblPracticeTime;
    QLabel* lblGenre;
    QPushButton* cmdBack;
    QPushButton* cmdRetry;
    QPushButton* cmdPracticeTime;
    PlayClock* m_clock = nullptr;  // refreshes lblNokori while a limit runs (timer tmrCountdown)

    qint32 StartTick = -1;
    qint16 m_practiceSec = 0;  // the setting read at Go
};

}  // namespace kd
