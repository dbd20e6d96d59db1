#pragma once
// A small writer of Standard MIDI Files (format 1).
#include <QByteArray>
#include <QString>
#include <vector>

namespace kd::assetgen {

class SmfTrack {
  public:
    explicit SmfTrack(const QString& name);

    void Tempo(int tick, double bpm);
    void TimeSignature(int tick, int numerator, int denominatorPower);
    void Text(int tick, int metaType, const QByteArray& text);
    void Program(int tick, int channel, int program);
    void Control(int tick, int channel, int controller, int value);
    void Note(int tick, int channel, int key, int velocity, int duration);

    int LastTick() const;
    int NoteCount() const { return m_notes; }
    // The track chunk, closed by end-of-track at `endTick` (or later, if events run past it).
    QByteArray Encode(int endTick) const;

  private:
    struct Event {
        int tick;
        int order;  // at one tick: meta first, then set-up, then note-offs, then note-ons
        int seq;
        QByteArray bytes;
    };
    void Add(int tick, int order, QByteArray bytes);

    std::vector<Event> m_events;
    int m_notes = 0;
};

QByteArray SmfFile(int ticksPerQuarter, const std::vector<SmfTrack>& tracks, int endTick);

}  // namespace kd::assetgen
