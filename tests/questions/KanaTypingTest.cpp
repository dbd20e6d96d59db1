// Every idiom of the bank typed with kana keys, by physical key, without a single miss.
#include <gtest/gtest.h>

#include "engine/KanaLayout.h"
#include "engine/PlayLabels.h"
#include "engine/TypingJudge.h"
#include "questions/StringTable.h"
#include "tools/readingcheck/ReadingCheck.h"

using namespace kd;

namespace {

// The kana keys of a reading, by Unicode's own decomposition: が is か and the combining mark,
// which the keyboard types as ゛ after the base kana.
QString KanaKeysOf(const QString& reading) {
    QString keys = reading.normalized(QString::NormalizationForm_D);
    keys.replace(QChar(0x3099), QChar(kDakuten));
    keys.replace(QChar(0x309A), QChar(kHandakuten));
    return keys;
}

TEST(KanaTyping, EveryIdiomTypesThroughByKeycode) {
    const QList<readingcheck::Idiom> idioms = readingcheck::Idioms(StringTable::Instance());
    ASSERT_EQ(idioms.size(), 183);
    for (const readingcheck::Idiom& i : idioms) {
        const QString keys = KanaKeysOf(i.reading);
        TypingJudge judge;
        judge.SetInputMethod(InputMethod::Kana);
        StringPlayLabels labels;
        labels.display = i.reading;
        judge.Reset();
        for (QChar k : keys) {
            KanaKeyPlace place;
            ASSERT_TRUE(PlaceOfKana(k.unicode(), place))
                << i.reading.toStdString() << ": no key for " << int(k.unicode());
            judge.JudgeKanaInput(labels, KanaOfKey(place.keycode, place.shift));
        }
        EXPECT_TRUE(labels.display.isEmpty() && labels.input.isEmpty()) << i.reading.toStdString();
        EXPECT_EQ(judge.GetMissCount(), 0) << i.reading.toStdString();
        EXPECT_EQ(judge.GetCorrectCount(), keys.size()) << i.reading.toStdString();
    }
}

}  // namespace
