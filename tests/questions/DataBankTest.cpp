// The shipped question texts: IDs, pairing, characters, duplicates and spelling.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>

#include "questions/StringTable.h"
#include "tools/readingcheck/ReadingCheck.h"

using namespace kd;
using namespace kd::readingcheck;

namespace {

const QString kSourceFile = QStringLiteral(KD_SOURCE_DIR "/resources/questions/strings.tsv");
const QString kAllowFile = QStringLiteral(KD_SOURCE_DIR "/tools/readingcheck/word-allowlist.tsv");

// Every kana the romaji table spells on its own, plus the marks a reading may carry.
const QString kReadingChars = QStringLiteral(
    "あいうえおかきくけこがぎぐげごさしすせそざじずぜぞたちつてとだぢづでどなにぬねの"
    "はひふへほばびぶべぼぱぴぷぺぽまみむめもやゆよらりるれろわをん"
    "ゃゅょっー");
// Kana that small ゃ ゅ ょ may follow; after any other the table has no contracted form.
const QString kContractable = QStringLiteral("きしちにひみりぎじぢびぴ");

bool IsKanji(QChar c) {
    return (c >= QChar(0x4E00) && c <= QChar(0x9FFF)) || c == QChar(0x3005);
}
bool IsHiragana(QChar c) {
    return c >= QChar(0x3041) && c <= QChar(0x309F);
}

// What in a reading the judge could not complete: a character outside the table, a small kana
// with no contracted row, a っ with nothing doubled after it.
QString ReadingFault(const QString& r) {
    for (qsizetype i = 0; i < r.size(); ++i) {
        const QChar c = r[i];
        if (!kReadingChars.contains(c)) return QStringLiteral("character %1").arg(QString(c));
        if (QStringLiteral("ゃゅょ").contains(c) && (i == 0 || !kContractable.contains(r[i - 1])))
            return QStringLiteral("small %1 after %2")
                .arg(QString(c), i ? QString(r[i - 1]) : QStringLiteral("nothing"));
        if (c == u'っ') {
            const QChar next = i + 1 < r.size() ? r[i + 1] : QChar();
            if (next.isNull() || QStringLiteral("っんーあいうえおゃゅょ").contains(next))
                return QStringLiteral("っ before '%1'").arg(next.isNull() ? QString() : QString(next));
        }
    }
    return {};
}

// The okurigana and particles of the kanji form must show up, in order, in the reading; a
// reading paired with the wrong kanji form almost never passes.
bool KanaOfKanjiFormInReading(const QString& kanji, const QString& reading) {
    qsizetype at = 0;
    for (QChar c : kanji) {
        if (!IsHiragana(c)) continue;
        at = reading.indexOf(c, at);
        if (at < 0) return false;
        ++at;
    }
    return true;
}

TEST(DataBank, EveryLineOfTheFileIsARowAndNoIdRepeats) {
    const QString text = ReadText(kSourceFile);
    ASSERT_FALSE(text.isEmpty()) << "cannot read " << kSourceFile.toStdString();
    static const QRegularExpression row(QStringLiteral("^(\\d+)\\t(\\S(.*\\S)?)$"));
    QSet<int> seen;
    int lineNo = 0;
    for (QString line : text.split(u'\n')) {
        ++lineNo;
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const auto m = row.match(line);
        ASSERT_TRUE(m.hasMatch()) << "line " << lineNo << " is not \"id<TAB>text\": " << line.toStdString();
        EXPECT_FALSE(seen.contains(m.captured(1).toInt())) << "ID repeated on line " << lineNo;
        seen.insert(m.captured(1).toInt());
    }
    // The program reads the compiled-in copy; it must be this file.
    const StringTable fromFile = StringTable::FromText(text);
    const StringTable& built = StringTable::Instance();
    ASSERT_EQ(built.Ids(), fromFile.Ids());
    for (int id : built.Ids()) EXPECT_EQ(built.LoadString(id), fromFile.LoadString(id)) << id;
}

TEST(DataBank, HoldsExactlyTheTitleTheIdiomsAndTheWords) {
    QList<int> expected{1};
    for (int id = kFirstIdiomId; id <= kLastIdiomId; ++id) expected << id;
    for (int id = kFirstWordId; id <= kLastWordId; ++id) expected << id;
    for (int id = kFirstIdiomId; id <= kLastIdiomId; id += 2) expected << id + kMeaningIdOffset;
    EXPECT_EQ(StringTable::Instance().Ids(), expected);

    const struct {
        int id;
        const char* text;
    } fixed[] = {{1, "Key Derby"},     {101, "お目にかかる"}, {102, "おめにかかる"}, {103, "顔を出す"},
                 {104, "かおをだす"},  {465, "耳を汚す"},     {466, "みみをけがす"}, {1000, "forecast"},
                 {1001, "dictionary"}, {1800, "veteran"}};
    for (const auto& f : fixed)
        EXPECT_EQ(StringTable::Instance().LoadString(f.id), QString::fromUtf8(f.text)) << f.id;
}

TEST(DataBank, IdiomsArePairsOfKanjiFormAndTypeableReading) {
    const QList<Idiom> idioms = Idioms(StringTable::Instance());
    ASSERT_EQ(idioms.size(), 183);
    QSet<QString> kanjiSeen, readingSeen;
    for (const Idiom& i : idioms) {
        const std::string where = std::to_string(i.kanjiId) + " " + i.kanji.toStdString();
        EXPECT_TRUE(std::any_of(i.kanji.begin(), i.kanji.end(), IsKanji))
            << where << ": no kanji in the odd ID";
        EXPECT_TRUE(
            std::all_of(i.kanji.begin(), i.kanji.end(), [](QChar c) { return IsKanji(c) || IsHiragana(c); }))
            << where << ": kanji form has a character other than kanji and hiragana";
        EXPECT_EQ(ReadingFault(i.reading), QString()) << where << " / " << i.reading.toStdString();
        EXPECT_TRUE(KanaOfKanjiFormInReading(i.kanji, i.reading))
            << where << ": its kana do not appear in the reading " << i.reading.toStdString();
        EXPECT_FALSE(kanjiSeen.contains(i.kanji)) << where << ": kanji form repeated";
        EXPECT_FALSE(readingSeen.contains(i.reading)) << where << ": reading repeated";
        kanjiSeen.insert(i.kanji);
        readingSeen.insert(i.reading);
    }
}

TEST(DataBank, ReadingFaultFindsWhatTheJudgeCannotType) {
    const struct {
        const char* reading;
        bool typeable;
    } cases[] = {
        {"きゃっこうをあびる", true},
        {"ちゃちゃ", true},
        {"らーめん", true},
        {"カタカナ", false},
        {"て ", false},
        {"ふゃ", false},
        {"ゃあ", false},
        {"あっ", false},
        {"あっっか", false},
        {"かっあ", false},
        {"ゐる", false},
        {"まった", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadingFault(QString::fromUtf8(c.reading)).isEmpty(), c.typeable) << c.reading;
}

TEST(DataBank, WordsAreLettersAndHyphensWithTwentySevenCapitalised) {
    const QStringList words = Words(StringTable::Instance());
    ASSERT_EQ(words.size(), 801);
    static const QRegularExpression shape(QStringLiteral("^[A-Za-z][a-z]*(-[a-z]+)*$"));
    QSet<QString> seen;
    int capitalised = 0;
    for (const QString& w : words) {
        EXPECT_TRUE(shape.match(w).hasMatch()) << "\"" << w.toStdString() << "\"";
        // Case-blind, so that "may" next to "May" counts as a repeat too.
        EXPECT_FALSE(seen.contains(w.toLower())) << w.toStdString() << " repeated";
        seen.insert(w.toLower());
        if (w.at(0).isUpper()) ++capitalised;
    }
    EXPECT_EQ(capitalised, 27);
}

TEST(DataBank, EveryWordIsInTheWordListOrAllowedForAReason) {
    const QSet<QString> wordList = LoadWordList();
    if (wordList.isEmpty())
        GTEST_SKIP() << WordListPath().toStdString() << " is missing (Debian package wamerican)";
    QStringList bad;
    const auto allow = ParseAllowList(ReadText(kAllowFile), &bad);
    EXPECT_TRUE(bad.isEmpty()) << "allow-list lines without a reason: " << bad.join(u' ').toStdString();

    const SpellingReport r = CheckSpelling(Words(StringTable::Instance()), wordList, allow);
    EXPECT_TRUE(r.unknown.isEmpty()) << "not in the word list: " << r.unknown.join(u' ').toStdString();
    EXPECT_TRUE(r.needless.isEmpty())
        << "allow-list entries to remove: " << r.needless.join(u' ').toStdString();
    // The allowed compounds are there only for their hyphens; their parts are ordinary words.
    for (auto it = allow.begin(); it != allow.end(); ++it) {
        if (!it.key().contains(u'-')) continue;
        for (const QString& part : it.key().split(u'-'))
            EXPECT_TRUE(wordList.contains(part)) << it.key().toStdString() << ": " << part.toStdString();
    }
}

TEST(DataBank, SpellingCheckSeparatesUnknownAllowedAndNeedless) {
    const QSet<QString> list{QStringLiteral("apple"), QStringLiteral("pear")};
    const QHash<QString, QString> allow{{QStringLiteral("part-time"), QStringLiteral("compound")},
                                        {QStringLiteral("pear"), QStringLiteral("already listed")},
                                        {QStringLiteral("gone"), QStringLiteral("not in the bank")}};
    const SpellingReport r = CheckSpelling({QStringLiteral("apple"), QStringLiteral("part-time"),
                                            QStringLiteral("pear"), QStringLiteral("aple")},
                                           list, allow);
    EXPECT_EQ(r.unknown, QStringList{QStringLiteral("aple")});
    EXPECT_EQ(r.allowed, QStringList{QStringLiteral("part-time")});
    EXPECT_EQ(r.needless, (QStringList{QStringLiteral("gone"), QStringLiteral("pear")}));
}

}  // namespace

// Learners see one plain English line per idiom under the reading; the panel holds about 60
// characters at its small font, so a meaning is kept well below that.
TEST(DataBank, EveryIdiomHasAShortPlainEnglishMeaningFoundByItsText) {
    const StringTable& t = StringTable::Instance();
    static const QRegularExpression plain(QStringLiteral("^[a-z(][A-Za-z' ,;()-]*[a-z)]$"));
    QSet<QString> seen;
    int count = 0;
    for (int id = kFirstIdiomId; id <= kLastIdiomId; id += 2) {
        const QString meaning = t.LoadString(id + kMeaningIdOffset);
        EXPECT_TRUE(plain.match(meaning).hasMatch()) << id << ": \"" << meaning.toStdString() << "\"";
        EXPECT_LE(meaning.size(), 40) << id;
        EXPECT_FALSE(seen.contains(meaning)) << id << " repeats " << meaning.toStdString();
        seen.insert(meaning);
        EXPECT_EQ(IdiomMeaning(t.LoadString(id)), meaning) << id;
        ++count;
    }
    EXPECT_EQ(count, 183);
    EXPECT_EQ(IdiomMeaning(t.LoadString(kFirstIdiomId + 1)), QString());  // a reading has none
    EXPECT_EQ(IdiomMeaning(QStringLiteral("forecast")), QString());
}
