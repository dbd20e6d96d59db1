#pragma once
#include <QPixmap>

#include "learning/GhostRun.h"
#include "platform/widgets/FormBase.h"
#include "timetrial/clsChara.h"

class QLabel;
class QPushButton;

namespace kd {

class GhostRunner;
class PictureBox;
class Timer;
class TypingPanel;

// The time trial: Space, "Ready..."/"Go!!", then every correct key pushes the ball 5 px along
// the track; the 114th correct key crosses the finish and the time goes to the result screen.
class frmTimeTrial : public FormBase {
    Q_OBJECT
  public:
    explicit frmTimeTrial(AppContext& ctx);
    ~frmTimeTrial() override;

    // The genre dialog's OK: the next run plays this genre ("kannyouku" or "english").
    void ApplyGenre(const QString& genreKey);

    bool IsPlaying() const { return Playing; }
    qint16 GetCharaX() const { return CharaX; }
    clsChara objChara;

    // With the player's ghost option on, the best run of the genre races beside the ball.
    const GhostRunner& Ghost() const { return *m_ghost; }

    // The ball's left edge once it has crossed the finish: track width - ball - margin.
    static constexpr int kTrackWidth = 646;
    static constexpr int kBallSize = 64;
    static constexpr int kBallY = 93;
    static constexpr int kFinishX = kTrackWidth - kBallSize - 10;

  protected:
    void Form_Load() override;
    void Form_KeyDown(int KeyCode, int Shift) override;
    void Form_KeyPress(int KeyAscii) override;
    bool Form_QueryUnload(UnloadMode mode) override;
    void Form_Unload() override;

  private:
    void Read_GenreData();
    void cmdSetting_Click();
    void cmdRetry_Click();
    void Command1_Click();
    void tmrReadyGo_Timer();
    void tmrFinish_Timer();
    void tmrClock_Timer();
    void StartRun();
    void Finish();
    void ShowClock(qint32 elapsedMs);
    void ScheduleClock(qint32 elapsedMs);
    qint32 Elapsed() const;
    void Redraw();
    void LoadGhost();

    TypingPanel* Picture2;
    QLabel* lblKeikaJikan;
    PictureBox* pctBack;
    QLabel* pctChara;
    QPushButton* cmdSetting;
    QPushButton* cmdRetry;
    QPushButton* Command1;
    Timer* tmrReadyGo;
    Timer* tmrFinish;
    Timer* tmrClock;
    QPixmap imlChara;  // item 1: the ball, taken from pctChara at load

    bool Playing = false;
    qint32 StartTick = 0;  // -1 marks an abandoned run
    qint16 CharaX = 5;
    qint64 m_shownTenths = -1;  // tenths of a second on the clock, -1 while it is blank
    GhostRunner* m_ghost;
    RunCollector m_run;  // this run, for the splits against the best
};

}  // namespace kd
