#include "tools/assetgen/Smf.h"

#include <algorithm>
#include <cmath>

namespace kd::assetgen {
namespace {

void PutVarLen(QByteArray& out, quint32 value) {
    char buf[5];
    int n = 0;
    buf[n++] = char(value & 0x7f);
    while (value >>= 7) buf[n++] = char((value & 0x7f) | 0x80);
    while (n) out.append(buf[--n]);
}

void PutBe(QByteArray& out, quint32 value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.append(char((value >> (8 * i)) & 0xff));
}

QByteArray Meta(int type, const QByteArray& data) {
    QByteArray b;
    b.append(char(0xff));
    b.append(char(type));
    PutVarLen(b, quint32(data.size()));
    b.append(data);
    return b;
}

QByteArray Channel(int status, int channel, int a, int b = -1) {
    QByteArray bytes;
    bytes.append(char(status | (channel & 0x0f)));
    bytes.append(char(std::clamp(a, 0, 127)));
    if (b >= 0) bytes.append(char(std::clamp(b, 0, 127)));
    return bytes;
}

}  // namespace

SmfTrack::SmfTrack(const QString& name) {
    Add(0, 0, Meta(0x03, name.toUtf8()));
}

void SmfTrack::Add(int tick, int order, QByteArray bytes) {
    m_events.push_back({tick, order, int(m_events.size()), std::move(bytes)});
}

void SmfTrack::Tempo(int tick, double bpm) {
    QByteArray data;
    PutBe(data, quint32(std::lround(60000000.0 / bpm)), 3);
    Add(tick, 0, Meta(0x51, data));
}

void SmfTrack::TimeSignature(int tick, int numerator, int denominatorPower) {
    QByteArray data;
    data.append(char(numerator));
    data.append(char(denominatorPower));
    data.append(char(24));
    data.append(char(8));
    Add(tick, 0, Meta(0x58, data));
}

void SmfTrack::Text(int tick, int metaType, const QByteArray& text) {
    Add(tick, 0, Meta(metaType, text));
}

void SmfTrack::Program(int tick, int channel, int program) {
    Add(tick, 1, Channel(0xc0, channel, program));
}

void SmfTrack::Control(int tick, int channel, int controller, int value) {
    Add(tick, 1, Channel(0xb0, channel, controller, value));
}

void SmfTrack::Note(int tick, int channel, int key, int velocity, int duration) {
    if (duration <= 0 || velocity <= 0) return;
    Add(tick, 3, Channel(0x90, channel, key, velocity));
    Add(tick + duration, 2, Channel(0x90, channel, key, 0));  // note-on at zero velocity ends it
    ++m_notes;
}

int SmfTrack::LastTick() const {
    int last = 0;
    for (const Event& e : m_events) last = std::max(last, e.tick);
    return last;
}

QByteArray SmfTrack::Encode(int endTick) const {
    std::vector<const Event*> sorted;
    for (const Event& e : m_events) sorted.push_back(&e);
    std::sort(sorted.begin(), sorted.end(), [](const Event* a, const Event* b) {
        if (a->tick != b->tick) return a->tick < b->tick;
        if (a->order != b->order) return a->order < b->order;
        return a->seq < b->seq;
    });
    QByteArray body;
    int now = 0;
    int running = -1;
    for (const Event* e : sorted) {
        PutVarLen(body, quint32(e->tick - now));
        now = e->tick;
        const int status = quint8(e->bytes[0]);
        if (status >= 0xf0) {
            running = -1;  // meta events cancel running status
            body.append(e->bytes);
        } else if (status == running) {
            body.append(e->bytes.mid(1));
        } else {
            running = status;
            body.append(e->bytes);
        }
    }
    PutVarLen(body, quint32(std::max(endTick, now) - now));
    body.append(Meta(0x2f, {}));
    QByteArray chunk("MTrk");
    PutBe(chunk, quint32(body.size()), 4);
    chunk.append(body);
    return chunk;
}

QByteArray SmfFile(int ticksPerQuarter, const std::vector<SmfTrack>& tracks, int endTick) {
    QByteArray out("MThd");
    PutBe(out, 6, 4);
    PutBe(out, 1, 2);
    PutBe(out, quint32(tracks.size()), 2);
    PutBe(out, quint32(ticksPerQuarter), 2);
    for (const SmfTrack& t : tracks) out.append(t.Encode(endTick));
    return out;
}

}  // namespace kd::assetgen
