#include <gtest/gtest.h>

#include "common/PlayerList.h"
#include "support/TestApp.h"

using namespace kd;
using kd::test::Record;

namespace {

QStringList Names(std::initializer_list<const char*> names) {
    QStringList out;
    for (const char* n : names) out << QString::fromUtf8(n);
    while (out.size() < kUserNameSlots) out << QString();
    return out;
}

}  // namespace

TEST(PlayerList, PacksTwentyOneCountedNamesMostRecentFirst) {
    // Bob, then 太郎 (91 BE 98 59), then 19 empty slots (count 0 each), then filler.
    const auto rec = PackUserNames(Names({"Bob", "太郎"}));
    ASSERT_TRUE(rec);
    EXPECT_EQ(*rec, Record("03 00 42 6F 62 04 00 91 BE 98 59"));
    EXPECT_EQ(UnpackUserNames(*rec), Names({"Bob", "太郎"}));
}

TEST(PlayerList, UnpacksAnEmptyRecordAsTwentyOneEmptySlots) {
    EXPECT_EQ(UnpackUserNames(QByteArray()), Names({}));
    EXPECT_EQ(UnpackUserNames(QByteArray(128, '\0')), Names({}));
}

TEST(PlayerList, RefusesRecordsThatCannotBeDecoded) {
    // A count that runs past the record, and a lead byte with an impossible trail byte.
    EXPECT_FALSE(UnpackUserNames(Record("7F 00 41")));
    EXPECT_FALSE(UnpackUserNames(Record("03 00 42 6F 62 02 00 81 20")));
}

TEST(PlayerList, ANewNameGoesOnTopAndTheTwentyFirstFallsOut) {
    QStringList full;
    for (int i = 0; i < kUserNameSlots; ++i) full << QStringLiteral("p%1").arg(i);
    const QStringList after = AddUserName(full, QStringLiteral("new"));
    EXPECT_EQ(after.first(), QStringLiteral("new"));
    EXPECT_EQ(after.at(1), QStringLiteral("p0"));
    EXPECT_EQ(after.last(), QStringLiteral("p19"));
    // A listed name changes nothing.
    EXPECT_EQ(AddUserName(full, QStringLiteral("p7")), full);
}

TEST(PlayerList, DropsTheOldestNamesUntilTheListFitsTheRecord) {
    // 21 bytes each: four fill 84 of the 86 bytes; three more force the oldest out.
    const QString a(21, u'a'), b(21, u'b'), c(21, u'c'), d(21, u'd');
    const QStringList after = AddUserName({a, b, c, d}, QStringLiteral("xyz"));
    EXPECT_EQ(after.mid(0, 5), (QStringList{QStringLiteral("xyz"), a, b, c, QString()}));
    EXPECT_EQ(AddUserName({a, b, c, d}, QStringLiteral("xy")).mid(0, 5),
              (QStringList{QStringLiteral("xy"), a, b, c, d}));
    ASSERT_TRUE(PackUserNames(after));

    const QStringList big = AddUserName({a, b, c, d}, QString(86, u'x'));
    EXPECT_EQ(big.mid(0, 2), (QStringList{QString(86, u'x'), QString()}));
    EXPECT_TRUE(PackUserNames(big));
}

TEST(PlayerList, JudgesPlayerNames) {
    const QString kanji43 = QString(43, QChar(0x6F22));  // 漢 x 43 = 86 bytes
    struct Case {
        QString name;
        bool ok;
    } cases[] = {
        {QStringLiteral("Bob"), true},
        {QStringLiteral("太郎"), true},
        {QStringLiteral("ー～①"), true},
        {QStringLiteral("Mr. Bob"), true},
        {kanji43, true},
        {kanji43 + u'a', false},              // 87 bytes
        {QString(86, QChar(0xFF76)), false},  // ｶ: 86 bytes, but too long for a folder name
        {QStringLiteral("a/b"), false},
        {QStringLiteral("."), false},
        {QStringLiteral(".."), false},
        {QStringLiteral("a\tb"), false},
        {QStringLiteral("a\nb"), false},
        {QStringLiteral(" Bob"), false},
        {QStringLiteral("Bob "), false},
        {QStringLiteral("Bob\u3000"), false},
        {QStringLiteral("Bob😀"), false},
        {QStringLiteral("Café"), false},
        {QStringLiteral("a〜b"), false},  // U+301C would come back from Data.dat as ～ (U+FF5E)
    };
    for (const Case& c : cases) EXPECT_EQ(PlayerNameProblem(c.name).isEmpty(), c.ok) << qPrintable(c.name);

    EXPECT_EQ(PlayerNameProblem(QStringLiteral("a:b")), QStringLiteral("\\/:*?\"<>|は使えません。"));
    EXPECT_EQ(PlayerNameProblem(QStringLiteral("x😀y😀")), QStringLiteral("「😀」は使えません。"));
}
