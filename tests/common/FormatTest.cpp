#include <gtest/gtest.h>

#include "common/Format.h"

using namespace kd;

TEST(Format, NumbersPrintAsTheScreensShowThem) {
    struct Case {
        double v;
        int decimals, wholeDigits;
        const char* text;
    } cases[] = {
        {60, 1, 1, "60.0"},     {0, 1, 1, "0.0"},          {12.345, 1, 1, "12.3"}, {5.04, 1, 1, "5.0"},
        {0.8333, 2, 1, "0.83"}, {0, 2, 1, "0.00"},         {7, 0, 2, "07"},        {45, 0, 2, "45"},
        {0.83333, 1, 1, "0.8"}, {1234.5, 2, 1, "1234.50"}, {0.05, 1, 1, "0.1"},    {-0.04, 1, 1, "0.0"},
        {-2.25, 1, 1, "-2.3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FixedText(c.v, c.decimals, c.wholeDigits), QString::fromLatin1(c.text))
            << c.v << " " << c.decimals << " " << c.wholeDigits;
    for (const auto& [share, text] :
         {std::pair{0.975, "97.5%"}, {1.0, "100.0%"}, {0.0, "0.0%"}, {2.0 / 3, "66.7%"}})
        EXPECT_EQ(PercentText(share), QString::fromLatin1(text)) << share;
}

TEST(Format, ClockTenthsPrintAsTheRounding) {
    for (qint64 t = -1500; t <= 120000; ++t) ASSERT_EQ(TenthsText(t), FixedText(double(t) / 10.0, 1)) << t;
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
