#include "common/Format.h"

#include <charconv>
#include <cmath>

namespace kd {

QString FixedText(double value, int decimals, int minWholeDigits) {
    const double scale = std::pow(10.0, decimals);
    // A tiny nudge so that values such as 0.15 (stored as 0.1499999...) still round up.
    const double scaled = std::round(std::fabs(value) * scale * (1.0 + 1e-12));
    const bool negative = value < 0 && scaled != 0;
    QString digits = QString::number(qint64(scaled));
    if (digits.size() <= decimals) digits = QString(decimals - digits.size() + 1, u'0') + digits;
    QString whole = digits.left(digits.size() - decimals);
    if (whole.size() < minWholeDigits) whole = QString(minWholeDigits - whole.size(), u'0') + whole;
    QString out = (negative ? QStringLiteral("-") : QString()) + whole;
    if (decimals > 0) out += u'.' + digits.right(decimals);
    return out;
}

QString PercentText(double share) {
    return FixedText(share * 100.0, 1) + u'%';
}

QString TenthsText(qint64 tenths) {
    const quint64 size = tenths < 0 ? 0 - quint64(tenths) : quint64(tenths);
    QString text = QString::number(size / 10);
    text += u'.';
    text += QChar(char16_t(u'0' + size % 10));
    if (tenths < 0) text.prepend(u'-');
    return text;
}

QString FormatDate(const QDate& date) {
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

QString ShortestSingle(float value) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return QString::fromLatin1(buf, res.ptr - buf);
}

qint64 RoundHalfEven(double value) {
    return qint64(std::nearbyint(value));
}

}  // namespace kd
