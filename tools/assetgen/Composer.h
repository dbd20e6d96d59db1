#pragma once
// A small songwriting kit: a piece is a list of sections, each a chord progression played by a
// band of General MIDI voices in one of a few styles. Melodies are made from short motifs that
// come back whenever their section comes back, so every piece has a tune one can hum.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "tools/assetgen/Style.h"

namespace kd::assetgen {

enum class ScaleKind { Major, Minor, HarmonicMinor };
enum class BassStyle { None, Hold, Walk, Drive, Gallop, Riff };
enum class CompStyle { None, Pad, Stabs, Offbeat, Arp8, Arp16, Power };
enum class DrumStyle { None, Light, Shuffle, Rock, Drive, Dance, Double };

struct Band {
    int lead = 80;     // General MIDI programs, 0-based
    int harmony = -1;  // doubles the lead a third below in lively sections; -1: none
    int comp = 0;
    int pad = 48;
    int bass = 33;
    int leadOctave = 5;  // octave of the tonic the melody circles around (C5 = 72)
};

struct SectionPlan {
    const char* chords;  // roman numerals, one bar each; "IV-V" splits a bar in two
    int energy = 1;      // 0 calm .. 3 all out
    char melody = 0;     // sections with the same letter sing the same tune; 0: no melody
    BassStyle bass = BassStyle::Drive;
    CompStyle comp = CompStyle::None;
    bool pad = false;
    DrumStyle drums = DrumStyle::Rock;
    bool harmony = false;
};

class Composer {
  public:
    Composer(const QString& title, int tonic, ScaleKind scale, double bpm, std::uint32_t seed,
             const Band& band);

    void Add(const SectionPlan& section);
    // A held final chord with a cymbal, then silence to let it ring.
    void Ending(const char* chord = "I");
    QByteArray Encode() const;
    double Seconds() const;

  private:
    struct Chord {
        int root;                // semitones above the tonic
        std::vector<int> tones;  // semitones above the root
    };
    struct NoteEvent {
        int tick, key, velocity, duration;
    };
    struct MotifNote {
        int slot, length, step;  // sixteenths within two bars; scale steps from the phrase's first note
    };
    using Motif = std::vector<MotifNote>;
    enum Voice { kLead, kHarmony, kComp, kPad, kBass, kDrums, kVoices };

    static Chord ParseChord(const QString& symbol, ScaleKind scale);
    std::vector<std::vector<Chord>> ParseBars(const char* chords) const;
    const Chord& ChordAt(const std::vector<std::vector<Chord>>& bars, int slotInSection) const;

    Motif MakeMotif(int energy, bool cadence);
    void Melody(const SectionPlan& s, const std::vector<std::vector<Chord>>& bars);
    void Bass(const SectionPlan& s, const std::vector<std::vector<Chord>>& bars);
    void Comp(const SectionPlan& s, const std::vector<std::vector<Chord>>& bars);
    void Pad(const std::vector<std::vector<Chord>>& bars);
    void Drums(const SectionPlan& s, int barCount, bool first);

    int ScaleKey(int index) const;  // scale index (0 = tonic of octave 0 around the lead) to a key
    bool IsChordTone(int index, const Chord& chord) const;
    // The chord tone nearest to `index`, looking first in `direction` (-1 down, 1 up).
    int NearestChordIndex(int index, const Chord& chord, int direction = 1) const;
    int NextChordIndex(int from, const Chord& chord, int direction) const;
    std::vector<int> Voicing(const Chord& chord, int low, int high);
    void Put(Voice v, int tick, int key, int velocity, int duration);
    int Humanize(int velocity);

    QString m_title;
    int m_tonic;
    ScaleKind m_scale;
    double m_bpm;
    Lcg m_rnd;
    Band m_band;
    int m_tick = 0;
    int m_end = 0;
    int m_lastMelodyIndex = 2;
    std::vector<int> m_lastVoicing;
    std::map<char, std::array<Motif, 3>> m_motifs;  // per tune: opening, answer, cadence
    std::vector<NoteEvent> m_notes[kVoices];
};

}  // namespace kd::assetgen
