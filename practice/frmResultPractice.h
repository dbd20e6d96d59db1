#pragma once
#include <QDate>
#include <QLabel>
#include <QPushButton>

#include "platform/widgets/FormBase.h"

namespace kd {

// The result of a timed practice: its figures, and the last ten practices with this one
// on top. The history is written once, while loading.
class frmResultPractice : public FormBase {
    Q_OBJECT
  public:
    explicit frmResultPractice(AppContext& ctx);

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

  protected:
    void Form_Load() override;
    bool Form_QueryUnload(UnloadMode mode) override;

  private:
    void BuildControls();
    void cmdOK_Click();
};

}  // namespace kd
