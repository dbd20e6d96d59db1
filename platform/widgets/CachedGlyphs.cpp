#include "platform/widgets/CachedGlyphs.h"

#include <QPainter>
#include <algorithm>

#include "platform/widgets/DirectPaint.h"

namespace kd {

bool CachedGlyphs::Cached(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= kFirst && c <= kLast; });
}

const QStaticText& CachedGlyphs::Glyph(char16_t c) const {
    const int i = c - kFirst;
    if (!m_ready[i]) {
        m_glyphs[i].setText(QString(QChar(c)));
        m_glyphs[i].setTextFormat(Qt::PlainText);
        m_glyphs[i].setPerformanceHint(QStaticText::AggressiveCaching);
        m_glyphs[i].prepare(QTransform(), m_font);
        m_advance[i] = m_metrics.horizontalAdvance(QChar(c));
        m_ready[i] = true;
    }
    return m_glyphs[i];
}

qreal CachedGlyphs::Width(QStringView text) const {
    if (!Cached(text)) return m_metrics.horizontalAdvance(text.toString());
    qreal w = 0;
    for (QChar c : text) {
        Glyph(c.unicode());
        w += m_advance[c.unicode() - kFirst];
    }
    return w;
}

qreal CachedGlyphs::Draw(QPainter& p, qreal x, qreal y, QStringView text) const {
    p.setFont(m_font);
    if (!Cached(text)) {
        const QString s = text.toString();
        p.drawText(QPointF(x, y + m_metrics.ascent()), s);
        return x + m_metrics.horizontalAdvance(s);
    }
    for (QChar c : text) {
        p.drawStaticText(QPointF(x, y), Glyph(c.unicode()));
        x += m_advance[c.unicode() - kFirst];
    }
    return x;
}

// Plain text: a label left to guess would look for markup in every new text.
ClockLabel::ClockLabel(QWidget* parent) : QLabel(parent), m_direct(new DirectPaint(this)) {
    setTextFormat(Qt::PlainText);
}

void ClockLabel::ShowClockText(const QString& text) {
    if (text == this->text()) return;
    // Only a plain filled box is drawn whole by the direct put.
    if (!updatesEnabled() || !autoFillBackground() || frameShape() != QFrame::NoFrame) {
        setText(text);
        return;
    }
    // The text changes without asking for a repaint; the direct put, or else update(), shows it.
    setAttribute(Qt::WA_UpdatesDisabled, true);
    setText(text);
    setAttribute(Qt::WA_UpdatesDisabled, false);
    const bool put = m_direct->Put([this](QPainter& p) {
        p.fillRect(rect(), palette().brush(backgroundRole()));
        DrawText(p);
    });
    if (!put) update(contentsRect());
}

void ClockLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    DrawText(p);
}

void ClockLabel::DrawText(QPainter& p) {
    const QString t = text();
    if (t.isEmpty()) return;
    if (!m_glyphs) m_glyphs = std::make_unique<CachedGlyphs>(font());
    const QRectF area = contentsRect();
    const qreal w = m_glyphs->Width(t);
    const Qt::Alignment a = alignment();
    const qreal x = a & Qt::AlignRight     ? area.right() + 1 - w
                    : a & Qt::AlignHCenter ? area.center().x() - w / 2
                                           : area.left();
    const qreal y = a & Qt::AlignTop      ? area.top()
                    : a & Qt::AlignBottom ? area.bottom() + 1 - m_glyphs->LineHeight()
                                          : area.top() + (area.height() - m_glyphs->LineHeight()) / 2;
    p.setPen(palette().color(foregroundRole()));
    m_glyphs->Draw(p, x, y, t);
}

void ClockLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) m_glyphs.reset();
    QLabel::changeEvent(event);
}

}  // namespace kd
