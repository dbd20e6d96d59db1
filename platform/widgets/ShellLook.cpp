#include "platform/widgets/ShellLook.h"

#include <QFile>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/SpokenParts.h"

namespace kd {

void StyleTitle(QLabel* title, QLabel* shadow, int pixelSize, QPoint at, int offset) {
    for (QLabel* l : {title, shadow}) {
        QFont f = l->font();
        f.setPixelSize(pixelSize);
        f.setBold(true);
        f.setItalic(true);
        l->setFont(f);
        l->setAlignment(Qt::AlignCenter);
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    SetForeColor(title, kTitleColor);
    SetForeColor(shadow, kShadowColor);
    title->move(at);
    shadow->move(at + QPoint(offset, offset));
    shadow->lower();
    MarkDecorative(shadow);
}

QPixmap ShellBackground(int width, int height) {
    if (QFile::exists(QStringLiteral(":/pictures/WALLPAPER.png")))
        return ScaledBitmap(QStringLiteral("WALLPAPER"), width, height);
    QPixmap pm(width, height);
    QPainter p(&pm);
    QLinearGradient grad(0, 0, 0, height);
    grad.setColorAt(0, kNightBlue);
    grad.setColorAt(1, QColor(8, 96, 48));
    p.fillRect(pm.rect(), grad);
    return pm;
}

}  // namespace kd
