// The nine pieces of music, read back with a Standard MIDI File reader of the test's own.
#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <map>
#include <set>
#include <stdexcept>

namespace {

struct Song {
    int format = -1;
    int division = 0;
    int declaredTracks = 0;
    int tracks = 0;
    std::map<long, int> tempos;      // tick -> microseconds per quarter
    std::set<int> channelsWithNotes; // 1-based, as musicians count (drums = 10)
    std::set<int> channelsProgrammedBeforeNotes;
    int notes = 0;
    int hangingNotes = 0;            // note-ons never ended
    long endTick = 0;
    long size = 0;

    double Seconds() const {
        double seconds = 0;
        long tick = 0;
        int tempo = 500000;
        for (const auto& [at, us] : tempos) {
            if (at >= endTick) break;
            seconds += double(at - tick) * tempo / division / 1e6;
            tick = at;
            tempo = us;
        }
        return seconds + double(endTick - tick) * tempo / division / 1e6;
    }
    int FirstTempo() const { return tempos.empty() ? 500000 : tempos.begin()->second; }
};

class Reader {
public:
    explicit Reader(QByteArray bytes) : m_b(std::move(bytes)) {}

    Song Read() {
        Song s;
        s.size = m_b.size();
        Expect("MThd");
        if (U32() != 6) throw std::runtime_error("header length");
        s.format = U16();
        s.declaredTracks = U16();
        s.division = U16();
        if (s.division <= 0 || s.division >= 0x8000) throw std::runtime_error("division");
        while (m_pos < m_b.size()) {
            Expect("MTrk");
            const long length = U32();
            const qsizetype end = m_pos + length;
            if (end > m_b.size()) throw std::runtime_error("track runs past the file");
            Track(s, end);
            ++s.tracks;
        }
        return s;
    }

private:
    void Track(Song& s, qsizetype end) {
        long tick = 0;
        int running = -1;
        std::map<std::pair<int, int>, int> open;
        bool ended = false;
        while (m_pos < end) {
            if (ended) throw std::runtime_error("events after end-of-track");
            tick += VarLen();
            int status = Byte();
            if (status < 0x80) {
                if (running < 0) throw std::runtime_error("running status without a status");
                status = running;
                --m_pos;
            }
            if (status == 0xff) {
                running = -1;
                const int type = Byte();
                const long len = VarLen();
                if (type == 0x51) {
                    if (len != 3) throw std::runtime_error("tempo length");
                    s.tempos[tick] = (Byte() << 16) | (Byte() << 8) | Byte();
                } else {
                    m_pos += len;
                }
                if (type == 0x2f) {
                    ended = true;
                    s.endTick = std::max(s.endTick, tick);
                }
            } else if (status == 0xf0 || status == 0xf7) {
                running = -1;
                m_pos += VarLen();
            } else {
                running = status;
                const int kind = status & 0xf0, channel = (status & 0x0f) + 1;
                const int a = Byte();
                const int b = (kind == 0xc0 || kind == 0xd0) ? 0 : Byte();
                if (a > 127 || b > 127) throw std::runtime_error("data byte out of range");
                if (kind == 0xc0 && !s.channelsWithNotes.count(channel)) s.channelsProgrammedBeforeNotes.insert(channel);
                if (kind == 0x90 && b > 0) {
                    ++open[{channel, a}];
                    ++s.notes;
                    s.channelsWithNotes.insert(channel);
                } else if (kind == 0x80 || kind == 0x90) {
                    if (open[{channel, a}] > 0) --open[{channel, a}];
                }
            }
        }
        if (m_pos != end) throw std::runtime_error("event runs past the track");
        if (!ended) throw std::runtime_error("track without end-of-track");
        for (const auto& [key, count] : open) s.hangingNotes += count;
    }

    void Expect(const char* tag) {
        if (m_b.mid(m_pos, 4) != QByteArray(tag)) throw std::runtime_error(std::string("expected ") + tag);
        m_pos += 4;
    }
    int Byte() {
        if (m_pos >= m_b.size()) throw std::runtime_error("unexpected end of file");
        return quint8(m_b[m_pos++]);
    }
    int U16() { return (Byte() << 8) | Byte(); }
    long U32() { return (long(U16()) << 16) | U16(); }
    long VarLen() {
        long v = 0;
        for (int i = 0; i < 4; ++i) {
            const int c = Byte();
            v = (v << 7) | (c & 0x7f);
            if (!(c & 0x80)) return v;
        }
        throw std::runtime_error("variable-length number too long");
    }

    QByteArray m_b;
    qsizetype m_pos = 0;
};

Song Load(const char* name) {
    QFile f(QStringLiteral(KD_SOURCE_DIR "/resources/Midi/") + QString::fromLatin1(name));
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("missing");
    return Reader(f.readAll()).Read();
}

const char* const kPieces[] = {"startup.mid", "back.mid", "umai3.mid", "heat1.mid", "heat2.mid",
                               "heat3.mid",   "98.mid",   "coolguy.mid", "recovery1.mid"};

TEST(Music, EveryPieceIsAWellFormedMultiTrackFile) {
    for (const char* name : kPieces) {
        SCOPED_TRACE(name);
        Song s;
        ASSERT_NO_THROW(s = Load(name));
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
        const Song s = Load(name);
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
        const double seconds = Load(name).Seconds();
        EXPECT_GE(seconds, 60.0);
        EXPECT_LE(seconds, 120.0);
    }
}

TEST(Music, TheHeatsGetFasterOneAfterAnother) {
    const char* heats[] = {"umai3.mid", "heat1.mid", "heat2.mid", "heat3.mid", "98.mid"};
    int previous = 1 << 30;  // microseconds per beat: smaller is faster
    for (const char* name : heats) {
        SCOPED_TRACE(name);
        const int tempo = Load(name).FirstTempo();
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
    trailing.insert(firstTrack + 8, QByteArray("\x00\xff\x2f\x00", 4));  // early end-of-track, length unchanged
    EXPECT_THROW(Reader(trailing).Read(), std::runtime_error);
}

}  // namespace
