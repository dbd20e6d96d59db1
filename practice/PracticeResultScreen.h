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

    QLabel* lblTitle[4];
    QLabel* lblAllType;
    QLabel* lblCorrectCount;
    QLabel* lblMissCount;
    QLabel* lblCorrectRate;
    QLabel* lblPracticeTime;
    QLabel* lblTypesPerSec;
    QLabel* lblGenre;
    QLabel* lblHistDate[10];
    QLabel* lblHistCRate[10];
    QLabel* lblHistTPS[10];
    QLabel* lblHistPTime[10];
    QLabel* lblHistGenre[10];
    QPushButton* cmdOK;
    QLabel* lblRetryHint;
    QLabel* lblDrillResult;

    // What the practice leaves beyond the figures: R retries its misses; after a drill, the
    // targets' miss rates before and in it.
    void ShowTraining(const PracticeTraining& training);

  protected:
    void OnLoad() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool MayClose(CloseReason reason) override;

  private:
    void BuildControls();
    void cmdOK_Click();
    void RetryMisses();

    PracticeTraining m_training;
};

}  // namespace kd
