#pragma once
#include <QLabel>
#include <QWidget>

#include "engine/PlayLabels.h"

namespace kd {

// The question panel every play screen shows: Picture2 (405 x 121, "BACKWALLPAPER") holding
// Picture3 (209 x 33 at 96,12, lblMonitor) and Picture4 (305 x 53 at 48,52, lblDisplay over
// lblInput), each box on "TYPINGWALLPAPER" with a dark grey shadow box (Picture6, Picture5)
// 4 pixels right and below. It is also the judge's view of the three play labels.
class TypingPanel : public QWidget, public PlayLabels {
    Q_OBJECT
  public:
    explicit TypingPanel(QWidget* parent);

    QLabel* lblMonitor;
    QLabel* lblDisplay;
    QLabel* lblInput;

    // Text colour of lblDisplay (red "Ready...", green "Go!!", white questions...).
    void SetDisplayColor(const QColor& color);
    QColor DisplayColor() const { return m_displayColor; }

    QString Display() const override { return lblDisplay->text(); }
    void SetDisplay(const QString& text) override { lblDisplay->setText(text); }
    QString Input() const override { return lblInput->text(); }
    void SetInput(const QString& text) override { lblInput->setText(text); }
    QString Monitor() const override { return lblMonitor->text(); }
    void SetMonitor(const QString& text) override { lblMonitor->setText(text); }

  private:
    QColor m_displayColor;
};

// The Space → "Ready..." (red, 1000 ms) → "Go!!" (green, 500 ms) → first question start that
// every play screen shares.
class Timer;
// The play core keeps the phase and calls these as it moves from one to the next.
void BeginReadyGo(TypingPanel& panel, Timer& tmrReadyGo);
void ShowGo(TypingPanel& panel, Timer& tmrReadyGo);

}  // namespace kd
