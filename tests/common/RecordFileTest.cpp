#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "common/Cp932.h"
#include "common/RecordFile.h"
#include "support/TestApp.h"

using namespace kd;
using kd::test::Record;

namespace {

QByteArray Slurp(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(Cp932, EncodesTheMarksWindowsUses) {
    EXPECT_EQ(EncodeCp932(QStringLiteral("ー～①"))->toHex(' '), QByteArray("81 5b 81 60 87 40"));
    EXPECT_EQ(EncodeCp932(QStringLiteral("慣用句"))->size(), 6);
    EXPECT_FALSE(EncodeCp932(QStringLiteral("a😀")).has_value());
    // Look-alikes would come back as other characters: ¥ as a path separator.
    EXPECT_FALSE(EncodeCp932(QStringLiteral("〜")).has_value());
    EXPECT_FALSE(EncodeCp932(QStringLiteral("¥100")).has_value());
    EXPECT_EQ(EncodeCp932(QStringLiteral("ｶﾀｶﾅ"))->toHex(' '), QByteArray("b6 c0 b6 c5"));
    EXPECT_EQ(DecodeCp932(QByteArray::fromHex("82a0ff82a0")), QStringLiteral("あ\uFFFDあ"));
    EXPECT_EQ(DecodeCp932(QByteArray::fromHex("815b8160")), QStringLiteral("ー～"));
}

TEST(RecordFile, ReadingAMissingFileCreatesItEmptyAndGivesZeros) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Heat"));
    EXPECT_EQ(RecordFile::Read(path, 2), QByteArray(128, '\0'));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(QFileInfo(path).size(), 0);
}

TEST(RecordFile, WritingOneRecordKeepsTheOthersByteForByte) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("PracticeTime"));
    QByteArray before(3 * 128, '\0');
    for (int i = 0; i < before.size(); ++i) before[i] = char(i * 7);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(before);
    f.close();

    // Practice record 1 for 60 s and "kannyouku".
    RecordWriter w;
    w.Int16(60).Text(QStringLiteral("kannyouku"));
    ASSERT_TRUE(w.ok());
    ASSERT_TRUE(RecordFile::Write(path, 1, w.Record()));
    const QByteArray after = Slurp(path);
    ASSERT_EQ(after.size(), 3 * 128);
    EXPECT_EQ(after.left(128), Record("3C 00 09 00 6B 61 6E 6E 79 6F 75 6B 75"));
    EXPECT_EQ(after.mid(128), before.mid(128));
}

TEST(RecordFile, WritingPastTheEndPadsWithZeroRecords) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Heat"));
    RecordWriter w;
    w.Int16(12);
    ASSERT_TRUE(RecordFile::Write(path, 2, w.Record()));
    EXPECT_EQ(Slurp(path), QByteArray(128, '\0') + Record("0C 00"));
    // Heat 3 as the race writes it: empty memo, then the heat number.
    RecordWriter h;
    h.Text(QString()).Int16(3);
    ASSERT_TRUE(RecordFile::Write(path, 1, h.Record()));
    EXPECT_EQ(Slurp(path).left(4), QByteArray::fromHex("00000300"));
    EXPECT_EQ(Slurp(path).mid(128), Record("0C 00"));
}

TEST(RecordFile, AWriteIntoAMissingFolderFailsAndLeavesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nope/Data"));
    EXPECT_FALSE(RecordFile::Write(path, 1, QByteArray(128, '\0')));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

TEST(RecordWriter, RefusesFieldsPastTheRecordAndUnencodableText) {
    RecordWriter w;
    w.Text(QString(120, u'a'));
    EXPECT_TRUE(w.ok());
    w.Int32(1).Int16(2);  // 122 + 4 = 126, then 128: still fits
    EXPECT_TRUE(w.ok());
    w.Int16(3);
    EXPECT_EQ(w.error(), RecordError::TooLong);

    RecordWriter e;
    e.Text(QStringLiteral("名前😀"));
    EXPECT_EQ(e.error(), RecordError::NotEncodable);
}

TEST(RecordWriter, VariantsAndSinglesMatchTheStoredLayout) {
    RecordWriter w;
    w.VariantText(QStringLiteral("2026/12/07")).VariantEmpty().Single(0.8f);
    EXPECT_EQ(w.Record(), Record("08 00 0A 00 32 30 32 36 2F 31 32 2F 30 37 00 00 CD CC 4C 3F"));
    RecordReader r(w.Record());
    EXPECT_EQ(r.Variant().value_or(QString()), QStringLiteral("2026/12/07"));
    EXPECT_FALSE(r.Variant().has_value());
    EXPECT_FLOAT_EQ(r.Single(), 0.8f);
}

TEST(RecordReader, DamagedCountsAndShortRecordsNeverReadOutside) {
    // A count of 0xFFFF points far past the record: only what is there is read.
    RecordReader r(Record("FF FF 41 42"));
    EXPECT_EQ(r.Text().left(2), QStringLiteral("AB"));
    EXPECT_EQ(r.Int16(), 0);
    RecordReader empty(QByteArray{});
    EXPECT_EQ(empty.Int32(), 0);
    EXPECT_TRUE(empty.Text().isEmpty());
    RecordReader odd(Record("05 00"));
    EXPECT_FALSE(odd.Variant().has_value());
    EXPECT_EQ(odd.Int16(), 0);
}

// A place read back whole and valid is taken as it is; everything else (a count past the
// record, a field past its end, a bad byte, a variant of unknown type) is checked and mended.
TEST(RecordReader, ExactOnlyWhenEveryFieldLayWholeInsideTheRecordAndValid) {
    const auto filled = [](int textBytes) {  // text, 4-byte number, empty text variant
        QByteArray rec = QByteArray(1, char(textBytes)) + '\0' + QByteArray(textBytes, 'a') +
                         QByteArray::fromHex("0700000008000000");
        rec.append(QByteArray(qMax<qsizetype>(0, kRecordSize - rec.size()), '\0'));
        return rec.left(kRecordSize);
    };
    const struct {
        QByteArray record;
        bool exact;
    } cases[] = {
        {Record("02 00 41 42 01 00 00 00 08 00 02 00 82 A0"), true},  // "AB", 1, "あ"
        {Record("00 00 00 00 00 00 00 00"), true},                    // empty place
        {Record("02 00 81 20 01 00 00 00 00 00"), false},             // 81 20 is no character
        {Record("FF 00 41 42"), false},                               // count past the record
        {Record("00 00 00 00 00 00 05 00 41"), false},                // variant of unknown type
        {filled(118), true},                                          // ends on byte 128
        {filled(119), false},                                         // the variant's count is cut
        {QByteArray::fromHex("0100"), false},                         // a short record
    };
    for (const auto& c : cases) {
        RecordReader r(c.record);
        r.Text();
        r.Int32();
        r.Variant();
        EXPECT_EQ(r.Exact(), c.exact) << c.record.toHex(' ').left(40).toStdString();
    }
}

// The seams the fuzz targets use: records kept in a table instead of on the disk, and saves that
// skip fsync. Both give the same bytes as the disk, and switching back leaves the disk's files
// as they were.
TEST(RecordFile, MemoryAndUnsyncedSavesKeepTheSameBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Heat"));
    ASSERT_TRUE(RecordFile::WriteRange(path, 1, {Record("01 00"), Record("02 00")}));
    const QByteArray onDisk = Slurp(path);

    QHash<QString, QByteArray> files;
    RecordFile::UseMemory(&files);
    EXPECT_EQ(RecordFile::Read(path, 1), QByteArray(128, '\0')) << "the table starts empty";
    ASSERT_TRUE(RecordFile::WriteRange(path, 1, {Record("01 00"), Record("02 00")}));
    EXPECT_EQ(files.value(path), onDisk);
    ASSERT_TRUE(RecordFile::Write(path, 2, Record("03 00")));
    EXPECT_EQ(RecordFile::ReadRange(path, 1, 2), (QList<QByteArray>{Record("01 00"), Record("03 00")}));
    RecordFile::UseMemory(nullptr);
    EXPECT_EQ(Slurp(path), onDisk) << "the disk was not touched";

    RecordFile::SetSyncToDisk(false);
    const bool saved = RecordFile::Write(path, 2, Record("03 00"));
    RecordFile::SetSyncToDisk(true);
    ASSERT_TRUE(saved);
    EXPECT_EQ(Slurp(path), files.value(path));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no temporary file left";
}

// A damaged file is kept under the first free ".damaged" name, on the disk and in the table the
// fuzz targets use alike; the old copies stay.
TEST(RecordFile, MoveAsideKeepsEveryDamagedCopy) {
    for (const bool memory : {false, true}) {
        SCOPED_TRACE(memory ? "memory" : "disk");
        QTemporaryDir dir;
        QHash<QString, QByteArray> files;
        if (memory) RecordFile::UseMemory(&files);
        const QString path = dir.filePath(QStringLiteral("Data.dat"));
        const auto content = [&](const QString& p) { return memory ? files.value(p) : Slurp(p); };
        for (const QByteArray& bytes : {QByteArray("first"), QByteArray("second")}) {
            ASSERT_TRUE(RecordFile::ReplaceFile(path, bytes));
            const QString kept = RecordFile::MoveAside(path);
            EXPECT_EQ(kept, path + (bytes == "first" ? ".damaged" : ".damaged-2"));
            EXPECT_EQ(content(kept), bytes);
            EXPECT_FALSE(memory ? files.contains(path) : QFile::exists(path));
        }
        EXPECT_EQ(content(path + ".damaged"), "first");
        EXPECT_TRUE(RecordFile::MoveAside(path).isEmpty()) << "nothing left to move";
        RecordFile::UseMemory(nullptr);
    }
}
