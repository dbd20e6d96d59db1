// The heat map's and the charts' colours for players with red-green colour blindness.
#include <gtest/gtest.h>

#include "stats/ColourVision.h"
#include "stats/KeyboardView.h"
#include "stats/StatsLook.h"

namespace kd::stats {
namespace {

TEST(ColourVision, TheSimulationConfusesWhatRedGreenBlindPlayersConfuse) {
    // The heat map's old green-to-red steps: plain to anyone else, alike with red-green
    // colour blindness. Blue and yellow stay apart.
    const QColor green(0, 199, 51), yellow(242, 199, 51), red(242, 0, 51), blue(40, 90, 220);
    EXPECT_GT(ColourDifference(green, yellow), 60);
    EXPECT_GT(ColourDifference(green, red), 60);
    const auto seen = [](const QColor& a, const QColor& b, ColourVision v) {
        return ColourDifference(SimulateColourVision(a, v), SimulateColourVision(b, v));
    };
    EXPECT_LT(seen(green, yellow, ColourVision::Protanopia), 15);
    EXPECT_LT(seen(green, red, ColourVision::Deuteranopia), 15);
    for (ColourVision v : {ColourVision::Deuteranopia, ColourVision::Protanopia})
        EXPECT_GT(seen(blue, yellow, v), 60) << int(v);
    EXPECT_EQ(SimulateColourVision(red, ColourVision::Typical), red);
    EXPECT_NEAR(ColourDifference(Qt::white, Qt::black), 100, 0.5);
    EXPECT_NEAR(ContrastRatio(Qt::white, Qt::black), 21, 0.01);
}

// 得意, ふつう and 苦手 must differ at a glance with each colour vision, and the black figures
// on the keys stay readable on each.
TEST(ColourVision, GoodFairAndWeakKeysStayApartForEveryColourVision) {
    const struct {
        const char* name;
        double badness;
    } levels[] = {{"得意", 0.0}, {"ふつう", 0.5}, {"苦手", 1.0}};
    for (ColourVision v : {ColourVision::Typical, ColourVision::Deuteranopia, ColourVision::Protanopia}) {
        for (size_t i = 0; i < std::size(levels); ++i) {
            const QColor a = SimulateColourVision(BadnessColor(levels[i].badness), v);
            EXPECT_GE(ContrastRatio(a, Qt::black), 4.5) << levels[i].name << " vision " << int(v);
            for (size_t j = i + 1; j < std::size(levels); ++j) {
                const QColor b = SimulateColourVision(BadnessColor(levels[j].badness), v);
                EXPECT_GE(ColourDifference(a, b), 30)
                    << levels[i].name << " / " << levels[j].name << " vision " << int(v);
            }
        }
    }
}

// The charts' lines, one colour per mode and genre, likewise.
TEST(ColourVision, EveryChartSeriesStaysApartForEveryColourVision) {
    constexpr int kColours = 6;
    for (ColourVision v : {ColourVision::Typical, ColourVision::Deuteranopia, ColourVision::Protanopia})
        for (int i = 0; i < kColours; ++i)
            for (int j = i + 1; j < kColours; ++j)
                EXPECT_GE(ColourDifference(SimulateColourVision(SeriesColor(i), v),
                                           SimulateColourVision(SeriesColor(j), v)),
                          20)
                    << i << " / " << j << " vision " << int(v);
}

}  // namespace
}  // namespace kd::stats
