#pragma once
#include <array>

#include "platform/widgets/ScreenBase.h"

class QLabel;
class QPushButton;

namespace kd {

// The version box, modal over the main menu.
class AboutBox : public ScreenBase {
    Q_OBJECT
  public:
    AboutBox(AppContext& ctx, QWidget* owner);

  protected:
    void OnLoad() override;
    void OnKeyDown(int key, Qt::KeyboardModifiers modifiers) override;

  private:
    void cmdOK_Click() { CloseScreen(); }

    std::array<QLabel*, 4> lblTitle{};
    QLabel* imgIcon;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QPushButton* cmdOK;
};

}  // namespace kd
