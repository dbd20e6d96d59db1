#pragma once
#include <optional>

#include "common/TimeTrialRecords.h"
#include "learning/PlayedGame.h"
#include "platform/widgets/ScreenBase.h"
#include "questions/Genre.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kd {

class Timer;
struct TimeTrialOutcome;

// The run's figures, score and grade; a run that makes the ten best takes a name and is
// written to DATA/TimeTrialData.
class TimeTrialResultScreen : public ScreenBase {
    Q_OBJECT
  public:
    explicit TimeTrialResultScreen(AppContext& ctx);

    const TimeTrialTable& Ranking() const { return RankData; }

    // The genre the run was played in; the new ranking entry is stored under it (without
    // one, under the genre of the question bank).
    void SetRunGenre(std::optional<Genre> genre) { m_runGenre = genre; }

    // With the ghost on: the line "ベスト比 ±x.xx秒" against the best that was raced, and F3
    // for the question-by-question table.
    void ShowBestComparison(const PlayedGame& run, const std::optional<PlayedGame>& best);
    QWidget* OpenSplits();  // nullptr when there is no best to compare with

    // Keys pressed before goalKeyTime + kGoalBurstMs belong to the finishing burst: a fast
    // finisher's last keys may still be on their way when this screen comes up. They never
    // reach the name box or the buttons. Times are the window system's (QInputEvent::timestamp).
    static constexpr ulong kGoalBurstMs = 500;
    void IgnoreGoalBurst(ulong goalKeyTime);

  protected:
    void OnLoad() override;
    bool MayClose(CloseReason reason) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void OnClose() override;

  private:
    QLabel* StatLabel(QWidget* panel, const QString& name, const QString& shadowName, int x, int y, int w);
    void ShowStatistics(const TimeTrialOutcome& r);
    void CheckNameEdit(const QString& text);
    void ConfirmResult();
    void AskTryAgain();

    QLabel* totalKeysText;
    QLabel* correctCountText;
    QLabel* missCountText;
    QLabel* correctRateText;
    QLabel* timeText;
    QLabel* typesPerSecText;
    QLabel* scoreText;
    QLabel* gradeText;
    QLabel* placeText;
    QLabel* madeRankingText;
    QLabel* namePrompt;
    QLineEdit* nameEdit;
    QPushButton* okButton;
    Timer* blinkTimer;
    QLabel* m_panel = nullptr;
    QLabel* bestGapText = nullptr;
    QLabel* splitsHint = nullptr;
    PlayedGame m_run;
    std::optional<PlayedGame> m_best;

    TimeTrialTable RankData;
    std::optional<Genre> m_runGenre;
    TimeTrialRecord m_entry;
    QString m_acceptedName;  // the name box's last text that the record can hold
    bool m_kana = false;     // the run was typed with kana keys
    bool m_done = false;     // OK has run; the close that follows must not run it again
    std::optional<ulong> m_burstEnd;
};

}  // namespace kd
