// Every shipped question can be typed through by the real judge without a single miss.
#include <gtest/gtest.h>

#include <QHash>

#include "engine/PlayLabels.h"
#include "engine/TypingJudge.h"
#include "questions/StringTable.h"
#include "tools/readingcheck/ReadingCheck.h"

using namespace kd;
using namespace kd::readingcheck;

namespace {

// The keys a player types for a reading, written out here from the romaji table rather than
// taken from the judge, so that a judge that builds wrong forms cannot agree with itself.
// `common` picks shi/chi/tsu/fu/ji/sha... where the table has them, otherwise the first form
// (si/ti/tu/hu/zi/sya...). "" when some unit has no form.
QString RomajiOf(const QString& reading, bool common) {
    static const QHash<QChar, QString> single = [] {
        QHash<QChar, QString> m;
        const QString kana = QStringLiteral(
            "あいうえおかきくけこがぎぐげごさしすせそざじずぜぞたちつてとだぢづでどなにぬねの"
            "はひふへほばびぶべぼぱぴぷぺぽまみむめもやゆよらりるれろわをんー");
        const QStringList forms =
            QStringLiteral(
                "a i u e o ka ki ku ke ko ga gi gu ge go sa si su se so za zi zu ze zo ta ti tu te to "
                "da di du de do na ni nu ne no ha hi hu he ho ba bi bu be bo pa pi pu pe po ma mi mu me mo "
                "ya yu yo ra ri ru re ro wa wo nn -")
                .split(u' ');
        for (qsizetype i = 0; i < kana.size(); ++i) m.insert(kana[i], forms[i]);
        return m;
    }();
    static const QHash<QChar, QString> alternative{
        {u'し', "shi"}, {u'ち', "chi"}, {u'つ', "tsu"}, {u'ふ', "fu"}, {u'じ', "ji"}};
    static const QHash<QChar, QString> contracted{{u'き', "ky"}, {u'し', "sy"}, {u'ち', "ty"}, {u'に', "ny"},
                                                  {u'ひ', "hy"}, {u'み', "my"}, {u'り', "ry"}, {u'ぎ', "gy"},
                                                  {u'じ', "zy"}, {u'ぢ', "dy"}, {u'び', "by"}, {u'ぴ', "py"}};
    static const QHash<QChar, QString> contractedAlternative{{u'し', "sh"}, {u'ち', "ch"}, {u'じ', "j"}};
    static const QHash<QChar, QString> smallVowel{{u'ゃ', "a"}, {u'ゅ', "u"}, {u'ょ', "o"}};

    QString out;
    for (qsizetype i = 0; i < reading.size();) {
        const bool doubled = reading[i] == u'っ';
        const qsizetype k = i + (doubled ? 1 : 0);
        if (k >= reading.size()) return {};
        const QChar kana = reading[k];
        QString unit;
        qsizetype length = 1;
        if (k + 1 < reading.size() && smallVowel.contains(reading[k + 1])) {
            if (!contracted.contains(kana)) return {};
            unit = (common && contractedAlternative.contains(kana) ? contractedAlternative : contracted)
                       .value(kana) +
                   smallVowel.value(reading[k + 1]);
            length = 2;
        } else if (single.contains(kana)) {
            unit = common && alternative.contains(kana) ? alternative.value(kana) : single.value(kana);
        } else {
            return {};
        }
        if (doubled) {
            if (kana == u'ん' || QStringLiteral("aiueo-").contains(unit[0])) return {};
            unit.prepend(unit[0]);
        }
        out += unit;
        i = k + length;
    }
    return out;
}

struct Typed {
    QString display;
    int correct = 0;
    int miss = 0;
};

Typed TypeReading(const QString& reading, const QString& keys) {
    TypingJudge judge;
    StringPlayLabels labels;
    labels.display = reading;
    judge.Reset();
    for (QChar key : keys) judge.JudgeKanaKey(labels, key.unicode());
    return {labels.display, judge.GetCorrectCount(), judge.GetMissCount()};
}

TEST(DataTyping, RomajiOfFollowsTheTable) {
    const struct {
        const char* reading;
        const char* first;
        const char* common;
    } cases[] = {
        {"みみをけがす", "mimiwokegasu", "mimiwokegasu"},
        {"しっぽをだす", "sippowodasu", "shippowodasu"},
        {"きゃっこうをあびる", "kyakkouwoabiru", "kyakkouwoabiru"},
        {"ちゃちゃ", "tyatya", "chacha"},
        {"けんえんのなか", "kennennnonaka", "kennennnonaka"},
        {"つっこむ", "tukkomu", "tsukkomu"},
        {"したつづみ", "sitatudumi", "shitatsudumi"},
        {"じっしゅう", "zissyuu", "jisshuu"},
        {"あっ", "", ""},
        {"ふゃ", "", ""},
    };
    for (const auto& c : cases) {
        const QString r = QString::fromUtf8(c.reading);
        EXPECT_EQ(RomajiOf(r, false), QString::fromUtf8(c.first)) << c.reading;
        EXPECT_EQ(RomajiOf(r, true), QString::fromUtf8(c.common)) << c.reading;
    }
}

// Both spellings a player is likely to use must finish every reading: the first form of each
// unit, and shi/chi/tsu/fu/ji/sha... where there is a choice.
TEST(DataTyping, EveryReadingTypesThroughWithoutAMiss) {
    for (const bool common : {false, true}) {
        for (const Idiom& i : Idioms(StringTable::Instance())) {
            const QString keys = RomajiOf(i.reading, common);
            ASSERT_FALSE(keys.isEmpty()) << i.reading.toStdString() << " has a unit without romaji";
            const Typed t = TypeReading(i.reading, keys);
            EXPECT_TRUE(t.display.isEmpty() && t.miss == 0 && t.correct == keys.size())
                << i.kanjiId + 1 << " " << i.reading.toStdString() << " typed " << keys.toStdString()
                << ": left \"" << t.display.toStdString() << "\", " << t.correct << " correct, " << t.miss
                << " missed";
        }
    }
}

TEST(DataTyping, EveryWordTypesThroughWithoutAMiss) {
    for (const QString& w : Words(StringTable::Instance())) {
        TypingJudge judge;
        StringPlayLabels labels;
        labels.display = labels.monitor = w;
        for (QChar key : w) judge.JudgeEnglishKey(labels, key.unicode());
        EXPECT_TRUE(labels.display.isEmpty() && labels.monitor.isEmpty()) << w.toStdString();
        EXPECT_EQ(judge.GetCorrectCount(), w.size()) << w.toStdString();
        EXPECT_EQ(judge.GetMissCount(), 0) << w.toStdString();
    }
}

}  // namespace
