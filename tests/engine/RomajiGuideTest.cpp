#include <gtest/gtest.h>

#include "engine/PlayLabels.h"
#include "engine/RomajiGuide.h"
#include "engine/TypingJudge.h"
#include "support/QStringPrint.h"

namespace kd {
namespace {

RomajiChoices With(std::initializer_list<std::pair<RomajiFamily, int>> set) {
    RomajiChoices c;
    for (auto [f, slot] : set) c.Set(f, slot);
    return c;
}

// A judge, its labels and a guide, typed through key by key as a play screen would.
struct Play {
    TypingJudge judge;
    StringPlayLabels labels;
    RomajiGuide guide;

    explicit Play(const RomajiChoices& c = RomajiChoices()) : guide(c) {}
    void Show(const QString& reading) {
        labels.display = reading;
        labels.input.clear();
        judge.InitFlag();
        guide.StartQuestion();
    }
    void Type(const char* keys) {
        for (; *keys; ++keys) {
            guide.BeforeKey(judge, labels.display, uchar(*keys));
            judge.JudgeKanaKey(labels, uchar(*keys));
        }
    }
    QString Line() const {
        const GuideLine l = guide.Line(judge, labels.display);
        return l.typed + u'[' + l.next + u']' + l.rest;
    }
};

TEST(RomajiGuide, SpellsWholeReadingsWithTheChoices) {
    const RomajiChoices kunrei = With({{RomajiFamily::Si, 1},
                                       {RomajiFamily::Ti, 1},
                                       {RomajiFamily::Tu, 1},
                                       {RomajiFamily::Hu, 1},
                                       {RomajiFamily::Zi, 1},
                                       {RomajiFamily::Sya, 1},
                                       {RomajiFamily::Tya, 1},
                                       {RomajiFamily::Zya, 1}});
    const RomajiChoices singleN = With({{RomajiFamily::N, 2}});
    const struct {
        const char16_t* reading;
        const RomajiChoices& choices;
        const char* romaji;
    } rows[] = {
        {u"しちつふじ", RomajiChoices(), "shichitsufuji"},
        {u"しちつふじ", kunrei, "sitituhuzi"},
        {u"しゃちゅじょ", RomajiChoices(), "shachujo"},
        {u"しゃちゅじょ", kunrei, "syatyuzyo"},
        {u"いっしょ", RomajiChoices(), "issho"},
        {u"まっちゃ", kunrei, "mattya"},
        {u"かんじ", RomajiChoices(), "kannji"},
        {u"かんじ", singleN, "kanji"},
        // One n is never enough before a vowel, a y, the な row, a mark or at the end.
        {u"こんな", singleN, "konnna"},
        {u"きんえん", singleN, "kinnenn"},
        {u"こんや", singleN, "konnya"},
        {u"らーめんー", singleN, "ra-menn-"},
        {u"ほんっか", singleN, "honkka"},
        {u"くぁでぃ", RomajiChoices(), "qadhi"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(QString::fromUtf16(r.reading).toStdString());
        const GuideLine line = RomajiGuide::Spell(QString::fromUtf16(r.reading), r.choices);
        EXPECT_EQ(line.next + line.rest, QLatin1String(r.romaji));
    }
}

TEST(RomajiGuide, StopsAtKanaTheJudgeCannotType) {
    const struct {
        const char16_t* reading;
        const char* shown;
        const char16_t* stop;
    } rows[] = {
        {u"ねこカ", "neko", u"カ"},
        {u"あっ", "a", u"っ"},
        {u"ゃあ", "", u"ゃ"},
        {u"かな漢", "kana", u"漢"},
    };
    for (const auto& r : rows) {
        const GuideLine line = RomajiGuide::Spell(QString::fromUtf16(r.reading), RomajiChoices());
        EXPECT_EQ(line.next + line.rest, QLatin1String(r.shown));
        EXPECT_EQ(line.cannotType, QString::fromUtf16(r.stop));
    }
}

// The guide follows the form the player types at once and keeps it for the next question.
TEST(RomajiGuide, FollowsASwitchAndRemembersIt) {
    const struct {
        const char16_t* reading;
        const char* keys;
        const char* lineAfter;  // typed[next]rest
        RomajiFamily family;
        int slotAfter;
        const char16_t* nextReading;
        const char* nextShown;
    } rows[] = {
        {u"しま", "s", "s[h]ima", RomajiFamily::Si, 2, u"すし", "sushi"},
        {u"しま", "si", "si[m]a", RomajiFamily::Si, 1, u"すし", "susi"},
        {u"ちず", "t", "t[i]zu", RomajiFamily::Ti, 1, u"みち", "miti"},
        {u"つき", "tu", "tu[k]i", RomajiFamily::Tu, 1, u"なつ", "natu"},
        {u"ふね", "h", "h[u]ne", RomajiFamily::Hu, 1, u"ふく", "huku"},
        {u"じかん", "z", "z[i]kann", RomajiFamily::Zi, 1, u"にじ", "nizi"},
        {u"まっちゃ", "mat", "mat[t]ya", RomajiFamily::Tya, 1, u"おちゃ", "otya"},
        {u"しゃしん", "sy", "sy[a]shinn", RomajiFamily::Sya, 1, u"しょく", "syoku"},
        {u"じゃま", "j", "j[a]ma", RomajiFamily::Zya, 2, u"じょう", "jou"},
        {u"かんじ", "kanj", "kanj[i]", RomajiFamily::N, 2, u"さんぽ", "sanpo"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.keys);
        Play p;
        p.Show(QString::fromUtf16(r.reading));
        p.Type(r.keys);
        EXPECT_EQ(p.judge.GetMissCount(), 0);
        EXPECT_EQ(p.Line(), QLatin1String(r.lineAfter));
        EXPECT_EQ(p.guide.Choices().Slot(r.family), r.slotAfter);
        EXPECT_EQ(RomajiGuide::Spell(QString::fromUtf16(r.nextReading), p.guide.Choices()).Plain(),
                  QLatin1String(r.nextShown));
    }
}

TEST(RomajiGuide, SingleNChoiceIsUnlearnedByTypingNNWhereOneWouldDo) {
    Play p(With({{RomajiFamily::N, 2}}));
    p.Show(QStringLiteral("こんな"));  // nn is forced here: nothing to learn
    p.Type("konnna");
    EXPECT_EQ(p.guide.Choices().Slot(RomajiFamily::N), 2);
    p.Show(QStringLiteral("かんじ"));
    EXPECT_EQ(p.Line(), "[k]anji");
    p.Type("kan");
    EXPECT_EQ(p.Line(), "kan[j]i");
    p.Type("n");
    EXPECT_EQ(p.judge.GetMissCount(), 0);
    EXPECT_EQ(p.guide.Choices().Slot(RomajiFamily::N), 1);
    EXPECT_EQ(p.Line(), "kann[j]i");
}

TEST(RomajiGuide, MissesAreNotShownAsTyped) {
    Play p;
    p.Show(QStringLiteral("しか"));
    p.Type("sxhq");
    EXPECT_EQ(p.judge.GetMissCount(), 2);
    EXPECT_EQ(p.Line(), "sh[i]ka");
    // A key after one n that the next unit refuses still ends ん, as the judge does.
    p.Show(QStringLiteral("んか"));
    p.Type("nx");
    EXPECT_EQ(p.labels.display, QStringLiteral("か"));
    EXPECT_EQ(p.Line(), "n[k]a");
}

// A screen that never says a new question is up still gets a fresh line: the judge's stale
// candidates tell the guide.
TEST(RomajiGuide, NoticesANewQuestionByItself) {
    TypingJudge judge;
    StringPlayLabels labels;
    RomajiGuide guide;
    labels.display = QStringLiteral("かき");
    judge.InitFlag();
    for (char k : QByteArray("kaki")) {
        guide.BeforeKey(judge, labels.display, k);
        judge.JudgeKanaKey(labels, k);
    }
    EXPECT_EQ(guide.Line(judge, labels.display).typed, "kaki");
    labels.display = QStringLiteral("くり");
    judge.InitFlag();
    EXPECT_EQ(guide.Line(judge, labels.display).Plain(), "kuri");
    guide.BeforeKey(judge, labels.display, 'k');
    judge.JudgeKanaKey(labels, 'k');
    EXPECT_EQ(guide.Line(judge, labels.display).typed, "k");
}

TEST(RomajiChoices, TextRoundTripAndDamagedText) {
    const RomajiChoices c = With({{RomajiFamily::Si, 1}, {RomajiFamily::N, 2}, {RomajiFamily::Zya, 1}});
    EXPECT_EQ(c.ToText(), "si=si;ti=chi;tu=tsu;hu=fu;zi=ji;sya=sha;tya=cha;zya=zya;nn=n");
    EXPECT_EQ(RomajiChoices::FromText(c.ToText()), c);
    // Unknown keys, unknown forms and junk keep the defaults.
    EXPECT_EQ(RomajiChoices::FromText(u"si=xx;;=;foo=bar;ti;nn=n'"), RomajiChoices());
    EXPECT_EQ(RomajiChoices::FromText(u" si = si ").Slot(RomajiFamily::Si), 1);
}

}  // namespace
}  // namespace kd
