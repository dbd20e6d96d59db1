#include "platform/widgets/OutlinedLabel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace kd {

namespace {
// Wide enough to read as an edge around bold 18-pixel letters, thin enough to keep their shapes.
constexpr qreal kOutlineWidth = 3.0;
}  // namespace

OutlinedLabel::OutlinedLabel(QWidget* parent, const QColor& outline) : QLabel(parent), m_outline(outline) {}

void OutlinedLabel::paintEvent(QPaintEvent*) {
    const QString t = text();
    if (t.isEmpty()) return;
    const QFontMetricsF fm(font());
    const QRectF area = contentsRect();
    const qreal width = fm.horizontalAdvance(t);
    const Qt::Alignment a = alignment();
    const qreal x = a & Qt::AlignLeft    ? area.left()
                    : a & Qt::AlignRight ? area.right() - width
                                         : area.center().x() - width / 2;
    const qreal baseline = a & Qt::AlignTop      ? area.top() + fm.ascent()
                           : a & Qt::AlignBottom ? area.bottom() - fm.descent()
                                                 : area.center().y() + (fm.ascent() - fm.descent()) / 2;
    QPainterPath path;
    path.addText(QPointF(x, baseline), font(), t);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.strokePath(path, QPen(m_outline, kOutlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.fillPath(path, palette().color(QPalette::WindowText));
}

}  // namespace kd
