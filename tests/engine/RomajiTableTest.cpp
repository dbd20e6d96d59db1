#include <gtest/gtest.h>

#include "engine/TypingJudge.h"
#include "support/QStringPrint.h"
#include "tests/engine/KanaUnits.h"

namespace kd {
namespace {

struct Slots {
    QString s[5];
};

Slots CandidatesFor(const QString& display) {
    TypingJudge::Form forms[5];
    TypingJudge::BuildCandidates(TypingJudge::HeadOf(display), forms);
    Slots out;
    for (int i = 0; i < 5; ++i) out.s[i] = forms[i].toString();
    return out;
}

void ExpectForms(const QString& display, const QString& slot1, const QString& slot2) {
    SCOPED_TRACE(display.toStdString());
    const Slots got = CandidatesFor(display);
    EXPECT_EQ(got.s[0], QString());
    EXPECT_EQ(got.s[1], slot1);
    EXPECT_EQ(got.s[2], slot2);
    EXPECT_EQ(got.s[3], QString());
    EXPECT_EQ(got.s[4], QString());
}

// Every unit of the vocabulary, alone and followed by more text (the builder must look at the
// head only).
TEST(RomajiTable, EveryUnitHasItsForms) {
    for (const test::KanaUnit& u : test::AllKanaUnits()) {
        ExpectForms(u.kana, u.slot1, u.slot2);
        ExpectForms(u.kana + QStringLiteral("かな"), u.slot1, u.slot2);
    }
}

// っ doubles the first letter of every form of the unit after it.
TEST(RomajiTable, SokuonDoublesEveryForm) {
    for (const test::KanaUnit& u : test::AllKanaUnits()) {
        if (u.pair) continue;
        const QString two = u.slot2.isEmpty() ? QString() : u.slot2.left(1) + u.slot2;
        ExpectForms(QStringLiteral("っ") + u.kana, u.slot1.left(1) + u.slot1, two);
    }
}

TEST(RomajiTable, HeadsWithQuirks) {
    const struct {
        const char16_t* display;
        const char* slot1;
        const char* slot2;
    } cases[] = {
        // small ゃ/ゅ/ょ after a kana without a contracted row leaves only its vowel
        {u"てゅ", "u", ""},
        {u"ふゃ", "a", ""},
        {u"あょ", "o", ""},
        {u"っちゃ", "ttya", "ccha"},
        {u"っしゃ", "ssya", "ssha"},
        {u"っじゃ", "zzya", "jja"},
        {u"っふ", "hhu", "ffu"},
        {u"っー", "--", ""},
        {u"っん", "nnn", ""},
        {u"っあ", "aa", ""},
        // the pair test reads the first two characters as they stand
        {u"くぁ", "qa", ""},
        {u"っくぁ", "kku", ""},
        {u"てぃ", "te", ""},
        {u"うぁ", "u", ""},
        {u"でぇ", "de", ""},
        // nothing to type
        {u"", "", ""},
        {u"っ", "", ""},
        {u"っっか", "", ""},
        {u"っ漢", "", ""},
        {u"ヴ", "", ""},
        {u"ヴゃ", "a", ""},
        {u"ぁ", "", ""},
        {u"ゃ", "", ""},
        {u"ゐ", "", ""},
        {u"ゑ", "", ""},
        {u"ゎ", "", ""},
        {u"カ", "", ""},
        {u"漢字", "", ""},
        {u"1", "", ""},
        {u"a", "", ""},
        {u" ", "", ""},
    };
    for (const auto& c : cases)
        ExpectForms(QString::fromUtf16(c.display), QLatin1String(c.slot1), QLatin1String(c.slot2));
}

}  // namespace
}  // namespace kd
