// The question box must let its texts be read: WCAG's 4.5:1 between each text colour and what
// lies right behind its letters, measured on the shipped pictures.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <algorithm>
#include <cmath>

#include "platform/widgets/OutlinedLabel.h"
#include "platform/widgets/TypingPanel.h"

namespace {

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(QColor c) {
    return 0.2126 * Linear(c.red()) + 0.7152 * Linear(c.green()) + 0.0722 * Linear(c.blue());
}

double Contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

struct Range {
    double darkest = 1.0, lightest = 0.0;
};

// The luminance range of the box where letters can fall: every row but the one-pixel rims.
Range BoxRange(const QString& file) {
    const QImage box(QStringLiteral(KD_SOURCE_DIR "/resources/pictures/") + file);
    EXPECT_FALSE(box.isNull()) << file.toStdString();
    const int rim = box.height() / 53 + 1;
    Range r;
    for (int y = rim; y < box.height() - rim; ++y)
        for (int x = 0; x < box.width(); ++x) {
            const double l = Luminance(box.pixelColor(x, y));
            r.darkest = std::min(r.darkest, l);
            r.lightest = std::max(r.lightest, l);
        }
    return r;
}

TEST(QuestionBoxContrast, WhiteAndDarkBlueTextsReachFourAndAHalfToOne) {
    kd::TypingPanel panel(nullptr);
    const QColor white = panel.readingText->palette().color(QPalette::WindowText);
    const QColor darkBlue = panel.questionText->palette().color(QPalette::WindowText);
    EXPECT_EQ(white, QColor(255, 255, 255));  // the texts keep their colours
    EXPECT_EQ(darkBlue, QColor(0, 0, 128));

    for (const char* file : {"TYPINGWALLPAPER.png", "TYPINGWALLPAPER@2x.png"}) {
        const Range box = BoxRange(QString::fromLatin1(file));
        // White letters sit straight on the box: even its lightest pixel must be dark enough.
        EXPECT_GE(Contrast(Luminance(white), box.lightest), 4.5) << file;
        // Dark-blue letters are edged: the edge is what lies behind them, and the edge itself
        // must stand apart from the box so the word keeps its shape.
        const auto* monitor = qobject_cast<kd::OutlinedLabel*>(panel.questionText);
        ASSERT_NE(monitor, nullptr) << "the dark-blue text needs its outline";
        EXPECT_GE(Contrast(Luminance(darkBlue), Luminance(monitor->Outline())), 4.5) << file;
        EXPECT_GE(Contrast(Luminance(monitor->Outline()), box.lightest), 2.0) << file;
    }
}

}  // namespace
