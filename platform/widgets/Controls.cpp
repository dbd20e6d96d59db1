#include "platform/widgets/Controls.h"

#include <QGuiApplication>
#include <QPainter>

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

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption, int x, int y, int w, int h) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, w, h);
    return b;
}

void SetForeColor(QWidget* w, const QColor& color) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, color);
    pal.setColor(QPalette::ButtonText, color);
    pal.setColor(QPalette::Text, color);
    w->setPalette(pal);
}

QColor ForeColor(const QWidget* w) { return w->palette().color(QPalette::WindowText); }

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

PictureBox::PictureBox(QWidget* parent, const QString& name, int x, int y, int w, int h) : QWidget(parent) {
    setObjectName(name);
    setGeometry(x, y, w, h);
    // The back buffer has the screen's pixel density, so pictures drawn at 2x stay sharp.
    const qreal dpr = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    m_canvas = QImage(qRound(w * dpr), qRound(h * dpr), QImage::Format_ARGB32_Premultiplied);
    m_canvas.setDevicePixelRatio(dpr);
    Cls();
}

void PictureBox::SetBackground(const QPixmap& picture) {
    m_background = picture;
    Cls();
}

void PictureBox::SetFillColor(const QColor& color) {
    m_fill = color;
    Cls();
}

void PictureBox::Cls() {
    m_canvas.fill(m_fill);
    if (!m_background.isNull()) {
        QPainter p(&m_canvas);
        p.drawPixmap(0, 0, m_background);
    }
    update();
}

void PictureBox::DrawPicture(const QPixmap& picture, int x, int y) {
    QPainter p(&m_canvas);
    p.drawPixmap(x, y, picture);
    update();
}

void PictureBox::DrawLine(int x1, int y1, int x2, int y2, const QColor& color) {
    QPainter p(&m_canvas);
    p.setPen(color);
    p.drawLine(x1, y1, x2, y2);
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, m_canvas);
}

}  // namespace kd
