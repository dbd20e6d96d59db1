// The clock's digits are drawn from cached glyphs: they must still land where a label puts its
// text, and text outside the cache (the unlimited practice's "無制限") must still be drawn.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "platform/widgets/CachedGlyphs.h"
#include "platform/widgets/Controls.h"

namespace kd {
namespace {

// The box around pixels of the text's colour (tolerant of anti-aliasing).
QRect Inked(const QImage& img, const QColor& ink) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (qAbs(c.green() - ink.green()) < 40 && qAbs(c.red() - ink.red()) < 60)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

TEST(ClockLabel, DrawsDigitsAndOtherTextWhereALabelWould) {
    const QColor ink(128, 255, 128);
    ClockLabel label;
    label.setGeometry(0, 0, 94, 24);
    label.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetPixelFont(&label, 18, true);
    SetForeColor(&label, ink);
    SetBackColor(&label, QColor(64, 64, 64));

    for (const QString& text : {QStringLiteral("123.4"), QStringLiteral("無制限")}) {
        label.setText(text);
        QImage img(label.size(), QImage::Format_ARGB32);
        label.render(&img);
        const QRect box = Inked(img, ink);
        ASSERT_FALSE(box.isEmpty()) << text.toStdString();
        EXPECT_GE(box.right(), label.width() - 4) << text.toStdString();  // right-aligned
        EXPECT_GT(box.top(), 0);                                          // centred, not clipped
        EXPECT_LT(box.bottom(), label.height() - 1);
        EXPECT_NEAR(box.width(), QFontMetricsF(label.font()).horizontalAdvance(text), 4)
            << text.toStdString();
    }
}

}  // namespace
}  // namespace kd
