#include "common/Cp932.h"

#include <algorithm>
#include <iterator>
#include <memory>

#include "common/Cp932Table.h"

namespace kd {

namespace {

constexpr char16_t kNoChar = 0xFFFF;  // no code page 932 code reads as U+FFFF

bool IsLead(quint8 b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

int LeadIndex(quint8 b) {
    return b <= 0x9F ? b - 0x81 : b - 0xE0 + 0x1F;
}

// Both directions, unpacked once from the generated runs: about 160 KB, a few hundred
// microseconds on first use, then one lookup per character.
struct Tables {
    char16_t single[256];
    char16_t pair[60][256];
    quint16 code[0x10000];  // 0: refused; < 0x100: one byte

    Tables() {
        std::fill(std::begin(single), std::end(single), kNoChar);
        for (auto& row : pair) std::fill(std::begin(row), std::end(row), kNoChar);
        std::fill(std::begin(code), std::end(code), 0);
        for (int b = 0; b < 0x80; ++b) single[b] = char16_t(b);
        auto put = [this](int lead, int trail, char16_t c) {
            if (lead == 0)
                single[trail] = c;
            else
                pair[LeadIndex(quint8(lead))][trail] = c;
        };
        for (int i = 0; i < cp932::kLinearRunCount; ++i) {
            const cp932::LinearRun& r = cp932::kLinearRuns[i];
            for (int k = 0; k < r.count; ++k) put(r.lead, r.firstTrail + k, char16_t(r.first + k));
        }
        for (int i = 0; i < cp932::kTextRunCount; ++i) {
            const cp932::TextRun& r = cp932::kTextRuns[i];
            for (int k = 0; r.text[k]; ++k) put(r.lead, r.firstTrail + k, r.text[k]);
        }
        // A character with several codes is written as the first, with rows ED and EE (NEC's
        // copy of IBM's extensions) last. ASCII (below 0x80) is itself, never looked up.
        for (int b = 0x80; b < 0x100; ++b)
            if (single[b] != kNoChar && !code[single[b]]) code[single[b]] = quint16(b);
        for (int pass = 0; pass < 2; ++pass)
            for (int lead = 0x81; lead <= 0xFC; ++lead) {
                if (!IsLead(quint8(lead)) || (lead == 0xED || lead == 0xEE) != (pass == 1)) continue;
                for (int trail = 0; trail < 0x100; ++trail) {
                    const char16_t c = pair[LeadIndex(quint8(lead))][trail];
                    if (c != kNoChar && !code[c]) code[c] = quint16(lead << 8 | trail);
                }
            }
        for (int i = 0; i < cp932::kPreferredCount; ++i)
            code[cp932::kPreferred[i].character] = cp932::kPreferred[i].code;
    }
};

const Tables& T() {
    static const std::unique_ptr<Tables> tables = std::make_unique<Tables>();
    return *tables;
}

bool IsAscii(QStringView text) {
    for (QChar c : text)
        if (c.unicode() > 0x7F) return false;
    return true;
}

bool IsAsciiBytes(QByteArrayView bytes) {
    for (char b : bytes)
        if (quint8(b) > 0x7F) return false;
    return true;
}

// Reads bytes as Shift-JIS; a bad byte gives U+FFFD when `replace` (and clears `valid`), else
// stops the reading.
std::optional<QString> Decode(QByteArrayView bytes, bool replace, bool* valid = nullptr) {
    if (IsAsciiBytes(bytes)) return QString::fromLatin1(bytes);
    const Tables& t = T();
    const auto* p = reinterpret_cast<const quint8*>(bytes.data());
    const qsizetype n = bytes.size();
    QString text(n, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    qsizetype used = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const quint8 b = p[i];
        char16_t c = t.single[b];
        if (c == kNoChar && IsLead(b) && i + 1 < n) {
            c = t.pair[LeadIndex(b)][p[i + 1]];
            if (c != kNoChar) ++i;
        }
        if (c == kNoChar) {
            // A lead byte whose pair is no code: only the lead byte is bad, the next byte is
            // read on its own.
            if (!replace) return std::nullopt;
            if (valid) *valid = false;
            c = char16_t(QChar::ReplacementCharacter);
        }
        out[used++] = c;
    }
    text.truncate(used);
    return text;
}

}  // namespace

qsizetype EncodeCp932Into(QStringView text, char* out, qsizetype room) {
    // Characters with a look-alike in code page 932 (〜 would become ～, ¥ a backslash) have no
    // code in the table: storing one would change the text.
    const Tables& t = T();
    qsizetype n = 0;
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        const quint16 code = c < 0x80 ? c : t.code[c];
        if (!code && c) return -1;
        if (code > 0xFF) {
            if (n < room) out[n] = char(code >> 8);
            ++n;
        }
        if (n < room) out[n] = char(code & 0xFF);
        ++n;
    }
    return n;
}

std::optional<QByteArray> EncodeCp932(QStringView text) {
    if (IsAscii(text)) return text.toLatin1();
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    const qsizetype n = EncodeCp932Into(text, out.data(), out.size());
    if (n < 0) return std::nullopt;
    out.truncate(n);
    return out;
}

bool IsCp932Encodable(QChar c) {
    return c.unicode() < 0x80 || T().code[c.unicode()] != 0;
}

bool IsCp932Encodable(QStringView text) {
    if (IsAscii(text)) return true;
    const Tables& t = T();
    for (QChar ch : text)
        if (ch.unicode() >= 0x80 && !t.code[ch.unicode()]) return false;
    return true;
}

std::optional<QString> DecodeCp932Strict(QByteArrayView bytes) {
    return Decode(bytes, false);
}

QString DecodeCp932(QByteArrayView bytes) {
    return *Decode(bytes, true);
}

QString DecodeCp932(QByteArrayView bytes, bool& valid) {
    valid = true;
    return *Decode(bytes, true, &valid);
}

}  // namespace kd
