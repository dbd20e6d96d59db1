#pragma once
#include <QLabel>
#include <QWidget>

#include "engine/PlayLabels.h"

namespace kd {

// The question panel every play screen shows: panel (405 x 121, "BACKWALLPAPER") holding
// questionBox (209 x 33 at 96,12, questionText) and readingBox (305 x 53 at 48,52, readingText over
// romajiTyped), each box on "TYPINGWALLPAPER" with a dark grey shadow box (questionShadow, readingShadow)
// 4 pixels right and below. It is also the judge's view of the three play labels.
class TypingPanel : public QWidget, public PlayLabels {
    Q_OBJECT
  public:
    explicit TypingPanel(QWidget* parent);

    QLabel* questionText;
    QLabel* readingText;
    QLabel* romajiTyped;
    // The idiom's English meaning under the reading box; made only for an English interface.
    QLabel* meaningText = nullptr;

    // Text colour of readingText (red "Ready...", green "Go!!", white questions...).
    void SetDisplayColor(const QColor& color);
    QColor DisplayColor() const { return m_displayColor; }

    QString Display() const override { return readingText->text(); }
    void SetDisplay(const QString& text) override { readingText->setText(text); }
    QString Input() const override { return romajiTyped->text(); }
    void SetInput(const QString& text) override { romajiTyped->setText(text); }
    QString Monitor() const override { return questionText->text(); }
    void SetMonitor(const QString& text) override;

  private:
    QColor m_displayColor;
};

// The Space → "Ready..." (red, 1000 ms) → "Go!!" (green, 500 ms) → first question start that
// every play screen shares.
class Timer;
// The play core keeps the phase and calls these as it moves from one to the next.
void BeginReadyGo(TypingPanel& panel, Timer& readyGoTimer);
void ShowGo(TypingPanel& panel, Timer& readyGoTimer);

}  // namespace kd
