#include <gtest/gtest.h>

#include <random>

#include "engine/TypingJudge.h"
#include "platform/core/Audio.h"
#include "support/QStringPrint.h"
#include "tests/engine/KanaUnits.h"

namespace kd {
namespace {

// A judge wired to a recording audio with the key sounds on, and a screen made of strings.
struct Bench {
    RecordingAudio audio;
    bool keySoundsOn = true;
    TypingJudge judge{&audio, &keySoundsOn};
    StringPlayLabels labels;

    void Show(const QString& reading) {
        labels.display = reading;
        judge.InitFlag();
    }
    void N(const char* keys) {
        for (; *keys; ++keys) judge.JudgeKanaKey(labels, uchar(*keys));
    }
    void E(const char* keys) {
        for (; *keys; ++keys) judge.JudgeEnglishKey(labels, uchar(*keys));
    }
};

TEST(JapaneseJudge, WorkedExampleKanji) {
    const struct {
        char key;
        const char16_t* display;
        const char* input;
        int correct, miss;
    } rows[] = {
        {'k', u"かんじ", "k", 1, 0}, {'a', u"んじ", "", 2, 0},
        {'n', u"んじ", "n", 3, 0},   {'j', u"じ", "j", 4, 0},  // single n: ん goes, j is judged against じ
        {'i', u"", "", 5, 0},
    };
    Bench b;
    b.labels.monitor = QStringLiteral("漢字");
    b.Show(QStringLiteral("かんじ"));
    for (const auto& r : rows) {
        SCOPED_TRACE(r.key);
        b.judge.JudgeKanaKey(b.labels, r.key);
        EXPECT_EQ(b.labels.display, QString::fromUtf16(r.display));
        EXPECT_EQ(b.labels.input, QLatin1String(r.input));
        EXPECT_EQ(b.judge.GetCorrectCount(), r.correct);
        EXPECT_EQ(b.judge.GetMissCount(), r.miss);
    }
    EXPECT_EQ(b.labels.monitor, QStringLiteral("漢字"));  // only the English judge clears it
}

// Whole key sequences: where the display, romajiTyped and the counts end up.
TEST(JapaneseJudge, KeySequences) {
    const struct {
        const char16_t* reading;
        const char* keys;
        const char16_t* display;
        const char* input;
        int correct, miss;
    } cases[] = {
        {u"かんじ", "kannji", u"", "", 6, 0},
        {u"かんじ", "kaji", u"んじ", "", 2, 2},  // only n is accepted for ん
        {u"し", "si", u"", "", 2, 0},
        {u"し", "shi", u"", "", 3, 0},
        {u"ち", "ci", u"ち", "c", 1, 1},
        {u"ちゃ", "cha", u"", "", 3, 0},
        {u"つ", "tsu", u"", "", 3, 0},
        {u"ふ", "fu", u"", "", 2, 0},
        {u"じゃ", "jya", u"", "", 2, 1},  // no jy form
        {u"ぢ", "ji", u"ぢ", "", 0, 2},
        {u"しゃ", "sx", u"しゃ", "s", 1, 1},  // a miss keeps the typed letters
        {u"しゃ", "sxha", u"", "", 3, 1},
        {u"っかた", "kka", u"た", "", 3, 0},
        {u"っか", "kk", u"っか", "kk", 2, 0},
        {u"っしゃく", "ssha", u"く", "", 4, 0},
        {u"っしゃく", "ssya", u"く", "", 4, 0},
        {u"っあか", "a", u"か", "", 1, 0},  // the first a ends the doubled vowel
        {u"っーか", "-", u"か", "", 1, 0},
        {u"っっか", "kka", u"っっか", "", 0, 3},
        {u"くぁい", "qa", u"い", "", 2, 0},
        {u"くぁ", "kua", u"くぁ", "", 0, 3},
        {u"ヴぃ", "vi", u"", "", 2, 0},
        {u"うぇ", "we", u"", "", 2, 0},
        {u"でぃ", "dhi", u"", "", 3, 0},
        {u"ヴ", "v", u"ヴ", "", 0, 1},
        {u"", "a", u"", "", 0, 1},
        // ん at the end needs both n
        {u"かん", "kan", u"ん", "n", 3, 0},
        {u"かん", "kann", u"", "", 4, 0},
        // before a vowel, y or the な row, one n is not enough
        {u"こんな", "konnna", u"", "", 6, 0},
        {u"こんな", "konna", u"な", "", 4, 1},
        {u"こんな", "kona", u"んな", "n", 3, 1},
        {u"こんや", "kony", u"んや", "n", 3, 1},
        {u"こんい", "konii", u"んい", "n", 3, 2},
        {u"こんい", "konni", u"", "", 5, 0},
        // a single n before anything else completes ん
        {u"かんき", "kanki", u"", "", 5, 0},
        {u"さんしゃ", "sansha", u"", "", 6, 0},
        {u"さんしゃ", "sanshi", u"しゃ", "sh", 5, 1},
        {u"ん、", "n", u"ん、", "n", 1, 0},
        {u"ん、", "n,", u"、", "", 2, 0},  // the mark ends ん only
        {u"ん、", "n,,", u"", "", 3, 0},
        {u"かんじ", "kan1", u"じ", "", 3, 1},  // ん goes, the digit misses じ
        {u"かんじ", "kan ", u"じ", "", 3, 1},
        {u"かんじ", "kanx", u"じ", "", 3, 1},
        {u"かんじ", "kanxji", u"", "", 5, 1},
        // case matters
        {u"か", "Ka", u"か", "", 0, 2},
        {u"し", "sH", u"し", "s", 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.reading).toStdString() + " typed " + c.keys);
        Bench b;
        b.Show(QString::fromUtf16(c.reading));
        b.N(c.keys);
        EXPECT_EQ(b.labels.display, QString::fromUtf16(c.display));
        EXPECT_EQ(b.labels.input, QLatin1String(c.input));
        EXPECT_EQ(b.judge.GetCorrectCount(), c.correct);
        EXPECT_EQ(b.judge.GetMissCount(), c.miss);
    }
}

TEST(JapaneseJudge, SharedFirstLetterNarrowsOnTheNextKey) {
    Bench b;
    b.Show(QStringLiteral("し"));
    b.N("s");  // fits si and shi: no slot chosen, both advance
    EXPECT_EQ(b.judge.GetSelectedIndex(), 0);
    EXPECT_EQ(b.judge.CandidateAt(1), QStringLiteral("i"));
    EXPECT_EQ(b.judge.CandidateAt(2), QStringLiteral("hi"));
    EXPECT_EQ(b.judge.CandidateAt(0), QString());
    b.N("h");
    EXPECT_EQ(b.judge.GetSelectedIndex(), 2);
    EXPECT_EQ(b.judge.CandidateAt(2), QStringLiteral("i"));
    b.N("i");
    EXPECT_EQ(b.judge.GetSelectedIndex(), 0);
}

TEST(JapaneseJudge, InitFlagRebuildsButKeepsTheChosenSlot) {
    Bench b;
    b.Show(QStringLiteral("しか"));
    b.N("sh");
    ASSERT_EQ(b.judge.GetSelectedIndex(), 2);

    // Without InitFlag the judge still spells the old unit.
    b.labels.display = QStringLiteral("か");
    b.N("k");
    EXPECT_EQ(b.judge.GetMissCount(), 1);

    b.Show(QStringLiteral("しゃ"));
    EXPECT_EQ(b.judge.GetSelectedIndex(), 2);
    b.N("sha");  // the carried slot is slot 2 of the new unit
    EXPECT_EQ(b.labels.display, QString());
    EXPECT_EQ(b.judge.GetMissCount(), 1);

    b.Show(QStringLiteral("し"));
    b.N("sh");
    b.judge.Reset();
    EXPECT_EQ(b.judge.GetSelectedIndex(), 0);
    EXPECT_EQ(b.judge.GetCorrectCount(), 0);
    EXPECT_EQ(b.judge.GetMissCount(), 0);
    b.N("si");  // Reset also marks the slots stale
    EXPECT_EQ(b.labels.display, QString());
    EXPECT_EQ(b.judge.GetCorrectCount(), 2);
}

// A slot chosen in a replaced question that the new unit does not have must not lock the
// player out of the new question.
TEST(JapaneseJudge, CarriedSlotMissingInTheNewUnitIsDropped) {
    Bench b;
    b.Show(QStringLiteral("し"));
    b.N("sh");
    b.Show(QStringLiteral("か"));
    b.N("ka");
    EXPECT_EQ(b.labels.display, QString());
    EXPECT_EQ(b.judge.GetMissCount(), 0);
}

TEST(JapaneseJudge, KeySounds) {
    Bench b;
    b.Show(QStringLiteral("かんじ"));
    b.N("kax");
    b.N("n1");  // ん completes (correct), then 1 misses じ
    EXPECT_EQ(b.audio.calls, QStringList({"Effect correct", "Effect correct", "Effect miss", "Effect correct",
                                          "Effect correct", "Effect miss"}));

    b.audio.calls.clear();
    b.keySoundsOn = false;
    b.N("ji");
    b.E("x");
    EXPECT_TRUE(b.audio.calls.isEmpty());
    EXPECT_EQ(b.judge.GetCorrectCount(), 5);

    TypingJudge silent;  // no audio at all
    StringPlayLabels labels;
    labels.display = QStringLiteral("か");
    silent.JudgeKanaKey(labels, 'k');
    silent.JudgeEnglishKey(labels, 'x');
    EXPECT_EQ(silent.GetCorrectCount(), 1);
}

// Key codes become characters as the keyboard delivers them; a code wider than a byte must
// not be cut down to one that matches.
TEST(Judges, KeyCodesOutsideAscii) {
    const struct {
        const char16_t* word;
        int key;
        int correct;
    } english[] = {
        {u"a", 'a' + 256, 0}, {u"a", -'a', 0}, {u"a", 'a' + 65536, 0}, {u"\u3042", 0x3042, 0},
        {u"ｰ", 0xB0, 1},      {u"ｱ", 0xB1, 1}, {u"é", 0xE9, 0},
    };
    for (const auto& c : english) {
        SCOPED_TRACE(c.key);
        Bench b;
        b.labels.display = QString::fromUtf16(c.word);
        b.judge.JudgeEnglishKey(b.labels, c.key);
        EXPECT_EQ(b.judge.GetCorrectCount(), c.correct);
        EXPECT_EQ(b.judge.GetMissCount(), 1 - c.correct);
    }

    Bench b;
    b.Show(QStringLiteral("か"));
    b.judge.JudgeKanaKey(b.labels, 'k' + 256);
    b.judge.JudgeKanaKey(b.labels, 0);  // NUL must not match an empty slot
    b.Show(QStringLiteral("漢"));
    b.judge.JudgeKanaKey(b.labels, 0);
    EXPECT_EQ(b.judge.GetMissCount(), 3);
    EXPECT_EQ(b.judge.GetCorrectCount(), 0);
}

TEST(Judges, CountersStopAtTheirLimit) {
    Bench b;
    b.keySoundsOn = false;
    for (int i = 0; i < 32800; ++i) b.judge.JudgeKanaKey(b.labels, 'x');
    EXPECT_EQ(b.judge.GetMissCount(), 32767);

    b.labels.display = QString(32800, u'a');
    for (int i = 0; i < 32800; ++i) b.judge.JudgeEnglishKey(b.labels, 'a');
    EXPECT_EQ(b.judge.GetCorrectCount(), 32767);
    EXPECT_EQ(b.labels.display, QString());

    // The single-n take-back must not pull a full counter down.
    b.Show(QStringLiteral("かんじ"));
    b.N("kanj");
    EXPECT_EQ(b.judge.GetCorrectCount(), 32767);
    EXPECT_EQ(b.labels.display, QStringLiteral("じ"));

    b.judge.Reset();
    EXPECT_EQ(b.judge.GetCorrectCount(), 0);
    EXPECT_EQ(b.judge.GetMissCount(), 0);
}

TEST(EnglishJudge, KeySequences) {
    const struct {
        const char* word;
        const char* keys;
        const char* display;
        const char* monitor;
        int correct, miss;
    } cases[] = {
        {"forecast", "fore", "cast", "forecast", 4, 0},
        {"forecast", "forecast", "", "", 8, 0},
        {"x-ray", "x-ray", "", "", 5, 0},
        {"x-ray", "x ray", "-ray", "x-ray", 1, 4},  // the same letter stays expected
        {"Japan", "japan", "Japan", "Japan", 0, 5},
        {"Japan", "Japan", "", "", 5, 0},
        {"veteran", "VETERAN", "veteran", "veteran", 0, 7},
        {"", "a", "", "", 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.word) + " typed " + c.keys);
        Bench b;
        b.labels.display = b.labels.monitor = QLatin1String(c.word);
        b.labels.input = QStringLiteral("k");
        b.E(c.keys);
        EXPECT_EQ(b.labels.display, QLatin1String(c.display));
        EXPECT_EQ(b.labels.monitor, QLatin1String(c.monitor));
        EXPECT_EQ(b.labels.input, QStringLiteral("k"));  // not the English judge's label
        EXPECT_EQ(b.judge.GetCorrectCount(), c.correct);
        EXPECT_EQ(b.judge.GetMissCount(), c.miss);
        EXPECT_EQ(b.audio.calls.count(QStringLiteral("Effect correct")), c.correct);
        EXPECT_EQ(b.audio.calls.count(QStringLiteral("Effect miss")), c.miss);
    }
}

TEST(EnglishJudge, LeavesTheKanaStateAlone) {
    Bench b;
    b.Show(QStringLiteral("しか"));
    b.N("sh");
    b.labels.display = QStringLiteral("x");
    b.E("x");
    EXPECT_EQ(b.judge.GetSelectedIndex(), 2);
    EXPECT_EQ(b.judge.CandidateAt(2), QStringLiteral("i"));
}

// Any reading made of the table's units can be typed through with the first form of every unit,
// and with the second where there is one, without a single miss; each unit leaves the display
// exactly when its last letter is typed.
TEST(JapaneseJudge, EveryReadingTypesThroughWithEitherForm) {
    const QList<test::KanaUnit>& units = test::AllKanaUnits();
    std::mt19937 rng(20240607u);
    std::uniform_int_distribution<int> pickUnit(0, int(units.size()) - 1);
    std::uniform_int_distribution<int> pickLength(1, 12);
    std::uniform_int_distribution<int> pickSokuon(0, 5);

    for (int useSecond = 0; useSecond < 2; ++useSecond) {
        for (int round = 0; round < 400; ++round) {
            QStringList kana;
            QList<QByteArray> keys;
            for (int n = pickLength(rng); n > 0; --n) {
                const test::KanaUnit& u = units[pickUnit(rng)];
                QString form = (useSecond && !u.slot2.isEmpty()) ? u.slot2 : u.slot1;
                // っ goes before any unit but the pairs and ん, whose doubled forms cannot be
                // finished.
                if (!u.pair && u.kana != QStringLiteral("ん") && pickSokuon(rng) == 0) {
                    // Before a vowel or a mark, the first of the doubled letters already ends it.
                    form = QStringLiteral("aiueo,.-").contains(form[0]) ? form.left(1) : form.left(1) + form;
                    kana << QStringLiteral("っ") + u.kana;
                } else {
                    kana << u.kana;
                }
                keys << form.toLatin1();
            }

            Bench b;
            b.keySoundsOn = false;
            b.Show(kana.join(QString()));
            int typed = 0;
            for (int i = 0; i < kana.size(); ++i) {
                b.N(keys[i].constData());
                typed += int(keys[i].size());
                ASSERT_EQ(b.labels.display, kana.mid(i + 1).join(QString()))
                    << "reading " << kana.join(QString()).toStdString() << ", unit " << i << " typed "
                    << keys[i].toStdString();
                ASSERT_EQ(b.labels.input, QString());
            }
            ASSERT_EQ(b.judge.GetMissCount(), 0);
            ASSERT_EQ(b.judge.GetCorrectCount(), typed);
        }
    }
}

// Whatever the text and the keys, every key counts exactly once (correct or miss) and the judge
// only ever takes characters off the front of the display.
TEST(JapaneseJudge, AnyTextAndKeysKeepTheBooks) {
    const QString pool = QStringLiteral("あいうかきくしじちつてでふなにんっゃゅょぁぃぇヴー、。漢a ");
    const QByteArray keys("aiueokstnhyjcfqvwdzgr,.-xK1 ");
    std::mt19937 rng(7u);
    for (int round = 0; round < 2000; ++round) {
        QString text;
        for (int n = int(rng() % 8); n > 0; --n) text += pool[int(rng() % pool.size())];
        Bench b;
        b.keySoundsOn = false;
        b.Show(text);
        const int presses = 1 + int(rng() % 30);
        for (int k = 0; k < presses; ++k) {
            b.judge.JudgeKanaKey(b.labels, keys[int(rng() % keys.size())]);
            ASSERT_TRUE(text.endsWith(b.labels.display)) << text.toStdString();
            ASSERT_LE(b.labels.input.size(), 4);
        }
        ASSERT_EQ(b.judge.GetCorrectCount() + b.judge.GetMissCount(), presses) << text.toStdString();
    }
}

}  // namespace
}  // namespace kd

namespace kd {
namespace {

// What the judge reports of each key while somebody records play: the unit, the whole forms
// still open before the key, the form followed and whether the unit is done.
TEST(JudgeReport, EachKeyTellsItsUnitAndForms) {
    const struct {
        char key;
        const char16_t* unit;
        const char* forms;  // space separated
        char expected;
        bool hit;
        const char* followed;
        bool unitDone;
    } rows[] = {
        {'x', u"しゃ", "sya sha", 's', false, "", false},
        {'s', u"しゃ", "sya sha", 's', true, "sya", false},
        {'h', u"しゃ", "sya sha", 'y', true, "sha", false},
        {'a', u"しゃ", "sha", 'a', true, "sha", true},
        {'n', u"ん", "nn", 'n', true, "nn", false},
        {'k', u"か", "ka", 'k', true, "ka", false},  // one n was enough: k belongs to か
        {'a', u"か", "ka", 'a', true, "ka", true},
        {'t', u"っち", "tti cchi", 't', true, "tti", false},
        {'c', u"っち", "tti", 't', false, "", false},
    };
    Bench b;
    b.judge.SetReporting(true);
    b.Show(QStringLiteral("しゃんかっち"));
    for (const auto& r : rows) {
        SCOPED_TRACE(r.key);
        b.judge.JudgeKanaKey(b.labels, r.key);
        const TypingJudge::KeyReport& k = b.judge.LastKey();
        EXPECT_EQ(k.unit, QString::fromUtf16(r.unit));
        EXPECT_EQ(k.forms.join(u' '), QLatin1String(r.forms));
        EXPECT_EQ(k.typed, QLatin1Char(r.key));
        EXPECT_EQ(k.expectedKey, QLatin1Char(r.expected));
        EXPECT_EQ(k.hit, r.hit);
        EXPECT_EQ(k.followedForm, QLatin1String(r.followed));
        EXPECT_EQ(k.unitDone, r.unitDone);
    }
}

TEST(JudgeReport, EnglishKeysAndSilenceWhenNobodyAsks) {
    Bench b;
    b.labels.display = QStringLiteral("ox");
    b.E("o");
    EXPECT_TRUE(b.judge.LastKey().unit.isEmpty()) << "nothing is reported unless asked";
    b.judge.SetReporting(true);
    b.E("q");
    EXPECT_EQ(b.judge.LastKey().unit, "x");
    EXPECT_EQ(b.judge.LastKey().expectedKey, u'x');
    EXPECT_FALSE(b.judge.LastKey().hit);
    b.E("x");
    EXPECT_TRUE(b.judge.LastKey().hit && b.judge.LastKey().unitDone);
    EXPECT_EQ(b.judge.LastKey().followedForm, "x");
}

}  // namespace
}  // namespace kd
