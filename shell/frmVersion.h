#pragma once
#include <array>

#include "platform/widgets/FormBase.h"

class QLabel;
class QPushButton;

namespace kd {

// The version box, modal over the main menu.
class frmVersion : public FormBase {
    Q_OBJECT
  public:
    frmVersion(AppContext& ctx, QWidget* owner);

  protected:
    void Form_Load() override;
    void Form_KeyDown(int KeyCode, int Shift) override;

  private:
    void cmdOK_Click() { Unload(); }

    std::array<QLabel*, 4> lblTitle{};
    QLabel* imgIcon;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QPushButton* cmdOK;
};

}  // namespace kd
