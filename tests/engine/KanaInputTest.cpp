// Kana input: the JIS kana layout by X keycode, and the judge of readings typed with kana keys.
#include <gtest/gtest.h>

#include "engine/KanaGuide.h"
#include "engine/KanaLayout.h"
#include "engine/TypingJudge.h"
#include "platform/core/Audio.h"
#include "support/QStringPrint.h"

namespace kd {
namespace {

// The JIS kana keyboard as xkb names its keys (jp(kana)), and the evdev keycodes of those names.
// Written out here, not taken from the program's table.
TEST(KanaLayout, MatchesTheJisKeyboardByKeycode) {
    const struct {
        quint32 firstKeycode;
        const char16_t* plain;
        const char16_t* shifted;  // '.' where Shift gives the plain kana
    } rows[] = {
        {10, u"ぬふあうえおやゆよわほへ", u"..ぁぅぇぉゃゅょを.."},  // AE01-AE12
        {24, u"たていすかんなにらせ゛゜", u"..ぃ........."},         // AD01-AD12
        {38, u"ちとしはきくまのりれけ", u"..........."},             // AC01-AC11
        {52, u"つさそひこみもねるめ", u"っ......、。."},             // AB01-AB10
        {132, u"ー", u"."},                                          // AE13, ¥: missing on US
        {97, u"ろ", u"."},                                           // AB11, \ _: missing on US
        {51, u"む", u"ー"},                                          // AC12 (BKSL): US's Shift+\ for ー
        {49, u"ろ", u"ろ"},                                          // TLDE: ` on US, no kana on JIS
    };
    int keys = 0;
    for (const auto& r : rows) {
        const QString plain = QString::fromUtf16(r.plain), shifted = QString::fromUtf16(r.shifted);
        ASSERT_EQ(plain.size(), shifted.size());
        for (int i = 0; i < plain.size(); ++i, ++keys) {
            const quint32 code = r.firstKeycode + quint32(i);
            SCOPED_TRACE(code);
            EXPECT_EQ(KanaOfKey(code, false), plain[i].unicode());
            EXPECT_EQ(KanaOfKey(code, true), (shifted[i] == u'.' ? plain[i] : shifted[i]).unicode());
            // Every kana names its JIS key back (ろ and ー their own keys, not the US stand-ins).
            for (const bool shift : {false, true}) {
                const char16_t kana = KanaOfKey(code, shift);
                KanaKeyPlace place;
                ASSERT_TRUE(PlaceOfKana(kana, place));
                EXPECT_EQ(KanaOfKey(place.keycode, place.shift), kana);
                if (kana == u'ろ' || kana == u'ー') {
                    EXPECT_EQ(place.keycode, kana == u'ろ' ? kanakeys::kRo : kanakeys::kYen);
                }
            }
        }
    }
    EXPECT_EQ(keys, 12 + 12 + 11 + 10 + 4);
    // Keys that type no kana: Space, Return, Shift, Tab, an arrow, the keypad's 1, out of range.
    for (const quint32 none : {65u, 36u, 50u, 23u, 113u, 87u, 0u, 5000u})
        EXPECT_EQ(KanaOfKey(none, false), 0);
}

// One table of the awkward spots; keys are kana keys, '#' a key that types no kana.
TEST(KanaInputJudge, EdgeCases) {
    const struct {
        const char* what;
        const char16_t* reading;
        const char16_t* keys;
        const char16_t* displayAfter;
        const char16_t* inputAfter;
        int correct, miss;
    } cases[] = {
        {"voiced: base then ゛", u"がく", u"か゛く", u"", u"", 3, 0},
        {"voiced: base typed, mark awaited", u"がく", u"か", u"がく", u"か", 1, 0},
        {"half-voiced: base then ゜", u"ぱん", u"は゜ん", u"", u"", 3, 0},
        {"half-voiced: ゛ is the wrong mark", u"ぱ", u"は゛", u"ぱ", u"は", 1, 1},
        {"voiced: the mark alone first", u"ご", u"゛こ゛", u"", u"", 2, 1},
        {"゛ on a kana that cannot take it", u"あき", u"あ゛き", u"", u"", 2, 1},
        {"゛ after a kana already whole", u"かき", u"か゛き", u"", u"", 2, 1},
        {"small ゃ with Shift", u"きゃく", u"きゃく", u"", u"", 3, 0},
        {"big や for ゃ is a miss", u"きゃ", u"きやゃ", u"", u"", 2, 1},
        {"っ with Shift, big つ a miss", u"きって", u"きつって", u"", u"", 3, 1},
        {"small ぁぃぅぇぉ", u"ぁぃぅぇぉ", u"ぁぃぅぇぉ", u"", u"", 5, 0},
        {"を is its own key", u"をわ", u"わをわ", u"", u"", 2, 1},
        {"ー", u"らーめん", u"らーめん", u"", u"", 4, 0},
        {"、 and 。, full and half width", u"はい、そう。､｡ｰ", u"はい、そう。、。ー", u"", u"", 9, 0},
        {"ヴ is う ゛", u"ヴぁ", u"う゛ぁ", u"", u"", 3, 0},
        {"a key without kana is a miss", u"あ", u"#あ", u"", u"", 1, 1},
        {"romaji letters are misses", u"あ", u"aあ", u"", u"", 1, 1},
        {"a kanji cannot be typed", u"漢", u"かん#", u"漢", u"", 0, 3},
        {"nothing left to type", u"", u"あ", u"", u"", 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingAudio audio;
        bool soundsOn = true;
        TypingJudge judge(&audio, &soundsOn);
        judge.SetInputMethod(InputMethod::Kana);
        StringPlayLabels labels;
        labels.display = QString::fromUtf16(c.reading);
        judge.InitFlag();
        for (const char16_t* k = c.keys; *k; ++k) judge.JudgeKanaInput(labels, *k == u'#' ? 0 : *k, ' ');
        EXPECT_EQ(labels.display, QString::fromUtf16(c.displayAfter));
        EXPECT_EQ(labels.input, QString::fromUtf16(c.inputAfter));
        EXPECT_EQ(judge.GetCorrectCount(), c.correct);
        EXPECT_EQ(judge.GetMissCount(), c.miss);
        EXPECT_EQ(audio.calls.size(), qsizetype(c.correct + c.miss));  // one sound per key
    }
}

// A half-typed voiced kana does not carry into the next question, and the recorder learns what
// each key met.
TEST(KanaInputJudge, NewQuestionAndReport) {
    TypingJudge judge;
    StringPlayLabels labels;
    labels.display = QStringLiteral("が");
    judge.JudgeKanaInput(labels, u'か');
    labels.display = QStringLiteral("ぱ");
    judge.InitFlag();
    labels.input.clear();
    judge.SetReporting(true);
    judge.JudgeKanaInput(labels, u'は');
    const TypingJudge::KeyReport& r = judge.LastKey();
    EXPECT_TRUE(r.hit);
    EXPECT_FALSE(r.unitDone);
    EXPECT_EQ(r.unit, QStringLiteral("ぱ"));
    EXPECT_EQ(r.forms, QStringList{QStringLiteral("は゜")});
    EXPECT_EQ(r.expectedKey, QChar(u'は'));
    judge.JudgeKanaInput(labels, kDakuten);
    EXPECT_FALSE(judge.LastKey().hit);
    EXPECT_EQ(judge.LastKey().expectedKey, QChar(kHandakuten));
    EXPECT_EQ(judge.LastKey().typed, QChar(kDakuten));
    judge.JudgeKanaInput(labels, kHandakuten);
    EXPECT_TRUE(judge.LastKey().unitDone);
    EXPECT_TRUE(labels.display.isEmpty());
}

// The guide names the next key by its cap, voiced kana as base and mark, after each key typed.
TEST(KanaGuide, NextKeyAndItsCap) {
    const struct {
        const char16_t* reading;
        const char16_t* keys;  // typed first
        const char16_t* typed;
        const char16_t* next;
        const char16_t* rest;
        const char16_t* cap;
        const char16_t* cannotType;
    } cases[] = {
        {u"がっこう", u"", u"", u"か", u"゛っこう", u"T", u""},
        {u"がっこう", u"か", u"か", u"゛", u"っこう", u"@", u""},
        {u"がっこう", u"か゛", u"", u"っ", u"こう", u"Shift+Z", u""},
        {u"ぱーをろむ", u"", u"", u"は", u"゜ーをろむ", u"F", u""},
        {u"ぱーをろむ", u"は゜", u"", u"ー", u"をろむ", u"¥", u""},
        {u"ぱーをろむ", u"は゜ー", u"", u"を", u"ろむ", u"Shift+0", u""},
        {u"ろむ", u"", u"", u"ろ", u"む", u"\\", u""},
        {u"む、", u"", u"", u"む", u"、", u"]", u""},
        {u"、。", u"", u"", u"、", u"。", u"Shift+,", u""},
        {u"ぬ漢", u"", u"", u"ぬ", u"", u"1", u"漢"},
        {u"漢ぬ", u"", u"", u"", u"", u"", u"漢"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.reading).toStdString() + " after " +
                     QString::fromUtf16(c.keys).toStdString());
        TypingJudge judge;
        StringPlayLabels labels;
        labels.display = QString::fromUtf16(c.reading);
        for (const char16_t* k = c.keys; *k; ++k) judge.JudgeKanaInput(labels, *k);
        ASSERT_EQ(judge.GetMissCount(), 0);
        const GuideLine line = KanaGuideLine(judge, labels.display);
        EXPECT_EQ(line.typed, QString::fromUtf16(c.typed));
        EXPECT_EQ(line.next, QString::fromUtf16(c.next));
        EXPECT_EQ(line.rest, QString::fromUtf16(c.rest));
        EXPECT_EQ(line.keyCap, QString::fromUtf16(c.cap));
        EXPECT_EQ(line.cannotType, QString::fromUtf16(c.cannotType));
    }
}

}  // namespace
}  // namespace kd
