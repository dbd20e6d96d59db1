#pragma once
#include <QColor>
#include <QImage>
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
    // The outlined letters drawn at a device scale: an outline is a stroked path, too costly
    // to build again each time the panel around the label repaints.
    QImage Render(qreal scale) const;

    QColor m_outline;
    QImage m_cache;
    QString m_cacheKey;
};

}  // namespace kd
