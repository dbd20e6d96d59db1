#include "common/Cp932.h"

#include <errno.h>
#include <iconv.h>

namespace kd {

namespace {

// One converter each way per thread: opening one costs far more than converting a name,
// and iconv reports each failure on its own call (no sticky error state to clear).
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != iconv_t(-1)) iconv_close(m_cd);
    }
    bool valid() const { return m_cd != iconv_t(-1); }
    // False when some input cannot be converted.
    bool Convert(const char* in, size_t inSize, QByteArray& out) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        out.resize(qsizetype(inSize * 2 + 8));
        char* src = const_cast<char*>(in);
        char* dst = out.data();
        size_t srcLeft = inSize, dstLeft = size_t(out.size());
        while (srcLeft > 0) {
            if (iconv(m_cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1)) continue;
            if (errno != E2BIG) return false;
            const qsizetype used = dst - out.data();
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = size_t(out.size() - used);
        }
        out.resize(dst - out.data());
        return true;
    }

private:
    iconv_t m_cd;
};

bool IsAscii(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 0x7F) return false;
    return true;
}

}  // namespace

std::optional<QByteArray> EncodeCp932(const QString& text) {
    if (IsAscii(text)) return text.toLatin1();
    thread_local Converter enc("CP932", "UTF-16LE");
    if (!enc.valid()) return std::nullopt;
    QByteArray out;
    if (!enc.Convert(reinterpret_cast<const char*>(text.utf16()), size_t(text.size()) * 2, out)) return std::nullopt;
    // Some characters have a look-alike in code page 932 (〜 becomes ～, ¥ becomes a
    // backslash); storing one would change the text, so only exact round trips count.
    if (DecodeCp932(out) != text) return std::nullopt;
    return out;
}

bool IsCp932Encodable(const QString& text) { return EncodeCp932(text).has_value(); }

namespace {
Converter& Decoder() {
    thread_local Converter dec("UTF-16LE", "CP932");
    return dec;
}
bool IsAsciiBytes(const QByteArray& bytes) {
    for (char b : bytes)
        if (quint8(b) > 0x7F) return false;
    return true;
}
}  // namespace

std::optional<QString> DecodeCp932Strict(const QByteArray& bytes) {
    if (IsAsciiBytes(bytes)) return QString::fromLatin1(bytes);
    QByteArray out;
    if (!Decoder().valid() || !Decoder().Convert(bytes.constData(), size_t(bytes.size()), out)) return std::nullopt;
    return QString(reinterpret_cast<const QChar*>(out.constData()), out.size() / 2);
}

QString DecodeCp932(const QByteArray& bytes) {
    if (const auto text = DecodeCp932Strict(bytes)) return *text;
    Converter& dec = Decoder();
    QByteArray out;
    // Bytes that are not Shift-JIS: keep what decodes, one replacement mark per bad byte.
    QString text;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const quint8 b = quint8(bytes.at(i));
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        const int width = lead && i + 1 < bytes.size() ? 2 : 1;
        if (dec.valid() && dec.Convert(bytes.constData() + i, size_t(width), out)) {
            text += QString(reinterpret_cast<const QChar*>(out.constData()), out.size() / 2);
            i += width - 1;
        } else {
            text += QChar(QChar::ReplacementCharacter);
        }
    }
    return text;
}

}  // namespace kd
