#pragma once
#include <QDate>
#include <QString>

namespace kd {

// A number with a fixed count of decimals and at least minWholeDigits before the point,
// padded with zeros: FixedText(0.83333, 2) "0.83", FixedText(7, 0, 2) "07". Halves round away
// from zero, as the screens have always printed them.
QString FixedText(double value, int decimals, int minWholeDigits = 1);
// A share as a percentage with one decimal: 0.975 gives "97.5%".
QString PercentText(double share);
// FixedText(tenths / 10.0, 1) for a whole number of tenths, without the rounding's work: a
// clock prints one ten times a second.
QString TenthsText(qint64 tenths);

// "yyyy/mm/dd".
QString FormatDate(const QDate& date);

// The shortest decimal text that reads back as the same single-precision value (88.6, 0, 2.4).
QString ShortestSingle(float value);

// Round to the nearest integer, halves to the even neighbour.
qint64 RoundHalfEven(double value);

}  // namespace kd
