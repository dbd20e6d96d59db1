#pragma once
#include <QLabel>
#include <array>

#include "platform/widgets/ScreenBase.h"
#include "platform/widgets/Timer.h"

namespace kd {

// Names the coming heat for a second, then opens the race (heats 1-5) or the boss (heat 6).
class HeatInfoScreen : public ScreenBase {
    Q_OBJECT
  public:
    explicit HeatInfoScreen(AppContext& ctx);

    std::array<QLabel*, 5> heatNames{};
    Timer* timeoutTimer;

  protected:
    void OnLoad() override;
    void OnKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    bool MayClose(CloseReason reason) override;

  private:
    void OpenHeat();
    Screen NextScreen() const;
};

}  // namespace kd
