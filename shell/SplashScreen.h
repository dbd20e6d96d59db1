#pragma once
#include "platform/widgets/ScreenBase.h"

class QLabel;

namespace kd {

class Timer;

// The splash: shows the title for 500 ms, then hands over to the player-name screen.
class SplashScreen : public ScreenBase {
    Q_OBJECT
  public:
    explicit SplashScreen(AppContext& ctx);

    static constexpr int kShowMs = 500;

  protected:
    void OnLoad() override;

  private:
    void OpenPlayerNameScreen();

    Timer* splashTimer;
    QLabel* titleText;
    QLabel* titleShadow;
    QLabel* versionText;
    QLabel* loadingText;
};

}  // namespace kd
