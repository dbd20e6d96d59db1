// The table-driven converter must read and write exactly what glibc's iconv did when the
// program used it: the same bytes in the players' files, the same texts read back. iconv is
// the oracle here, through the converter the program used to call.
#include <errno.h>
#include <gtest/gtest.h>
#include <iconv.h>

#include <QRandomGenerator>

#include "common/Cp932.h"

using namespace kd;

namespace {

class IconvOracle {
  public:
    IconvOracle(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~IconvOracle() {
        if (m_cd != iconv_t(-1)) iconv_close(m_cd);
    }
    bool valid() const { return m_cd != iconv_t(-1); }
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

// What the program did with iconv: the same fast paths, look-alikes refused, one U+FFFD per
// bad byte.
struct OldCp932 {
    IconvOracle enc{"CP932", "UTF-16LE"};
    IconvOracle dec{"UTF-16LE", "CP932"};

    std::optional<QString> Strict(const QByteArray& bytes) {
        bool ascii = true;
        for (char b : bytes) ascii = ascii && quint8(b) <= 0x7F;
        if (ascii) return QString::fromLatin1(bytes);
        QByteArray out;
        if (!dec.Convert(bytes.constData(), size_t(bytes.size()), out)) return std::nullopt;
        return QString(reinterpret_cast<const QChar*>(out.constData()), out.size() / 2);
    }
    QString Lenient(const QByteArray& bytes) {
        if (const auto text = Strict(bytes)) return *text;
        QByteArray out;
        QString text;
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const quint8 b = quint8(bytes.at(i));
            const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
            const int width = lead && i + 1 < bytes.size() ? 2 : 1;
            if (dec.Convert(bytes.constData() + i, size_t(width), out)) {
                text += QString(reinterpret_cast<const QChar*>(out.constData()), out.size() / 2);
                i += width - 1;
            } else {
                text += QChar(QChar::ReplacementCharacter);
            }
        }
        return text;
    }
    std::optional<QByteArray> Encode(const QString& text) {
        bool ascii = true;
        for (QChar c : text) ascii = ascii && c.unicode() <= 0x7F;
        if (ascii) return text.toLatin1();
        QByteArray out;
        if (!enc.Convert(reinterpret_cast<const char*>(text.utf16()), size_t(text.size()) * 2, out))
            return std::nullopt;
        if (Lenient(out) != text) return std::nullopt;
        return out;
    }
};

#define KD_NEED_ICONV(old) \
    if (!(old).enc.valid() || !(old).dec.valid()) GTEST_SKIP() << "this C library has no CP932 converter"

QString Hex(const QByteArray& b) {
    return QString::fromLatin1(b.toHex(' '));
}

}  // namespace

TEST(Cp932Table, EveryCharacterOfThePlaneIsWrittenAsIconvWroteIt) {
    OldCp932 old;
    KD_NEED_ICONV(old);
    int encodable = 0;
    for (int u = 0; u < 0x10000; ++u) {
        const QString text{QChar(char16_t(u))};
        const auto expected = old.Encode(text);
        const auto got = EncodeCp932(text);
        ASSERT_EQ(got, expected) << "U+" << QString::number(u, 16).toStdString();
        ASSERT_EQ(IsCp932Encodable(text), expected.has_value())
            << "U+" << QString::number(u, 16).toStdString();
        encodable += expected.has_value();
    }
    // ASCII, the half-width katakana and the two-byte characters, without the look-alikes.
    EXPECT_GT(encodable, 9000);
    // Outside the plane nothing is written, whole or as half a pair.
    for (const QString& text :
         {QStringLiteral("😀"), QStringLiteral("𠮷野家"), QStringLiteral("あ\U0002000Bい")}) {
        EXPECT_EQ(EncodeCp932(text), old.Encode(text));
        EXPECT_FALSE(IsCp932Encodable(text));
    }
}

TEST(Cp932Table, EveryOneAndTwoByteSequenceReadsAsIconvReadIt) {
    OldCp932 old;
    KD_NEED_ICONV(old);
    for (int a = 0; a < 256; ++a) {
        const QByteArray one(1, char(a));
        ASSERT_EQ(DecodeCp932Strict(one), old.Strict(one)) << Hex(one).toStdString();
        ASSERT_EQ(DecodeCp932(one), old.Lenient(one)) << Hex(one).toStdString();
        for (int b = 0; b < 256; ++b) {
            const QByteArray two = QByteArray(1, char(a)) + char(b);
            ASSERT_EQ(DecodeCp932Strict(two), old.Strict(two)) << Hex(two).toStdString();
            ASSERT_EQ(DecodeCp932(two), old.Lenient(two)) << Hex(two).toStdString();
        }
    }
}

// A ranking place read without a bad byte is taken without packing it again to check that it
// fits: every valid one- and two-byte character must write back into as many bytes.
TEST(Cp932Table, ValidBytesWriteBackIntoAsManyBytes) {
    for (int a = 0; a < 256; ++a)
        for (int b = -1; b < 256; ++b) {
            const QByteArray bytes = b < 0 ? QByteArray(1, char(a)) : QByteArray(1, char(a)) + char(b);
            bool valid = false;
            const QString text = DecodeCp932(bytes, valid);
            ASSERT_EQ(valid, DecodeCp932Strict(bytes).has_value()) << Hex(bytes).toStdString();
            ASSERT_EQ(text, DecodeCp932(bytes));
            if (!valid) continue;
            const auto back = EncodeCp932(text);
            ASSERT_TRUE(back.has_value()) << Hex(bytes).toStdString();
            ASSERT_EQ(back->size(), bytes.size()) << Hex(bytes).toStdString();
        }
}

// Longer texts: a lead byte's pair decides where the next character starts, and a bad pair
// spoils only its lead byte.
TEST(Cp932Table, MixedTextsReadAndWriteAsWithIconv) {
    OldCp932 old;
    KD_NEED_ICONV(old);
    QRandomGenerator rnd(932);
    const quint8 kBytes[] = {0x00, 0x41, 0x5C, 0x7E, 0x7F, 0x80, 0x81, 0x82, 0x87, 0x9F, 0xA0, 0xA1, 0xB6,
                             0xDF, 0xE0, 0xEA, 0xED, 0xEE, 0xF0, 0xFA, 0xFC, 0xFD, 0xFF, 0x40, 0xA4, 0x60};
    for (int round = 0; round < 20000; ++round) {
        QByteArray bytes;
        const int n = 1 + int(rnd.bounded(9));
        for (int i = 0; i < n; ++i)
            bytes += char(rnd.bounded(3) ? kBytes[rnd.bounded(int(sizeof kBytes))] : rnd.bounded(256));
        ASSERT_EQ(DecodeCp932Strict(bytes), old.Strict(bytes)) << Hex(bytes).toStdString();
        ASSERT_EQ(DecodeCp932(bytes), old.Lenient(bytes)) << Hex(bytes).toStdString();
    }
    const QString pool = QStringLiteral("aZ\\~ あアｱ漢①ⅰ纊ー～〜¥¢¬∵≒") + QChar(0xE000) + QChar(0xD83D);
    for (int round = 0; round < 5000; ++round) {
        QString text;
        const int n = 1 + int(rnd.bounded(6));
        for (int i = 0; i < n; ++i) text += pool.at(rnd.bounded(int(pool.size())));
        ASSERT_EQ(EncodeCp932(text), old.Encode(text)) << text.toStdString();
        ASSERT_EQ(IsCp932Encodable(text), old.Encode(text).has_value()) << text.toStdString();
    }
}
