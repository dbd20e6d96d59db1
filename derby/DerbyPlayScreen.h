#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>
#include <memory>

#include "play/PlayScreen.h"

class QPushButton;

namespace kd {

class DrawingArea;
class PlayerPower;
class PowerMeter;

// What the race and the boss battle add to the play core: the power display, the retry/back
// buttons, the movement timer, the music and the power rules for wrong keys, the genre of
// the derby. The two screens differ in their Init, in what a correct key moves, in their
// movement tick and in how the end is settled.
class DerbyPlayScreen : public PlayScreen {
    Q_OBJECT
  public:
    // Where a derby screen puts its parts. The ground is the track: its size is the distance
    // the runners cover.
    struct Layout {
        QSize client;
        QRect powerFrame, powerBar;
        QPoint panel;
        QRect buttonFrame;
        QPoint retry, back;
        QRect ground;
    };
    // The two screens side by side: the race (network races show the same track) and the boss.
    // clang-format off
    //                                  client      power frame       power bar         panel     buttons             retry      back       ground
    static constexpr Layout kRaceLayout{{664, 411}, {3, 3, 151, 121}, {9, 75, 136, 19}, {156, 3}, {564, 3, 97, 121},  {573, 39}, {573, 75}, {6, 129, 652, 277}};
    static constexpr Layout kBossLayout{{708, 428}, {3, 3, 160, 121}, {6, 84, 151, 19}, {168, 3}, {576, 3, 127, 121}, {600, 36}, {600, 72}, {3, 129, 700, 295}};
    // clang-format on

    ~DerbyPlayScreen() override;

  protected:
    DerbyPlayScreen(AppContext& ctx, Screen screen, const QString& caption, const Layout& layout,
                    GameMode mode);

    virtual void Init() = 0;
    virtual QString MusicName() const = 0;
    // A correct key moved the player; true when it ended the play (nothing else for this key).
    virtual bool StepPlayer() = 0;
    virtual void MoveOpponents() = 0;

    void OnLoad() override { Init(); }
    void ReportBegun() override;
    void OnGo() override;
    bool AfterKey(bool hit) override;
    void Retry() override;
    void Back() override;
    void OnClosedByPlayer() override;

    // The resting state every Init shares: labels, the power given, timers stopped, retry
    // disabled.
    void ResetPlayControls(const QString& restingText, const PlayerPower& fullPower);
    void LoadGenre();
    // The play has ended by the player's or the boss's last step: music off, movement
    // stopped, the verdict shown until the finish timer settles it.
    void EndWithVerdict(const QColor& color, const QString& text, bool clearInput);
    // Music off before the next screen starts its own, then hand over.
    void LeaveTo(Screen next);
    // "You Lose!!": Yes plays again from the start, No leaves for the main menu.
    void AskToPlayAgain(const QString& question);

    QPushButton* retryButton;
    QPushButton* backButton;
    DrawingArea* track;
    Timer* moveTimer;
    std::unique_ptr<PowerMeter> power;

  private:
    void OutOfPower();
};

}  // namespace kd
