#include "platform/widgets/Controls.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>

#include "platform/widgets/Zoom.h"

namespace kd {

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption, int x, int y, int w, int h) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    if (w < 0 || h < 0) {
        l->adjustSize();
        l->move(x, y);
        if (w >= 0) l->resize(w, l->height());
        if (h >= 0) l->resize(l->width(), h);
    } else {
        l->setGeometry(x, y, w, h);
    }
    return l;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption, int x, int y, int w,
                        int h) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, w, h);
    return b;
}

QFrame* MakeOutline(QWidget* parent, const QString& name, const QRect& r, const QColor& line) {
    auto* f = new QFrame(parent);
    f->setObjectName(name);
    f->setGeometry(r);
    // No name in the selector: the frame styles itself only.
    f->setStyleSheet(QStringLiteral("QFrame { border: 1px solid %1; }").arg(line.name()));
    return f;
}

void SetForeColor(QWidget* w, const QColor& color) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, color);
    pal.setColor(QPalette::ButtonText, color);
    pal.setColor(QPalette::Text, color);
    w->setPalette(pal);
}

QColor ForeColor(const QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

void SetBackColor(QWidget* w, const QColor& color) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, color);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

void SetPixelFont(QWidget* w, int pixelSize, bool bold) {
    QFont f = w->font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    w->setFont(f);
}

void NoFocusButtons(QWidget* form) {
    for (QPushButton* b : form->findChildren<QPushButton*>()) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setDefault(false);
    }
}

DrawingArea::DrawingArea(QWidget* parent, const QString& name, int x, int y, int w, int h) : QWidget(parent) {
    setObjectName(name);
    setGeometry(x, y, w, h);
    if (Zoom* stage = Zoom::Instance())
        connect(stage, &Zoom::densityChanged, this, &DrawingArea::MatchDensity);
}

QImage& DrawingArea::BackBuffer() {
    if (m_canvas.isNull()) m_canvas = Composed();
    return m_canvas;
}

QImage DrawingArea::Composed() const {
    // The back buffer has the screen's pixel density, so pictures drawn at 2x stay sharp.
    const qreal dpr = PictureDensity();
    QImage image(qRound(width() * dpr), qRound(height() * dpr), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    QPainter p(&image);
    PaintBackground(p, rect());
    return image;
}

void DrawingArea::PaintBackground(QPainter& p, const QRegion& area) const {
    p.save();
    p.setClipRegion(area);
    // The back buffer is reset to the fill; the window keeps what is behind a clear fill.
    if (p.device() == &m_canvas) p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(area.boundingRect(), m_fill);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!m_background.isNull()) p.drawPixmap(0, 0, m_background);
    p.restore();
}

QImage DrawingArea::Canvas() const {
    return m_canvas.isNull() ? Composed() : m_canvas;
}

void DrawingArea::MatchDensity() {
    const qreal dpr = PictureDensity();
    if (m_canvas.isNull()) {
        update();
        return;
    }
    if (qFuzzyCompare(dpr, m_canvas.devicePixelRatio())) return;
    // The background is drawn afresh at the new density; what was drawn over it is carried over.
    const QImage old = m_canvas;
    const QRegion drawn = m_drawn;
    m_canvas = QImage(qRound(width() * dpr), qRound(height() * dpr), QImage::Format_ARGB32_Premultiplied);
    m_canvas.setDevicePixelRatio(dpr);
    m_allDirty = true;
    ClearToBackground();
    if (!drawn.isEmpty()) {
        QPainter p(&m_canvas);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const qreal od = old.devicePixelRatio();
        for (const QRect& r : drawn)
            p.drawImage(QRectF(r), old, QRectF(r.x() * od, r.y() * od, r.width() * od, r.height() * od));
        m_drawn = drawn;
    }
    update();
}

void DrawingArea::SetBackground(const QPixmap& picture) {
    m_background = picture;
    m_allDirty = true;
    UpdateOpaque();
    ClearToBackground();
}

void DrawingArea::SetFillColor(const QColor& color) {
    m_fill = color;
    m_allDirty = true;
    UpdateOpaque();
    ClearToBackground();
}

void DrawingArea::UpdateOpaque() {
    bool opaque = m_fill.alpha() == 255;
    const QSize covers = m_background.deviceIndependentSize().toSize();
    if (!opaque && !m_background.isNull() && covers.width() >= width() && covers.height() >= height()) {
        const QImage image = m_background.toImage();
        opaque = !image.hasAlphaChannel();
        if (!opaque) {
            // Pictures are stored with an alpha channel even when every pixel is solid.
            const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
            opaque = true;
            for (int y = 0; opaque && y < argb.height(); ++y) {
                const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
                for (int x = 0; x < argb.width(); ++x)
                    if (qAlpha(line[x]) != 255) {
                        opaque = false;
                        break;
                    }
            }
        }
    }
    setAttribute(Qt::WA_OpaquePaintEvent, opaque);
}

void DrawingArea::ClearToBackground() {
    // Only what was drawn since the last clear differs from the background, so only that is
    // restored and repainted: a moving sprite costs its own size, not the whole box.
    const QRegion dirty = m_allDirty ? QRegion(rect()) : m_drawn & rect();
    m_allDirty = false;
    m_drawn = QRegion();
    if (dirty.isEmpty()) return;
    if (!m_canvas.isNull()) {
        QPainter p(&m_canvas);
        PaintBackground(p, dirty);
    }
    update(dirty);
}

void DrawingArea::Drawn(const QRect& area) {
    m_drawn += area;
    update(area);
}

void DrawingArea::DrawPixmap(const QPixmap& picture, int x, int y) {
    QPainter p(&BackBuffer());
    p.drawPixmap(x, y, picture);
    Drawn(QRect(QPoint(x, y), picture.deviceIndependentSize().toSize()));
}

void DrawingArea::DrawLine(int x1, int y1, int x2, int y2, const QColor& color) {
    QPainter p(&BackBuffer());
    p.setPen(color);
    p.drawLine(x1, y1, x2, y2);
    Drawn(QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized().adjusted(-1, -1, 1, 1));
}

void DrawingArea::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (m_canvas.isNull()) {
        PaintBackground(p, event->region());
        return;
    }
    const qreal dpr = m_canvas.devicePixelRatio();
    for (const QRect& r : event->region())
        p.drawImage(r, m_canvas, QRectF(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr));
}

}  // namespace kd
