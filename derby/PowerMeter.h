#pragma once
#include <QLabel>
#include <QProgressBar>
#include <QRect>

namespace kd {

class PlayerPower;

// The power display of the race and the boss battle: a grey frame (powerOutline) around
// "パワー：" (powerCaption), the number (powerValue) and the bar (powerBar). It shows the
// power it is given: green, red while the power is low.
class PowerMeter {
  public:
    // frame and bar in form pixels; the labels sit at 9,15 and 9,42 on both screens.
    PowerMeter(QWidget* form, const QRect& frame, const QRect& bar);

    void Show(const PlayerPower& power);

    QLabel* powerCaption;
    QLabel* powerValue;
    QProgressBar* powerBar;

  private:
    void SetLabelColor(const QColor& color);
    bool m_red = false;
};

}  // namespace kd
