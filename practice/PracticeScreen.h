#pragma once

#include <memory>
#include <optional>

#include "common/PracticeRecords.h"
#include "learning/Drill.h"
#include "learning/MissedQuestions.h"
#include "learning/PracticeSource.h"
#include "play/PlayClock.h"
#include "play/PlayScreen.h"

class QLabel;
class QPushButton;

namespace kd {

// What a practice leaves for its result screen beyond the figures: the questions missed (for a
// retry of exactly those) and, after a drill, its targets before and in this drill.
struct PracticeTraining {
    QList<QuestionShown> missed;
    QString judgeGenre;   // how the missed questions are judged: "kannyouku" or "english"
    QString recordGenre;  // the genre the record keeps: that, or an own set's "set:<id>"
    QList<WeakSpot> drillBefore;
    QList<WeakSpot> drillNow;
};

// The practice screen: questions of the chosen genre against a countdown (or without a
// limit); when the time is up the result screen takes over.
class PracticeScreen : public PlayScreen {
    Q_OBJECT
  public:
    explicit PracticeScreen(AppContext& ctx);
    ~PracticeScreen() override;

    // The start state; run by loading and by retry.
    void Init();
    // Shows a setting on this screen: genre of the question bank, the summary and the
    // remaining time. Loading and the settings dialog both use it.
    void ShowSetting(const PracticeTimeData& setting);

    bool IsPlaying() const { return GetPhase() == Phase::Playing; }
    // Tick count at Go; -1 while no countdown runs.
    qint32 GetStartTick() const { return StartTick; }

    // Plays only these questions, in order and again from the first, until the settings change:
    // the retry of the misses of the practice before.
    void PlayOnly(const QList<QuestionShown>& questions, const QString& judgeGenre,
                  const QString& recordGenre);
    const PracticeSource& Source() const { return m_source; }
    const DrillPlan& Plan() const { return m_plan; }

  protected:
    void OnLoad() override;
    void OnSpace() override;
    void ReportBegun() override;
    void OnGo() override;
    void NextQuestion() override;
    bool BeforeKey() override;
    void OnFinished() override;
    void Retry() override { Init(); }
    void Back() override;
    void OnClosedByPlayer() override;

  private:
    void BuildControls();
    void BuildSettingsPanel();
    void ShowSettingsDialog();
    void StopCountdown();
    void TimeUp();
    // Readies the questions of the chosen source: the drill's plan, the set's questions.
    void PrepareSource();
    void ShowGenre();
    void StopListening();

    ClockLabel* remainingTime;
    QLabel* practiceTimeText;
    QLabel* genreText;
    QLabel* drillTargetText;  // the drill's targets, or why it falls back
    QPushButton* backButton;
    QPushButton* retryButton;
    QPushButton* settingsButton;
    std::unique_ptr<PlayClock> m_clock;  // refreshes remainingTime while a limit runs (timer countdownTimer)

    qint32 StartTick = -1;
    qint16 m_practiceSec = 0;  // the setting read at Go

    PracticeSource m_source;
    DrillPlan m_plan;
    std::unique_ptr<DrillPicker> m_picker;  // the drill's or the set's draw
    QList<QuestionShown> m_setQuestions;
    std::optional<FixedQuestions> m_retry;
    QString m_retryGenre;
    int m_retryCount = 0;
    MissedQuestions m_missed;
    std::unique_ptr<DrillTally> m_tally;
};

}  // namespace kd
