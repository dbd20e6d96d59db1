// On X11 the clock's new digits go straight to its window. What lands there must be what Qt
// would paint, where Qt would paint it; a covered or hidden clock must leave the screen alone.
// These cases need a real X server: the suite runs them once more under Xvfb.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtTest/QTest>

#include "platform/widgets/CachedGlyphs.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/DirectPaint.h"

#if defined(KD_DIRECT_X11)
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace kd {
namespace {

class DirectPaintX11 : public ::testing::Test {
  protected:
    void SetUp() override {
#if defined(KD_DIRECT_X11)
        if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs an X server";
#else
        GTEST_SKIP() << "built without X11";
#endif
        window.resize(200, 100);
        SetBackColor(&window, QColor(20, 40, 100));
        label = new ClockLabel(&window);
        label->setGeometry(9, 66, 94, 24);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        SetPixelFont(label, 18, true);
        SetForeColor(label, QColor(128, 255, 128));
        SetBackColor(label, QColor(64, 64, 64));
        label->setText(QStringLiteral("0.0"));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(50);  // the first paint reaches the screen
    }

    // What the X server shows of a window in r (its coordinates).
    static QImage Screen(QRect r, const QWidget* of) {
        QImage out;
#if defined(KD_DIRECT_X11)
        auto* c = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
        const auto cookie =
            xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, xcb_window_t(of->winId()), qint16(r.x()),
                          qint16(r.y()), quint16(r.width()), quint16(r.height()), ~0u);
        auto* reply = xcb_get_image_reply(c, cookie, nullptr);
        if (!reply) return out;
        out = QImage(xcb_get_image_data(reply), r.width(), r.height(), r.width() * 4, QImage::Format_RGB32)
                  .copy();
        std::free(reply);
#else
        Q_UNUSED(r);
#endif
        return out;
    }

    // The largest difference of a colour channel between two images of one size.
    static int Difference(const QImage& a, const QImage& b) {
        if (a.isNull() || a.size() != b.size()) return 256;
        int most = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                most = std::max(
                    {most, qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)), qAbs(qBlue(p) - qBlue(q))});
            }
        return most;
    }

    // The label as the screen shows it, painted by Qt.
    static QImage Painted(QWidget* window, QRect r) {
        return window->grab(r).toImage().convertToFormat(QImage::Format_RGB32);
    }

    QWidget window;
    ClockLabel* label = nullptr;
};

TEST_F(DirectPaintX11, NewDigitsReachTheScreenAtOnceAsQtWouldPaintThem) {
    for (const QString& text : {QStringLiteral("123.4"), QStringLiteral("7.5"), QStringLiteral("無制限")}) {
        label->ShowClockText(text);
        ASSERT_EQ(label->text(), text);
        // No event has been processed: only a direct put can have changed the screen.
        const QImage shown = Screen(label->geometry(), &window);
        const QImage painted = Painted(label, label->rect());
        EXPECT_LE(Difference(shown, painted), 8) << text.toStdString();
    }
    // Qt's own repaint afterwards (an expose, a grab of the window) shows the same.
    QTest::qWait(50);
    EXPECT_LE(Difference(Screen(label->geometry(), &window), Painted(&window, label->geometry())), 8);
}

TEST_F(DirectPaintX11, ACoveredOrHiddenWidgetIsLeftToTheUsualRepaint) {
    DirectPaint direct(label);
    const auto red = [this](QPainter& p) { p.fillRect(label->rect(), Qt::red); };
    EXPECT_TRUE(direct.Put(red));
    EXPECT_EQ(Screen(label->geometry(), &window).pixel(5, 5), qRgb(255, 0, 0));

    QWidget cover(&window);
    SetBackColor(&cover, QColor(0, 200, 0));
    cover.setGeometry(50, 60, 40, 40);  // over the label's right part
    cover.show();
    QTest::qWait(50);
    const QRgb underCover = Screen(QRect(60, 70, 1, 1), &window).pixel(0, 0);
    EXPECT_FALSE(direct.Put(red));
    EXPECT_EQ(Screen(QRect(60, 70, 1, 1), &window).pixel(0, 0), underCover);

    cover.hide();
    label->hide();
    EXPECT_FALSE(direct.Put(red));
    label->show();
    label->move(150, 90);  // partly outside its window
    EXPECT_FALSE(direct.Put(red));
}

}  // namespace
}  // namespace kd
