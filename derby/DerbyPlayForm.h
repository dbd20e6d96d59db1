#pragma once
#include <QPoint>
#include <QPushButton>
#include <QRect>
#include <QSize>

#include "common/PlayEvents.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/FormBase.h"
#include "platform/widgets/Timer.h"
#include "platform/widgets/TypingPanel.h"

namespace kd {

class PowerMeter;

// What the race and the boss battle share: the power display, the question panel, the
// retry/back buttons, the three timers (countdown, movement, finish), the keys and the
// countdown, the judging of typed keys with the power rules and the genre of the derby.
// The two screens differ in their Init, in what a correct key moves, in their movement tick
// and in how the end is settled.
class DerbyPlayForm : public FormBase {
    Q_OBJECT
  public:
    struct Layout {
        QSize client;
        QRect powerFrame, powerBar;
        QPoint panel;
        QRect buttonFrame;
        QPoint retry, back;
        QString backName;
        QRect ground;
    };

    ~DerbyPlayForm() override;

    TypingPanel* panel;
    QPushButton* cmdRetry;
    QPushButton* backButton;
    PictureBox* pctGround;
    Timer* tmrReadyGo;
    Timer* tmrCharaMove;
    Timer* tmrFinish;
    PowerMeter* power;

  protected:
    DerbyPlayForm(AppContext& ctx, const QString& formName, const QString& caption, const Layout& layout);

    virtual void Init() = 0;
    virtual GameMode Mode() const = 0;
    virtual QString MusicName() const = 0;
    // A correct key moved the player; true when it ended the play (nothing else for this key).
    virtual bool StepPlayer() = 0;
    virtual bool JudgingKeys() const { return tmrCharaMove->Enabled(); }
    virtual void tmrCharaMove_Timer() = 0;
    virtual void tmrFinish_Timer() = 0;

    void Form_Load() override;
    void Form_KeyDown(int KeyCode, int Shift) override;
    void Form_KeyPress(int KeyAscii) override;
    bool Form_QueryUnload(UnloadMode mode) override;
    void Form_Unload() override;

    // The resting state both Inits share: labels, power, timers stopped, retry disabled.
    void ResetPlayControls(const QString& restingText);
    void Read_GenreData();
    void cmdRetry_Click();
    void GoBack();
    // The play has ended by the player's or the boss's last step: music off, movement
    // stopped, the verdict shown, the finish timer settling it.
    void EndPlay(const QColor& color, const QString& text, bool clearInput);
    // Music off before the next screen starts its own, then hand over.
    void LeaveTo(const QString& next);
    bool AllTimersStopped() const;

  private:
    void tmrReadyGo_Timer();
    void OutOfPower();
};

}  // namespace kd
