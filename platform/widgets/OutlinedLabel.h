#pragma once
#include <QColor>
#include <QLabel>

namespace kd {

// A one-line label whose letters carry a thin outline of another colour, so text keeps its
// colour and still stands out from a background of similar lightness.
class OutlinedLabel : public QLabel {
    Q_OBJECT
  public:
    OutlinedLabel(QWidget* parent, const QColor& outline);
    QColor Outline() const { return m_outline; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor m_outline;
};

}  // namespace kd
