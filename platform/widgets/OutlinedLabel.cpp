#include "platform/widgets/OutlinedLabel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStaticText>
#include <cmath>

namespace kd {

namespace {
// Wide enough to read as an edge around bold 18-pixel letters, thin enough to keep their shapes.
constexpr qreal kOutlineWidth = 3.0;
// Copies of the letters around the edge: enough that no gap shows at the corners of strokes.
constexpr int kOutlineSteps = 12;
}  // namespace

OutlinedLabel::OutlinedLabel(QWidget* parent, const QColor& outline) : QLabel(parent), m_outline(outline) {}

void OutlinedLabel::paintEvent(QPaintEvent*) {
    if (text().isEmpty()) return;
    QPainter p(this);
    const QTransform t = p.deviceTransform();
    const qreal scale = std::max<qreal>(1, std::hypot(t.m11(), t.m12()));
    // Everything the picture depends on; a change of any of them draws it again.
    const QString key = QStringLiteral("%1|%2x%3|%4|%5|%6|%7|%8")
                            .arg(text())
                            .arg(width())
                            .arg(height())
                            .arg(scale)
                            .arg(font().key())
                            .arg(palette().color(QPalette::WindowText).rgba())
                            .arg(m_outline.rgba())
                            .arg(int(alignment()));
    if (key != m_cacheKey) {
        m_cache = Render(scale);
        m_cacheKey = key;
    }
    p.drawImage(QPointF(0, 0), m_cache);
}

QImage OutlinedLabel::Render(qreal scale) const {
    const QString t = text();
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
    QImage img(QSize(std::ceil(this->width() * scale), std::ceil(height() * scale)),
               QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(scale);
    img.fill(Qt::transparent);
    // The edge is the letters drawn in its colour around a small circle, the letters on top:
    // glyphs from the font cache, far cheaper than stroking their outlines as a path.
    QStaticText letters(t);
    letters.setTextFormat(Qt::PlainText);
    QPainter p(&img);
    p.setFont(font());
    letters.prepare(p.transform(), font());
    const QPointF at(x, baseline - fm.ascent());
    const qreal r = kOutlineWidth / 2;
    p.setPen(m_outline);
    for (int i = 0; i < kOutlineSteps; ++i) {
        const qreal angle = 2 * M_PI * i / kOutlineSteps;
        p.drawStaticText(at + QPointF(r * std::cos(angle), r * std::sin(angle)), letters);
    }
    p.setPen(palette().color(QPalette::WindowText));
    p.drawStaticText(at, letters);
    return img;
}

}  // namespace kd
