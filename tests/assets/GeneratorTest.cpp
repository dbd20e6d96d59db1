// The generators' own parts: the MIDI and wave writers, the check that compares committed
// files, and that every run makes the same files.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QSet>
#include <QtEndian>

#include "SmfReader.h"
#include "tools/assetgen/Assets.h"
#include "tools/assetgen/Music.h"
#include "tools/assetgen/Pictures.h"
#include "tools/assetgen/Smf.h"
#include "tools/assetgen/Sounds.h"

namespace {

using namespace kd::assetgen;
using kd::test::NoteSpan;
using kd::test::Reader;
using kd::test::Song;

TEST(Generators, MidiTimingSurvivesEveryVariableLengthBoundary) {
    // Gaps of 127/128, 16383/16384 and 2097151/2097152 ticks take one to four bytes to write.
    SmfTrack conductor("conductor");
    conductor.Tempo(0, 120);
    SmfTrack track("notes");
    track.Program(0, 2, 5);
    const long starts[] = {0, 127, 255, 16638, 33022, 2130173, 4227325};
    for (int i = 0; i < 7; ++i) {
        track.Note(int(starts[i]), 2, 60 + i, 100, 1);
        if (i == 3) track.Text(int(starts[i]), 0x06, "marker");  // a meta event between notes
    }
    Song s;
    ASSERT_NO_THROW(s = Reader(SmfFile(480, {conductor, track}, 0)).Read());
    ASSERT_EQ(s.spans.size(), 7u);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(s.spans[i], (NoteSpan{3, 60 + i, starts[i], starts[i] + 1}));
    EXPECT_EQ(s.endTick, 4227326);
    EXPECT_DOUBLE_EQ(s.Seconds(), 4227326 / 480.0 * 0.5);
    EXPECT_TRUE(s.channelsProgrammedBeforeNotes.count(3));
}

TEST(Generators, ANoteStruckAgainAsItEndsKeepsBothNotesWhole) {
    SmfTrack track("repeat");
    track.Note(480, 0, 64, 90, 480);
    track.Note(0, 0, 64, 90, 480);  // added out of order on purpose
    track.Note(960, 9, 36, 100, 60);
    const Song s = Reader(SmfFile(96, {track}, 2000)).Read();
    EXPECT_EQ(s.hangingNotes, 0);
    ASSERT_EQ(s.spans.size(), 3u);
    EXPECT_EQ(s.spans[0], (NoteSpan{1, 64, 0, 480}));
    EXPECT_EQ(s.spans[1], (NoteSpan{1, 64, 480, 960}));
    EXPECT_EQ(s.endTick, 2000);  // the end-of-track waits for the requested length
}

TEST(Generators, WaveSamplesAreClampedNotWrapped) {
    const QByteArray wav = WaveFile({1.5, -1.5, 0.5, 0.0, -0.25});
    ASSERT_EQ(wav.size(), 44 + 10);
    EXPECT_EQ(qFromLittleEndian<quint32>(wav.constData() + 4), 36u + 10u);
    EXPECT_EQ(qFromLittleEndian<quint32>(wav.constData() + 40), 10u);
    const qint16 expected[] = {32767, -32767, 16384, 0, -8192};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(qFromLittleEndian<qint16>(wav.constData() + 44 + 2 * i), expected[i]) << i;
}

TEST(Generators, ACommittedPictureMayDifferOnlyByRounding) {
    struct Case {
        QRgb generated, committed;
        bool matches;
    } const cases[] = {
        {qRgba(100, 150, 200, 255), qRgba(101, 150, 200, 255), false},  // opaque: exact
        {qRgba(100, 150, 200, 200), qRgba(101, 149, 200, 200), true},   // one unit
        {qRgba(100, 150, 200, 200), qRgba(102, 150, 200, 200), false},
        {qRgba(100, 150, 200, 86), qRgba(99, 151, 201, 86), true},
        {qRgba(100, 150, 200, 85), qRgba(102, 148, 200, 85), true},  // two units below alpha 86
        {qRgba(100, 150, 200, 85), qRgba(103, 150, 200, 85), false},
        {qRgba(100, 150, 200, 10), qRgba(113, 137, 200, 10), true},
        {qRgba(100, 150, 200, 10), qRgba(114, 150, 200, 10), false},
        {qRgba(100, 150, 200, 0), qRgba(0, 0, 0, 0), true},             // invisible colour means nothing
        {qRgba(100, 150, 200, 200), qRgba(100, 150, 200, 199), false},  // alpha: exact
    };
    QImage base(8, 8, QImage::Format_ARGB32);
    base.fill(qRgba(100, 150, 200, 255));
    auto withPixel = [&](QRgb c) {
        QImage img = base;
        img.setPixel(3, 4, c);
        return EncodePng(img);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::number(c.committed, 16).toStdString());
        const GeneratedFile made{"resources/pictures/X.png", withPixel(c.generated)};
        EXPECT_TRUE(MatchesCommitted(made, made.bytes));
        EXPECT_EQ(MatchesCommitted(made, withPixel(c.committed)), c.matches);
    }
    const GeneratedFile made{"resources/pictures/X.png", EncodePng(base)};
    EXPECT_FALSE(MatchesCommitted(made, EncodePng(base.copy(0, 0, 8, 7))));
    EXPECT_FALSE(MatchesCommitted(made, QByteArray("not a picture")));
    // Music and sounds get no such slack.
    const GeneratedFile midi{"resources/Midi/x.mid", QByteArray("MThd\x00\x01", 6)};
    EXPECT_FALSE(MatchesCommitted(midi, QByteArray("MThd\x00\x02", 6)));
}

TEST(Generators, ThePremultipliedRoundTripStaysWithinTheTolerance) {
    // Every alpha and channel value through this machine's own conversions, the way a picture
    // goes into a QPixmap and back out.
    QImage all(256, 255, QImage::Format_ARGB32);
    for (int a = 1; a < 256; ++a)
        for (int c = 0; c < 256; ++c) all.setPixel(c, a - 1, qRgba(c, 255 - c, c / 2, a));
    const QImage back =
        all.convertToFormat(QImage::Format_ARGB32_Premultiplied).convertToFormat(QImage::Format_ARGB32);
    const std::optional<QString> diff = PictureDifference(all, back);
    EXPECT_FALSE(diff) << qPrintable(*diff);
    EXPECT_EQ(RoundTripTolerance(255), 0);
    EXPECT_EQ(RoundTripTolerance(128), 1);
    EXPECT_EQ(RoundTripTolerance(1), 128);
}

TEST(Generators, EveryRunMakesTheSameFiles) {
    const auto music = MusicFiles(), again = MusicFiles();
    ASSERT_EQ(music.size(), again.size());
    for (std::size_t i = 0; i < music.size(); ++i)
        EXPECT_EQ(music[i].bytes, again[i].bytes) << qPrintable(music[i].path);
    EXPECT_EQ(SoundFiles()[0].bytes, SoundFiles()[0].bytes);
    const auto pictures = AllPictures();
    for (const PictureRecipe& recipe : {pictures.front(), pictures[20]}) {
        SCOPED_TRACE(qPrintable(recipe.name));
        EXPECT_EQ(EncodePng(Render(recipe, 2)), EncodePng(Render(recipe, 2)));
    }
}

TEST(Generators, TheResourceFoldersHoldExactlyWhatTheGeneratorsMake) {
    // A file left over from an old design would be shipped without anyone meaning to.
    QSet<QString> made;
    for (const PictureRecipe& recipe : AllPictures()) {
        made.insert("pictures/" + recipe.name + ".png");
        made.insert("pictures/" + recipe.name + "@2x.png");
    }
    for (const Piece& piece : AllPieces()) made.insert("Midi/" + piece.fileName);
    made.insert("Sound/correct.wav");
    made.insert("Sound/miss.wav");
    QSet<QString> shipped;
    const QDir res(QStringLiteral(KD_SOURCE_DIR "/resources"));
    for (const char* folder : {"pictures", "Midi", "Sound"})
        for (const QString& f : QDir(res.filePath(folder)).entryList(QDir::Files))
            shipped.insert(QString::fromLatin1(folder) + "/" + f);
    EXPECT_EQ(made.size(), 2 * 35 + 9 + 2);
    for (const QString& f : shipped - made) ADD_FAILURE() << "not made by the generators: " << qPrintable(f);
    for (const QString& f : made - shipped) ADD_FAILURE() << "generated but not committed: " << qPrintable(f);
}

}  // namespace
