#pragma once
#include <QDate>
#include <QString>

namespace kd {

// Number texts with the program's patterns: "##0.0", "###0.00", "##0.0%", "##00", "0".
// '#' an optional digit, '0' a required one, '%' multiplies by 100 and appends "%".
// Halves round away from zero, as the patterns have always printed them.
QString NumberText(double value, const QString& pattern);
// NumberText(tenths / 10.0, "##0.0") for a whole number of tenths, without the pattern's
// work: a clock prints one ten times a second.
QString TenthsText(qint64 tenths);

// "yyyy/mm/dd".
QString FormatDate(const QDate& date);

// The shortest decimal text that reads back as the same single-precision value (88.6, 0, 2.4).
QString ShortestSingle(float value);

// Round to the nearest integer, halves to the even neighbour.
qint64 RoundHalfEven(double value);

}  // namespace kd
