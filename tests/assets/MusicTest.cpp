// The nine pieces of music, read back with a Standard MIDI File reader of the test's own.
#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <stdexcept>

#include "SmfReader.h"

namespace {

using kd::test::Reader;
using kd::test::Song;

Song LoadSong(const char* name) {
    QFile f(QStringLiteral(KD_SOURCE_DIR "/resources/Midi/") + QString::fromLatin1(name));
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("missing");
    return Reader(f.readAll()).Read();
}

const char* const kPieces[] = {"startup.mid", "back.mid", "umai3.mid",   "heat1.mid",    "heat2.mid",
                               "heat3.mid",   "98.mid",   "coolguy.mid", "recovery1.mid"};

TEST(Music, EveryPieceIsAWellFormedMultiTrackFile) {
    for (const char* name : kPieces) {
        SCOPED_TRACE(name);
        Song s;
        ASSERT_NO_THROW(s = LoadSong(name));
        EXPECT_EQ(s.format, 1);
        EXPECT_EQ(s.tracks, s.declaredTracks);
        EXPECT_GE(s.tracks, 4);  // tempo track, melody, bass, drums at least
        EXPECT_EQ(s.hangingNotes, 0);
        EXPECT_LT(s.size, 64 * 1024);
    }
}

TEST(Music, EveryPieceHasABandWithDrumsOnChannelTen) {
    for (const char* name : kPieces) {
        SCOPED_TRACE(name);
        const Song s = LoadSong(name);
        EXPECT_GE(s.channelsWithNotes.size(), 3u);
        EXPECT_TRUE(s.channelsWithNotes.count(10));
        EXPECT_GT(s.notes, 300);
        // Each instrument is chosen before it plays, so no piece starts on the default piano.
        for (int ch : s.channelsWithNotes)
            if (ch != 10) {
                EXPECT_TRUE(s.channelsProgrammedBeforeNotes.count(ch)) << "channel " << ch;
            }
    }
}

TEST(Music, EveryPieceLastsBetweenOneAndTwoMinutes) {
    for (const char* name : kPieces) {
        SCOPED_TRACE(name);
        const double seconds = LoadSong(name).Seconds();
        EXPECT_GE(seconds, 60.0);
        EXPECT_LE(seconds, 120.0);
    }
}

TEST(Music, TheHeatsGetFasterOneAfterAnother) {
    const char* heats[] = {"umai3.mid", "heat1.mid", "heat2.mid", "heat3.mid", "98.mid"};
    int previous = 1 << 30;  // microseconds per beat: smaller is faster
    for (const char* name : heats) {
        SCOPED_TRACE(name);
        const int tempo = LoadSong(name).FirstTempo();
        EXPECT_LT(tempo, previous);
        previous = tempo;
    }
}

TEST(Music, TheReaderRejectsDamagedFiles) {
    // The checks above are only worth something if the reader notices a broken file.
    QFile f(QStringLiteral(KD_SOURCE_DIR "/resources/Midi/startup.mid"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray good = f.readAll();
    EXPECT_NO_THROW(Reader(good).Read());
    EXPECT_THROW(Reader(good.left(good.size() - 3)).Read(), std::runtime_error);  // end-of-track cut off
    QByteArray badTag = good;
    badTag[0] = 'X';
    EXPECT_THROW(Reader(badTag).Read(), std::runtime_error);
    QByteArray trailing = good;
    const int firstTrack = good.indexOf("MTrk");
    trailing.insert(firstTrack + 8,
                    QByteArray("\x00\xff\x2f\x00", 4));  // early end-of-track, length unchanged
    EXPECT_THROW(Reader(trailing).Read(), std::runtime_error);
}

}  // namespace
