#include <gtest/gtest.h>

#include <QFile>

#include "common/PracticeRecords.h"
#include "support/TestApp.h"

using namespace kd;
using kd::test::Record;
using kd::test::TestApp;

namespace {

// 2024/05/01, 95.7%, 0.8, 1分 0秒, 慣用句
const char* kTimedIdioms =
    "08 00 0A 00 32 30 32 34 2F 30 35 2F 30 31"
    " 08 00 05 00 39 35 2E 37 25"
    " CD CC 4C 3F"
    " 08 00 07 00 31 95 AA 20 30 95 62"
    " 06 00 8A B5 97 70 8B E5";
// 2024/05/02, 100.0%, no limit, 英単語
const char* kUnlimitedEnglish =
    "08 00 0A 00 32 30 32 34 2F 30 35 2F 30 32"
    " 08 00 06 00 31 30 30 2E 30 25"
    " 00 00 00 00"
    " 00 00"
    " 06 00 89 70 92 50 8C EA";

// A history record whose date is 2023/01/<day>, every other field empty.
QByteArray DatedRecord(int day) {
    QByteArray hex = "08 00 0A 00 32 30 32 33 2F 30 31 2F 30 30";
    hex[hex.size() - 1] = char('0' + day % 10);
    hex[hex.size() - 4] = char('0' + day / 10);
    return Record(hex.constData());
}

}  // namespace

TEST(PracticeRecords, HistoryEntriesPackToTheStoredLayout) {
    PracticeHistoryData timed{QStringLiteral("2024/05/01"), QStringLiteral("95.7%"), 0.8f,
                              QStringLiteral("1分 0秒"), QStringLiteral("慣用句")};
    EXPECT_EQ(PackPracticeHistory(timed).toHex(' '), Record(kTimedIdioms).toHex(' '));
    PracticeHistoryData unlimited{QStringLiteral("2024/05/02"), QStringLiteral("100.0%"), 0.0f, std::nullopt,
                                  QStringLiteral("英単語")};
    EXPECT_EQ(PackPracticeHistory(unlimited).toHex(' '), Record(kUnlimitedEnglish).toHex(' '));

    const PracticeHistoryData back = UnpackPracticeHistory(Record(kTimedIdioms));
    EXPECT_EQ(back.HistDate, timed.HistDate);
    EXPECT_EQ(back.CRate, timed.CRate);
    EXPECT_EQ(back.TPS, 0.8f);
    EXPECT_EQ(back.PTime, timed.PTime);
    EXPECT_EQ(back.Genre, timed.Genre);
    EXPECT_FALSE(UnpackPracticeHistory(Record(kUnlimitedEnglish)).PTime.has_value());

    // Never written: empty texts and 0.
    const PracticeHistoryData none = UnpackPracticeHistory(QByteArray(128, '\0'));
    EXPECT_FALSE(none.HistDate || none.CRate || none.PTime);
    EXPECT_EQ(none.TPS, 0.0f);
    EXPECT_TRUE(none.Genre.isEmpty());
}

TEST(PracticeRecords, SettingRecordIsWrittenAloneAndReadBack) {
    TestApp app;
    app.UsePlayer(QStringLiteral("Hana"));
    const QString path = app.PlayerPath(QStringLiteral("DATA/PracticeTime"));
    EXPECT_EQ(PracticeTimePath(app.g, QStringLiteral("Hana")), path);

    // A new player: the file is created empty and reads as 0 and "".
    const PracticeTimeData fresh = LoadPracticeTime(app.g, QStringLiteral("Hana"));
    EXPECT_EQ(fresh.PracticeSec, 0);
    EXPECT_TRUE(fresh.GenreKey.isEmpty());
    EXPECT_TRUE(QFile::exists(path));

    app.WriteFile(path, QByteArray(128, '\0') + Record(kTimedIdioms));
    ASSERT_TRUE(SavePracticeTime(app.g, QStringLiteral("Hana"), {-1, QStringLiteral("english")}));
    EXPECT_EQ(app.ReadFile(path), Record("FF FF 07 00 65 6E 67 6C 69 73 68") + Record(kTimedIdioms));
    const PracticeTimeData back = LoadPracticeTime(app.g, QStringLiteral("Hana"));
    EXPECT_EQ(back.PracticeSec, -1);
    EXPECT_EQ(back.GenreKey, QStringLiteral("english"));
}

TEST(PracticeRecords, PushKeepsTheTenNewestAndLeavesTheSettingAlone) {
    TestApp app;
    app.UsePlayer();
    const QString path = app.PlayerPath(QStringLiteral("DATA/PracticeTime"));
    QByteArray file = Record("5A 00 09 00 6B 61 6E 6E 79 6F 75 6B 75");  // 90 s, idioms
    for (int day = 1; day <= 10; ++day) file += DatedRecord(day);        // record 2 newest ... 11 oldest
    // Record 5 is damaged (variant type 3): it must move on byte for byte.
    QByteArray damaged = DatedRecord(4);
    damaged[0] = 3;
    damaged[100] = char(0x5A);
    file.replace(4 * 128, 128, damaged);
    app.WriteFile(path, file);

    ASSERT_TRUE(PushPracticeHistory(path, {QStringLiteral("2024/05/01"), QStringLiteral("95.7%"), 0.8f,
                                           QStringLiteral("1分 0秒"), QStringLiteral("慣用句")}));
    const QByteArray after = app.ReadFile(path);
    ASSERT_EQ(after.size(), 11 * 128);
    EXPECT_EQ(after.left(128), file.left(128));
    EXPECT_EQ(after.mid(128, 128), Record(kTimedIdioms));
    EXPECT_EQ(after.mid(256), file.mid(128, 9 * 128));  // day 10 is gone

    const QList<PracticeHistoryData> rows = LoadPracticeHistory(path);
    ASSERT_EQ(rows.size(), 10);
    EXPECT_EQ(rows.at(1).HistDate, QStringLiteral("2023/01/01"));
    EXPECT_EQ(rows.at(9).HistDate, QStringLiteral("2023/01/09"));
}

TEST(PracticeRecords, FirstPushOnANewFileFillsTheHistoryWithEmptyRecords) {
    TestApp app;
    app.UsePlayer();
    const QString path = app.PlayerPath(QStringLiteral("DATA/PracticeTime"));
    const QByteArray setting = Record("3C 00 09 00 6B 61 6E 6E 79 6F 75 6B 75");
    app.WriteFile(path, setting);
    ASSERT_TRUE(PushPracticeHistory(path, UnpackPracticeHistory(Record(kUnlimitedEnglish))));
    EXPECT_EQ(app.ReadFile(path), setting + Record(kUnlimitedEnglish) + QByteArray(9 * 128, '\0'));
}

TEST(PracticeRecords, AnEntryThatCannotBeStoredLeavesTheFileAlone) {
    TestApp app;
    app.UsePlayer();
    const QString path = app.PlayerPath(QStringLiteral("DATA/PracticeTime"));
    const QByteArray before = Record("3C 00 09 00 6B 61 6E 6E 79 6F 75 6B 75") + Record(kTimedIdioms);
    app.WriteFile(path, before);
    PracticeHistoryData bad;
    bad.Genre = QString(200, u'a');  // past 128 bytes
    EXPECT_FALSE(PushPracticeHistory(path, bad));
    bad.Genre = QStringLiteral("😀");  // not Shift-JIS
    EXPECT_FALSE(PushPracticeHistory(path, bad));
    EXPECT_EQ(app.ReadFile(path), before);
}

TEST(PracticeRecords, UnplayableSettingsBecomeTheNearestPlayableOne) {
    struct Case {
        qint16 sec;
        const char* key;
        bool playable;
        qint16 wantSec;
        const char* wantKey;
    } cases[] = {
        {60, "kannyouku", true, 60, "kannyouku"}, {-1, "english", true, -1, "english"},
        {5, "english", true, 5, "english"},       {0, "", false, 60, "kannyouku"},
        {0, "english", false, 60, "english"},     {-7, "kannyouku", false, 60, "kannyouku"},
        {30, "ENGLISH", false, 30, "kannyouku"},  {-1, "", false, -1, "kannyouku"},
    };
    for (const Case& c : cases) {
        const PracticeTimeData in{c.sec, QString::fromLatin1(c.key)};
        EXPECT_EQ(IsPlayableSetting(in), c.playable) << c.sec << " " << c.key;
        const PracticeTimeData out = PlayableSetting(in);
        EXPECT_EQ(out.PracticeSec, c.wantSec) << c.sec << " " << c.key;
        EXPECT_EQ(out.GenreKey, QString::fromLatin1(c.wantKey)) << c.sec << " " << c.key;
    }
    EXPECT_EQ(MinutesSecondsText(60), QStringLiteral("1分 0秒"));
    EXPECT_EQ(MinutesSecondsText(90), QStringLiteral("1分 30秒"));
    EXPECT_EQ(MinutesSecondsText(655), QStringLiteral("10分 55秒"));
    EXPECT_EQ(MinutesSecondsText(5), QStringLiteral("0分 5秒"));
}
