#pragma once
#include <QDate>
#include <QLabel>
#include <QPushButton>

#include "platform/widgets/ScreenBase.h"
#include "practice/PracticeScreen.h"

namespace kd {

// The result of a timed practice: its figures, and the last ten practices with this one
// on top. The history is written once, while loading.
class PracticeResultScreen : public ScreenBase {
    Q_OBJECT
  public:
    explicit PracticeResultScreen(AppContext& ctx);

    // Today's date; tests pin it.
    static QDate (*CurrentDate)();

    QLabel* headingTexts[4];
    QLabel* totalKeysText;
    QLabel* correctCountText;
    QLabel* missCountText;
    QLabel* correctRateText;
    QLabel* practiceTimeText;
    QLabel* typesPerSecText;
    QLabel* genreText;
    QLabel* historyDates[10];
    QLabel* historyCorrectRates[10];
    QLabel* historyTypesPerSec[10];
    QLabel* historyPracticeTimes[10];
    QLabel* historyGenres[10];
    QPushButton* okButton;
    QLabel* retryHint;
    QLabel* drillResultText;

    // What the practice leaves beyond the figures: R retries its misses; after a drill, the
    // targets' miss rates before and in it.
    void ShowTraining(const PracticeTraining& training);

  protected:
    void OnLoad() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool MayClose(CloseReason reason) override;

  private:
    void BuildControls();
    void BackToPractice();
    void RetryMisses();

    PracticeTraining m_training;
};

}  // namespace kd
