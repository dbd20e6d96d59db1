#pragma once
// A Standard MIDI File reader of the tests' own, strict about structure, so the generated music
// is checked by code that shares nothing with the writer.
#include <QByteArray>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace kd::test {

struct NoteSpan {
    int channel, key;
    long start, end;
    bool operator==(const NoteSpan&) const = default;
};

struct Song {
    int format = -1;
    int division = 0;
    int declaredTracks = 0;
    int tracks = 0;
    std::map<long, int> tempos;       // tick -> microseconds per quarter
    std::set<int> channelsWithNotes;  // 1-based, as musicians count (drums = 10)
    std::set<int> channelsProgrammedBeforeNotes;
    int notes = 0;
    int hangingNotes = 0;         // note-ons never ended
    std::vector<NoteSpan> spans;  // in the order the notes end
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
        std::map<std::pair<int, int>, std::vector<long>> open;
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
                if (kind == 0xc0 && !s.channelsWithNotes.count(channel))
                    s.channelsProgrammedBeforeNotes.insert(channel);
                if (kind == 0x90 && b > 0) {
                    open[{channel, a}].push_back(tick);
                    ++s.notes;
                    s.channelsWithNotes.insert(channel);
                } else if (kind == 0x80 || kind == 0x90) {
                    auto& starts = open[{channel, a}];
                    if (!starts.empty()) {
                        s.spans.push_back({channel, a, starts.front(), tick});
                        starts.erase(starts.begin());
                    }
                }
            }
        }
        if (m_pos != end) throw std::runtime_error("event runs past the track");
        if (!ended) throw std::runtime_error("track without end-of-track");
        for (const auto& [key, starts] : open) s.hangingNotes += int(starts.size());
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

}  // namespace kd::test
