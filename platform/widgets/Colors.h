#pragma once
#include <QColor>

namespace kd {

// The colours more than one screen paints with, by name. A colour only one screen uses stays
// with that screen.
inline constexpr QColor kBlack(0, 0, 0);
inline constexpr QColor kWhite(255, 255, 255);
inline constexpr QColor kRed(255, 0, 0);
inline constexpr QColor kGreen(0, 255, 0);
inline constexpr QColor kBlue(0, 0, 255);
inline constexpr QColor kYellow(255, 255, 0);
inline constexpr QColor kGrey(128, 128, 128);
inline constexpr QColor kNavy(0, 0, 128);
inline constexpr QColor kDarkGrey(64, 64, 64);    // the clock's face, shadows
inline constexpr QColor kGold(255, 215, 64);      // titles, the next key of the guide
inline constexpr QColor kNightBlue(16, 40, 96);   // the dark panels and backdrops
inline constexpr QColor kPaper(250, 250, 240);    // the cards results are written on
inline constexpr QColor kSkyBlue(166, 202, 240);  // the boards of places
inline constexpr QColor kAheadText(0, 128, 0);    // a time ahead of the best
inline constexpr QColor kBehindText(200, 0, 0);   // a time behind it

}  // namespace kd
