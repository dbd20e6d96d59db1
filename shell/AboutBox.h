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
    void Dismiss() { CloseScreen(); }

    std::array<QLabel*, 4> headingTexts{};
    QLabel* appIcon;
    QLabel* authorText;
    QLabel* presentedByText;
    QLabel* sinceText;
    QPushButton* okButton;
};

}  // namespace kd
