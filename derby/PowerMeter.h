#pragma once
#include <QLabel>
#include <QProgressBar>
#include <QRect>
#include <QtGlobal>

namespace kd {

// The power display of the race and the boss battle: a grey frame (powerOutline) around
// "パワー：" (powerCaption), the number (powerValue) and the bar (powerBar). Power starts at
// 100; the labels turn red below 31 and stay red until the next Reset.
class PowerMeter {
  public:
    // frame and bar in form pixels; the labels sit at 9,15 and 9,42 on both screens.
    PowerMeter(QWidget* form, const QRect& frame, const QRect& bar);

    void Reset();
    // A wrong key. Returns true when the power is used up (the display then reads 0).
    bool Miss(qint16 missCost);
    qint16 Power() const { return m_power; }

    QLabel* powerCaption;
    QLabel* powerValue;
    QProgressBar* powerBar;

  private:
    void SetLabelColor(const QColor& color);
    qint16 m_power = 100;
    bool m_red = false;
};

}  // namespace kd
