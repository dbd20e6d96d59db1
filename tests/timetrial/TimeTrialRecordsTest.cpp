#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "common/Cp932.h"
#include "common/RecordFile.h"
#include "common/TimeTrialRecords.h"
#include "support/TestApp.h"

using namespace kd;
using kd::test::Record;

namespace {

QByteArray Slurp(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Spill(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TimeTrialRecord Entry(const QString& name, qint32 ms, const QString& genre = QStringLiteral("英単語")) {
    TimeTrialRecord r;
    r.RankName = name;
    r.RankTime = ms;
    r.RankRate = QStringLiteral("100.0%");
    r.RankScore = GetTimeTrialScore(genre, ms, 0);
    r.RankGrade = GetTimeTrialRank(ms);
    r.RankGenre = genre;
    return r;
}

// "Tester", 15 070 ms, "97.5%", 11 793, "AA", "慣用句", written out by hand.
const char* kTesterRecord =
    "06 00 54 65 73 74 65 72"    // name
    " DE 3A 00 00"               // 15070
    " 05 00 39 37 2E 35 25"      // 97.5%
    " 11 2E"                     // 11793
    " 02 00 41 41"               // AA
    " 06 00 8A B5 97 70 8B E5";  // 慣用句

// "山田", 125 000 ms, "0%", 0, "F", "英単語".
const char* kYamadaRecord =
    "04 00 8E 52 93 63 48 E8 01 00 02 00 30 25 00 00 01 00 46 06 00 89 70 92 50 8C EA";

}  // namespace

TEST(TimeTrialGrade, BoundariesFollowTheTwoDecimalSeconds) {
    const struct {
        qint32 ms;
        const char* grade;
    } cases[] = {
        {0, "S"},       {11990, "S"},   {11994, "S"},  {11995, "AAA"},  // 11.995 s prints as 12.00
        {12000, "AAA"}, {13999, "AA"},  {14000, "AA"}, {20990, "BBB"},   {21000, "BB"},
        {93990, "E"},   {94000, "FFF"}, {132990, "F"}, {133000, "G"},    {600000, "G"},
        {600004, "G"},  {600005, ""},   {600010, ""},  {2147483647, ""}, {-1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetTimeTrialRank(c.ms), QString::fromLatin1(c.grade)) << c.ms << " ms";
}

TEST(TimeTrialScore, EnglishHasNoMissPenaltyIdiomsLoseThreeTimesTheSquare) {
    const QString en = QStringLiteral("英単語"), jp = QStringLiteral("慣用句");
    EXPECT_EQ(GetTimeTrialScore(en, 15000, 20), 11800);
    EXPECT_EQ(GetTimeTrialScore(jp, 15000, 20), 10600);
    // Halves go to the even neighbour: 12 065.5 -> 12 066, 12 064.5 -> 12 064.
    EXPECT_EQ(GetTimeTrialScore(en, 12345, 0), 12066);
    EXPECT_EQ(GetTimeTrialScore(en, 12355, 0), 12064);
    EXPECT_EQ(GetTimeTrialScore(jp, 12345, 1), 12063);
    // Never below zero, however slow or however many misses (3 x 30000^2 passes 32 bits).
    EXPECT_EQ(GetTimeTrialScore(jp, 15000, 67), 0);
    EXPECT_EQ(GetTimeTrialScore(jp, 15000, 30000), 0);
    EXPECT_EQ(GetTimeTrialScore(en, 2147483647, 0), 0);
    EXPECT_EQ(GetTimeTrialScore(en, 133000, 0), 0);
    EXPECT_EQ(GetTimeTrialScore(en, 0, 0), 13300);
}

TEST(TimeTrialTimeText, MinutesSecondsHundredths) {
    const struct {
        qint32 ms;
        const char* text;
    } cases[] = {
        {83456, "1m23s45"}, {15070, "0m15s07"},    {125000, "2m05s00"}, {0, "0m00s00"},
        {59999, "0m59s99"}, {3600000, "60m00s00"}, {-5, "0m00s00"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatTimeTrialTime(c.ms), QString::fromLatin1(c.text)) << c.ms;
}

TEST(TimeTrialFile, WritesAllTenPlacesByteForByte) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TimeTrialData"));
    TimeTrialTable data;
    data[0] = {QStringLiteral("Tester"), 15070, QStringLiteral("97.5%"), 11793, QStringLiteral("AA"),
               QStringLiteral("慣用句")};
    data[1] = {QStringLiteral("山田"),  125000, QStringLiteral("0%"), 0, QStringLiteral("F"),
               QStringLiteral("英単語")};
    ASSERT_TRUE(SaveTimeTrialData(path, data));

    QByteArray expected = Record(kTesterRecord) + Record(kYamadaRecord);
    expected += QByteArray(8 * 128, '\0');
    EXPECT_EQ(Slurp(path).toHex(' '), expected.toHex(' '));
    EXPECT_EQ(LoadTimeTrialData(path), data);
}

TEST(TimeTrialFile, MissingShortAndEmptyFilesReadAsAnEmptyTable) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TimeTrialData"));
    EXPECT_EQ(LoadTimeTrialData(path), TimeTrialTable());
    EXPECT_TRUE(QFile::exists(path));

    // One record cut short after the time: the rest reads as empty texts and zeros.
    Spill(path, Record(kTesterRecord).left(12));
    const TimeTrialTable t = LoadTimeTrialData(path);
    EXPECT_EQ(t[0].RankName, QStringLiteral("Tester"));
    EXPECT_EQ(t[0].RankTime, 15070);
    EXPECT_EQ(t[0].RankRate, QString());
    EXPECT_TRUE(t[1].IsEmpty());
}

TEST(TimeTrialFile, ADamagedTableIsMendedSoItCanBeRankedAndSavedAgain) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TimeTrialData"));
    // Place 1 empty, place 2 slower than place 3, a negative time, a name of bytes that are
    // not Shift-JIS (would never encode again) and a name whose count runs past the record.
    QByteArray bytes = QByteArray(128, '\0');
    bytes += Record(kYamadaRecord);
    bytes += Record(kTesterRecord);
    bytes += Record("01 00 41 FF FF FF FF");                                // "A", -1 ms
    bytes += Record("03 00 82 FF 41 10 27 00 00 00 00 00 00 00 00 00 00");  // bad bytes, 10 000 ms
    bytes += Record("FF 00 41 41");                                         // count 255
    Spill(path, bytes);

    const TimeTrialTable t = LoadTimeTrialData(path);
    ASSERT_EQ(t[0].RankTime, 10000);
    EXPECT_TRUE(IsCp932Encodable(t[0].RankName));
    EXPECT_EQ(t[1].RankName, QStringLiteral("Tester"));
    EXPECT_EQ(t[2].RankName, QStringLiteral("山田"));
    for (int i = 3; i < kTimeTrialPlaces; ++i) EXPECT_TRUE(t[i].IsEmpty()) << i;
    ASSERT_TRUE(SaveTimeTrialData(path, t));
    EXPECT_EQ(LoadTimeTrialData(path), t);
}

// A rate whose count runs past the record takes the record's last bytes; the name then gives up
// just enough of its end, whole characters, for the place to fit again.
TEST(TimeTrialFile, AnOverlongPlaceKeepsTheLongestStartOfTheNameThatFits) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TimeTrialData"));
    const auto place = [](const QString& name) {
        const QByteArray n = *EncodeCp932(name);
        QByteArray rec = QByteArray(1, char(n.size())) + '\0' + n + QByteArray::fromHex("10270000C800");
        return (rec + QByteArray(kRecordSize, 'b')).left(kRecordSize);  // rate: "bbb..." to the end
    };
    const struct {
        QString stored, kept;
    } cases[] = {
        // 99 bytes of name, 21 of rate, 6 of empty fields: 6 bytes too many, the last 山 four.
        {u'a' + QString(49, u'山'), u'a' + QString(46, u'山')},
        {QString(50, u'山'), QString(47, u'山')},  // 100 bytes of name: 94 fit
        {QString(99, u'a'), QString(93, u'a')},
    };
    for (const auto& c : cases) {
        Spill(path, place(c.stored));
        const TimeTrialTable t = LoadTimeTrialData(path);
        EXPECT_EQ(t[0].RankName, c.kept);
        EXPECT_EQ(t[0].RankTime, 10000);
        EXPECT_EQ(t[0].RankRate.size(), kRecordSize - 2 - EncodeCp932(c.stored)->size() - 6);
        ASSERT_TRUE(SaveTimeTrialData(path, t));
        EXPECT_EQ(LoadTimeTrialData(path), t);
    }
}

TEST(TimeTrialFile, APlaceThatCannotBeStoredRefusesTheWholeSaveAndKeepsTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TimeTrialData"));
    Spill(path, Record(kTesterRecord));
    TimeTrialTable data;
    // "100.0%", "AAA" and "英単語" are the longest other fields: 99 bytes of name fill the
    // record to its last byte, 100 would spill into the next place.
    data[0] = Entry(QString(100, u'a'), 12500);
    EXPECT_FALSE(SaveTimeTrialData(path, data));
    data[0] = Entry(QStringLiteral("😀"), 12500);
    EXPECT_FALSE(SaveTimeTrialData(path, data));
    EXPECT_EQ(Slurp(path), Record(kTesterRecord));
    data[0] = Entry(QString(49, u'山') + u'a', 12500);
    EXPECT_TRUE(SaveTimeTrialData(path, data));
    EXPECT_EQ(Slurp(path).at(127), char(0xEA));  // the genre's last byte ends the record
    EXPECT_EQ(LoadTimeTrialData(path)[0].RankName, QString(49, u'山') + u'a');
}

TEST(TimeTrialPlace, FirstEmptyPlaceOrBeforeTheFirstSlowerOrEqualTime) {
    TimeTrialTable data;
    EXPECT_EQ(FindTimeTrialPlace(data, 50000), 0);
    for (int i = 0; i < kTimeTrialPlaces; ++i)
        data[i] = Entry(QStringLiteral("p%1").arg(i), 10000 + 1000 * i);
    EXPECT_EQ(FindTimeTrialPlace(data, 10000), 0);  // a tie goes before
    EXPECT_EQ(FindTimeTrialPlace(data, 12500), 3);
    EXPECT_EQ(FindTimeTrialPlace(data, 19000), 9);
    EXPECT_EQ(FindTimeTrialPlace(data, 19001), -1);

    InsertTimeTrialEntry(data, 0, Entry(QStringLiteral("new"), 10000));
    EXPECT_EQ(data[0].RankName, QStringLiteral("new"));
    for (int i = 1; i < kTimeTrialPlaces; ++i) EXPECT_EQ(data[i].RankName, QStringLiteral("p%1").arg(i - 1));
}

TEST(TimeTrialName, TheBoxAcceptsWhatTheRecordHolds) {
    EXPECT_EQ(CheckRankName(QString()), RankNameCheck::Ok);
    EXPECT_EQ(CheckRankName(QString(99, u'a')), RankNameCheck::Ok);
    EXPECT_EQ(CheckRankName(QString(100, u'a')), RankNameCheck::TooLong);
    EXPECT_EQ(CheckRankName(QString(50, u'山')), RankNameCheck::TooLong);
    EXPECT_EQ(CheckRankName(QStringLiteral("ｱｲｳ①～")), RankNameCheck::Ok);
    EXPECT_EQ(CheckRankName(QStringLiteral("Ann😀")), RankNameCheck::NotEncodable);
    EXPECT_EQ(FirstUnencodableChar(QStringLiteral("Ann😀é")), QStringLiteral("😀"));
    EXPECT_EQ(FitRankName(QStringLiteral("A😀") + QString(60, u'山')), u'A' + QString(49, u'山'));
}
