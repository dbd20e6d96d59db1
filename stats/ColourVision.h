#pragma once
#include <QColor>

namespace kd::stats {

// The two common kinds of red-green colour blindness, at full strength.
enum class ColourVision { Typical, Deuteranopia, Protanopia };

// How a colour looks with that colour vision (Machado, Oliveira and Fernandes 2009, applied in
// linear RGB), so the heat map and the charts can be checked for players who see it so.
QColor SimulateColourVision(const QColor& colour, ColourVision vision);
// The difference two colours make to the eye (CIE 1976 ΔE in L*a*b*, D65): about 2 is barely
// seen, 10 plainly, beyond 30 at a glance.
double ColourDifference(const QColor& a, const QColor& b);
// WCAG's contrast ratio between two colours (1 to 21).
double ContrastRatio(const QColor& a, const QColor& b);

}  // namespace kd::stats
