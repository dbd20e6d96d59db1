#include "common/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace kd {

std::optional<QByteArray> EncodeCp932(const QString& text) {
    QStringEncoder enc("Windows-31J", QStringConverter::Flag::Stateless);
    if (!enc.isValid()) {
        // Without ICU only plain ASCII is safe to pass through.
        for (QChar c : text)
            if (c.unicode() > 0x7F) return std::nullopt;
        return text.toLatin1();
    }
    QByteArray out = enc(text);
    if (enc.hasError()) return std::nullopt;
    return out;
}

bool IsCp932Encodable(const QString& text) { return EncodeCp932(text).has_value(); }

QString DecodeCp932(const QByteArray& bytes) {
    QStringDecoder dec("Windows-31J", QStringConverter::Flag::Stateless);
    if (!dec.isValid()) return QString::fromLatin1(bytes);
    return dec(bytes);
}

}  // namespace kd
