#include <gtest/gtest.h>

#include "common/Format.h"

using namespace kd;

TEST(Format, PatternsPrintAsTheScreensShowThem) {
    struct Case {
        double v;
        const char* pattern;
        const char* text;
    } cases[] = {
        {60, "##0.0", "60.0"},
        {0, "##0.0", "0.0"},
        {12.345, "##0.0", "12.3"},
        {5.04, "##0.0", "5.0"},
        {0.8333, "###0.00", "0.83"},
        {0, "###0.00", "0.00"},
        {0.975, "##0.0%", "97.5%"},
        {1, "##0.0%", "100.0%"},
        {0, "##0.0%", "0.0%"},
        {7, "##00", "07"},
        {45, "##00", "45"},
        {0.83333, "##0.0", "0.8"},
        {1234.5, "###0.00", "1234.50"},
        {0.05, "##0.0", "0.1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberText(c.v, QString::fromLatin1(c.pattern)), QString::fromLatin1(c.text))
            << c.v << " " << c.pattern;
}

TEST(Format, ClockTenthsPrintAsThePattern) {
    for (qint64 t = -1500; t <= 120000; ++t)
        ASSERT_EQ(TenthsText(t), NumberText(double(t) / 10.0, QStringLiteral("##0.0"))) << t;
}

TEST(Format, DatesSinglesAndEvenRounding) {
    EXPECT_EQ(FormatDate(QDate(2026, 3, 7)), QStringLiteral("2026/03/07"));
    EXPECT_EQ(ShortestSingle(100.0f - 2 * 5.7f), QStringLiteral("88.6"));
    EXPECT_EQ(ShortestSingle(0.0f), QStringLiteral("0"));
    EXPECT_EQ(ShortestSingle(2.4f), QStringLiteral("2.4"));
    EXPECT_EQ(RoundHalfEven(12065.5), 12066);
    EXPECT_EQ(RoundHalfEven(12064.5), 12064);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
}
