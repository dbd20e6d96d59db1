#pragma once
#include <QLabel>
#include <QPushButton>

#include "common/PracticeRecords.h"
#include "platform/widgets/FormBase.h"

namespace kd {

class Timer;
class TypingPanel;

// The practice screen: questions of the chosen genre against a countdown (or without a
// limit); when the time is up the result screen takes over.
class frmPractice : public FormBase {
    Q_OBJECT
  public:
    explicit frmPractice(AppContext& ctx);

    // The start state; run by loading and by retry.
    void Init();
    // Shows a setting on this screen: genre of the question bank, the summary, the
    // remaining time and the Tag. Loading and the settings dialog both use it.
    void ShowSetting(const PracticeTimeData& setting);

    bool Playing = false;
    qint32 StartTick = -1;  // -1: no countdown runs

    TypingPanel* Picture2;
    QLabel* lblNokoriJikan;
    QLabel* lblNokori;
    QLabel* Label1;
    QWidget* pctStateShow;
    QLabel* lblGuide;
    QLabel* lblPracticeTime;
    QLabel* lblGenre;
    QPushButton* cmdBack;
    QPushButton* cmdRetry;
    QPushButton* cmdPracticeTime;
    Timer* tmrReadyGo;
    Timer* tmrFinish;
    Timer* tmrCountdown;  // refreshes lblNokori from the tick counter while a limit runs

  protected:
    void Form_Load() override;
    void Form_KeyDown(int KeyCode, int Shift) override;
    void Form_KeyPress(int KeyAscii) override;
    bool Form_QueryUnload(UnloadMode mode) override;
    void Form_Unload() override;

  private:
    void BuildControls();
    void cmdBack_Click();
    void cmdRetry_Click() { Init(); }
    void cmdPracticeTime_Click();
    void tmrReadyGo_Timer();
    void tmrCountdown_Timer();
    void tmrFinish_Timer();
    void StopCountdown();
    void TimeUp();

    qint32 m_limitMs = 0;
};

}  // namespace kd
