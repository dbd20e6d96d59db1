#pragma once
#include <QColor>
#include <QString>
#include <memory>

#include "common/PlayEvents.h"
#include "platform/widgets/ScreenBase.h"

namespace kd {

class ClockLabel;
class GuideStrip;
class Timer;
class TypingPanel;

// What every play screen (practice, time trial, race, boss) shares: the phase of play and
// the one place that decides what Space, Esc, Backspace and a typed key do in it; "Ready..."/
// "Go!!", the questions, the judging, the end of play with its verdict and the reports to
// whoever listens. A screen adds its own track, power, clock and result through the hooks.
class PlayScreen : public ScreenBase {
    Q_OBJECT
  public:
    enum class Phase {
        Idle,       // resting: Space starts
        Ready,      // "Ready..." for a second
        Go,         // "Go!!" for half a second
        Playing,    // keys are judged
        Finishing,  // the verdict is on show until the finish timer fires
        Finished,   // settled: the screen asks, or hands over
    };
    Phase GetPhase() const { return m_phase; }
    // The stored genre key of the questions played ("kannyouku" or "english").
    QString PlayedGenreKey() const { return genreKey; }

  protected:
    // finishMs: how long the verdict stays before OnFinished.
    PlayScreen(AppContext& ctx, Screen screen, GameMode mode, int finishMs);
    ~PlayScreen() override;

    // The question panel, placed by the screen.
    TypingPanel* panel;

    // The clock box left of the panel: a caption above the digits (right-aligned, bold, on dark
    // grey) and "秒" after them. Practice and time trial differ only in words, sizes and green.
    struct ClockLook {
        const char* captionName;
        QString caption;
        int captionX, captionPx;
        const char* digitsName;
        int digitsPx;
        QColor digitsColor;
        int unitPx;
    };
    ClockLabel* MakeClockBox(const ClockLook& look);
    Timer* readyGoTimer;
    Timer* finishTimer;
    // The stored genre key of the questions played ("kannyouku" or "english").
    QString genreKey;

    // ---- What a screen adds ----
    // "Ready..." is starting (Space at rest, or StartReadyGo).
    virtual void OnSpace() {}
    // Whether Space at rest starts the play; a screen whose start is called by someone else
    // (a network race) says no and calls StartReadyGo itself.
    virtual bool StartsOnSpace() const { return true; }
    // Puts the next question up and tells the listeners; a screen that deals its own
    // questions (the same for every player of a network race) overrides it.
    virtual void NextQuestion();
    // Play has just begun; the first question is up.
    virtual void OnGo() = 0;
    // Tells the listeners that a game begins (a screen with more to say overrides it).
    virtual void ReportBegun();
    // Before a typed key is judged; false when the key belongs to no game any more.
    virtual bool BeforeKey() { return true; }
    // After the judge; false when this key ended the play.
    virtual bool AfterKey(bool hit) {
        Q_UNUSED(hit);
        return true;
    }
    // The verdict has been on show for finishMs.
    virtual void OnFinished() = 0;
    // Esc and Backspace.
    virtual void Retry() = 0;
    virtual void Back() = 0;

    // ---- Steps written once ----
    // "Ready...", then "Go!!": what Space does at rest.
    void StartReadyGo();
    // The resting state: any game on is abandoned, Ready/Go and the verdict stopped.
    void RestPlay();
    // Play ends with a verdict on the panel: listeners told, finish timer (re)started.
    void ShowVerdict(const QColor& color, const QString& text, bool clearInput);
    // Play ends without a verdict (out of power): listeners told, nothing more to come.
    void EndPlay();
    // Any game on is abandoned and the next screen takes over.
    ScreenBase* LeaveTo(Screen next);
    void SetPhase(Phase phase) { m_phase = phase; }
    GameMode Mode() const { return m_mode; }

    void OnKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void OnKeyTyped(int character) override;
    bool MayClose(CloseReason reason) override;
    void OnClose() override;
    // With the guide on, its strip is put under the question panel of the finished layout.
    void AfterLoad() override;
    // The window closed by the player: where to go (every play screen goes back somewhere).
    virtual void OnClosedByPlayer() = 0;

  private:
    void StepReadyGo();
    void EndFinishing();
    // Makes a row of the strip's height under the panel: what lies below moves down, what
    // reaches across grows, and so does the window.
    void MakeGuideRow();
    // "かな入力" on the screen while the player types readings with kana keys.
    void MakeKanaInputMark();
    void RefreshGuide();

    std::unique_ptr<GuideStrip> m_guide;

    GameMode m_mode;
    Phase m_phase = Phase::Idle;
};

}  // namespace kd
