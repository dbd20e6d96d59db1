// The idiom readings against MeCab (IPADIC): every disagreement must be in the reviewed list.
#include <gtest/gtest.h>

#include "questions/StringTable.h"
#include "tools/readingcheck/ReadingCheck.h"

using namespace kd;
using namespace kd::readingcheck;

namespace {

const QString kReviewFile = QStringLiteral(KD_SOURCE_DIR "/tools/readingcheck/reading-review.tsv");

std::string Lines(const QList<Disagreement>& list) {
    std::string s;
    for (const Disagreement& d : list)
        s += "\n" + (d.idiom.kanji + u'\t' + d.mecab + u'\t' + d.idiom.reading).toStdString() + "\t(reason)";
    return s;
}

TEST(DataReading, EveryDisagreementWithMecabIsReviewed) {
    const QList<Idiom> idioms = Idioms(StringTable::Instance());
    QStringList kanji;
    for (const Idiom& i : idioms) kanji << i.kanji;
    QString why;
    const auto mecab = MecabReadings(kanji, &why);
    if (!mecab) GTEST_SKIP() << "reading cross-check skipped: " << why.toStdString();

    QStringList bad;
    const ReadingReport r = CompareReadings(idioms, *mecab, ParseReviews(ReadText(kReviewFile), &bad));
    EXPECT_TRUE(bad.isEmpty()) << "malformed lines in reading-review.tsv: " << bad.join(u'\n').toStdString();
    EXPECT_TRUE(r.unreviewed.isEmpty())
        << "fix the reading or add these to tools/readingcheck/reading-review.tsv:" << Lines(r.unreviewed);
    std::string stale;
    for (const Review& s : r.stale) stale += "\n" + s.kanji.toStdString() + "\t" + s.mecab.toStdString();
    EXPECT_TRUE(r.stale.isEmpty()) << "reviewed entries that match no disagreement any more:" << stale;
}

TEST(DataReading, AReviewCoversOnlyTheReadingsItNames) {
    const QList<Idiom> idioms{
        {101, "耳を汚す", "みみをけがす"}, {103, "猫の額", "ねこのひたい"}, {105, "顔を出す", "かおをだす"}};
    const QList<Review> reviews{
        {"耳を汚す", "みみをよごす", "みみをけがす", "idiomatic"},
        {"猫の額", "ねこのがく", "ねこのびたい", "a review of an older, wrong reading"},
        {"口を割る", "くちをわれる", "くちをわる", "idiom no longer in the bank"}};
    const ReadingReport r = CompareReadings(idioms, {"みみをよごす", "ねこのがく", "かおをだす"}, reviews);
    ASSERT_EQ(r.reviewed.size(), 1);
    EXPECT_EQ(r.reviewed[0].idiom.kanji, "耳を汚す");
    ASSERT_EQ(r.unreviewed.size(), 1);
    EXPECT_EQ(r.unreviewed[0].idiom.kanji, "猫の額");
    EXPECT_EQ(r.unreviewed[0].mecab, "ねこのがく");
    ASSERT_EQ(r.stale.size(), 2);
}

TEST(DataReading, ReviewListAndMecabOutputAreReadStrictly) {
    QStringList bad;
    const QList<Review> reviews = ParseReviews(
        "# comment\n耳を汚す\tみみをよごす\tみみをけがす\tidiomatic\r\n"
        "猫の額\tねこのがく\tねこのひたい\n"  // no reason: must not count as reviewed
        "顔\tがん\tかお\t \n\n",
        &bad);
    ASSERT_EQ(reviews.size(), 1);
    EXPECT_EQ(reviews[0].reason, "idiomatic");
    EXPECT_EQ(bad.size(), 2);

    EXPECT_EQ(KatakanaToHiragana("ミミヲケガス"), "みみをけがす");
    EXPECT_EQ(KatakanaToHiragana("キャッコウ・ラーメン"), "きゃっこう・らーめん");
}

}  // namespace
