#pragma once
#include <QLabel>
#include <array>

#include "platform/widgets/FormBase.h"
#include "platform/widgets/Timer.h"

namespace kd {

// Names the coming heat for a second, then opens the race (heats 1-5) or the boss (heat 6).
class frmHeatInfo : public FormBase {
    Q_OBJECT
  public:
    explicit frmHeatInfo(AppContext& ctx);

    std::array<QLabel*, 5> lblHeatInfo{};
    Timer* tmrTimeOut;

  protected:
    void Form_Load() override;
    void Form_KeyDown(int KeyCode, int Shift) override;
    bool Form_QueryUnload(UnloadMode mode) override;

  private:
    void tmrTimeOut_Timer();
    Screen NextScreen() const;
};

}  // namespace kd
