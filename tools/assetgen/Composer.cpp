#include "tools/assetgen/Composer.h"

#include <QStringList>
#include <algorithm>

#include "tools/assetgen/Smf.h"

namespace kd::assetgen {
namespace {

constexpr int kPpq = 480;
constexpr int kSixteenth = kPpq / 4;
constexpr int kBar = kPpq * 4;

constexpr int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr int kMinor[7] = {0, 2, 3, 5, 7, 8, 10};
constexpr int kHarmonic[7] = {0, 2, 3, 5, 7, 8, 11};

// General MIDI percussion keys.
enum Drum {
    kKick = 36,
    kSideStick = 37,
    kSnare = 38,
    kClap = 39,
    kClosedHat = 42,
    kLowTom = 45,
    kOpenHat = 46,
    kMidTom = 47,
    kHighTom = 50,
    kCrash = 49,
    kRide = 51,
    kTambourine = 54
};

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
int Mod(int a, int b) {
    return ((a % b) + b) % b;
}

// Two-bar rhythms in sixteenths: {start, length}.
using Rhythm = std::vector<std::pair<int, int>>;
const std::vector<Rhythm>& Rhythms(int energy) {
    static const std::vector<Rhythm> calm = {
        {{0, 8}, {8, 4}, {12, 4}, {16, 16}},
        {{0, 6}, {6, 2}, {8, 8}, {16, 4}, {20, 4}, {24, 8}},
        {{0, 4}, {4, 4}, {8, 4}, {12, 4}, {16, 12}, {28, 4}},
        {{4, 4}, {8, 4}, {12, 4}, {16, 8}, {24, 8}},
    };
    static const std::vector<Rhythm> lively = {
        {{0, 4}, {4, 4}, {8, 4}, {12, 4}, {16, 2}, {18, 2}, {20, 4}, {24, 8}},
        {{0, 6}, {6, 2}, {8, 4}, {12, 4}, {16, 8}, {24, 4}, {28, 4}},
        {{0, 2}, {2, 2}, {4, 2}, {6, 2}, {8, 4}, {12, 4}, {16, 6}, {22, 2}, {24, 8}},
        {{0, 2}, {2, 4}, {6, 2}, {8, 4}, {12, 4}, {16, 2}, {18, 4}, {22, 2}, {24, 8}},
        {{2, 2}, {4, 2}, {6, 4}, {10, 2}, {12, 4}, {16, 4}, {20, 4}, {24, 6}, {30, 2}},
    };
    static const std::vector<Rhythm> wild = {
        {{0, 1},
         {1, 1},
         {2, 2},
         {4, 2},
         {6, 2},
         {8, 4},
         {12, 4},
         {16, 1},
         {17, 1},
         {18, 2},
         {20, 2},
         {22, 2},
         {24, 8}},
        {{0, 2},
         {2, 2},
         {4, 1},
         {5, 1},
         {6, 2},
         {8, 2},
         {10, 2},
         {12, 4},
         {16, 2},
         {18, 2},
         {20, 2},
         {22, 2},
         {24, 8}},
        {{0, 3}, {3, 3}, {6, 2}, {8, 2}, {10, 2}, {12, 4}, {16, 3}, {19, 3}, {22, 2}, {24, 4}, {28, 4}},
        {{0, 2}, {2, 4}, {6, 2}, {8, 4}, {12, 4}, {16, 2}, {18, 4}, {22, 2}, {24, 8}},
    };
    return energy == 0 ? calm : energy >= 3 ? wild : lively;
}

}  // namespace

Composer::Composer(const QString& title, int tonic, ScaleKind scale, double bpm, std::uint32_t seed,
                   const Band& band)
    : m_title(title), m_tonic(tonic), m_scale(scale), m_bpm(bpm), m_rnd(seed), m_band(band) {}

Composer::Chord Composer::ParseChord(const QString& symbol, ScaleKind) {
    QString s = symbol;
    int accidental = 0;
    if (s.startsWith(QLatin1Char('b'))) accidental = -1, s.remove(0, 1);
    if (s.startsWith(QLatin1Char('#'))) accidental = 1, s.remove(0, 1);
    int len = 0;
    while (len < s.size() && QStringLiteral("IViv").contains(s[len])) ++len;
    const QString numeral = s.left(len);
    const QString suffix = s.mid(len);
    static const QStringList numerals = {"I", "II", "III", "IV", "V", "VI", "VII"};
    const int degree = int(numerals.indexOf(numeral.toUpper()));
    const bool minor = numeral == numeral.toLower();
    Chord c{Mod(kMajor[std::max(degree, 0)] + accidental, 12), {}};
    if (suffix == QLatin1String("5"))
        c.tones = {0, 7};
    else if (suffix == QLatin1String("sus4"))
        c.tones = {0, 5, 7};
    else if (suffix == QLatin1String("o"))
        c.tones = {0, 3, 6};
    else
        c.tones = {0, minor ? 3 : 4, 7};
    if (suffix == QLatin1String("7")) c.tones.push_back(10);
    if (suffix == QLatin1String("maj7")) c.tones.push_back(11);
    return c;
}

std::vector<std::vector<Composer::Chord>> Composer::ParseBars(const char* chords) const {
    std::vector<std::vector<Chord>> bars;
    for (const QString& bar : QString::fromLatin1(chords).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        std::vector<Chord> inBar;
        for (const QString& sym : bar.split(QLatin1Char('-'))) inBar.push_back(ParseChord(sym, m_scale));
        bars.push_back(inBar);
    }
    return bars;
}

const Composer::Chord& Composer::ChordAt(const std::vector<std::vector<Chord>>& bars, int slot) const {
    const auto& bar = bars[std::min<std::size_t>(slot / 16, bars.size() - 1)];
    return bar[std::min<std::size_t>(std::size_t(slot % 16) * bar.size() / 16, bar.size() - 1)];
}

int Composer::ScaleKey(int index) const {
    const int* scale = m_scale == ScaleKind::Major   ? kMajor
                       : m_scale == ScaleKind::Minor ? kMinor
                                                     : kHarmonic;
    const int base = 12 * (m_band.leadOctave + 1) + m_tonic % 12;
    return base + 12 * FloorDiv(index, 7) + scale[Mod(index, 7)];
}

bool Composer::IsChordTone(int index, const Chord& chord) const {
    const int pc = Mod(ScaleKey(index) - m_tonic, 12);
    for (int t : chord.tones)
        if (Mod(chord.root + t, 12) == pc) return true;
    return false;
}

int Composer::NearestChordIndex(int index, const Chord& chord, int direction) const {
    const int dir = direction < 0 ? -1 : 1;
    for (int d : {0, dir, -dir, 2 * dir, -2 * dir, 3 * dir, -3 * dir})
        if (IsChordTone(index + d, chord)) return index + d;
    return index;
}

int Composer::NextChordIndex(int from, const Chord& chord, int direction) const {
    for (int d = 1; d <= 7; ++d)
        if (IsChordTone(from + direction * d, chord)) return from + direction * d;
    return from + direction;
}

std::vector<int> Composer::Voicing(const Chord& chord, int low, int high) {
    // Every inversion that fits, then the one closest to the previous chord: smooth voice leading.
    std::vector<int> best;
    long bestCost = -1;
    const int n = int(chord.tones.size());
    for (int inversion = 0; inversion < n; ++inversion)
        for (int base = low; base <= high; ++base) {
            if (Mod(base - m_tonic, 12) != Mod(chord.root + chord.tones[inversion], 12)) continue;
            std::vector<int> v;
            for (int k = 0; k < n; ++k) {
                int key = m_tonic % 12 + chord.root + chord.tones[(inversion + k) % n];
                while (key < (v.empty() ? base : v.back() + 1)) key += 12;
                v.push_back(key);
            }
            if (v.back() > high) continue;
            long cost = 0;
            for (std::size_t k = 0; k < v.size(); ++k)
                cost += std::abs(v[k] - (k < m_lastVoicing.size() ? m_lastVoicing[k] : (low + high) / 2));
            if (bestCost < 0 || cost < bestCost) bestCost = cost, best = v;
        }
    m_lastVoicing = best;
    return best;
}

int Composer::Humanize(int velocity) {
    return std::clamp(velocity + int(m_rnd.Below(9)) - 4, 1, 127);
}

void Composer::Put(Voice v, int tick, int key, int velocity, int duration) {
    m_notes[v].push_back({tick, key, Humanize(velocity), duration});
}

Composer::Motif Composer::MakeMotif(int energy, bool cadence) {
    const auto& pool = Rhythms(energy);
    const Rhythm* rhythm = &pool[m_rnd.Below(int(pool.size()))];
    if (cadence)
        while (rhythm->back().second < 8 && rhythm->back().first + rhythm->back().second == 32)
            rhythm = &pool[m_rnd.Below(int(pool.size()))];
    Motif m;
    int step = 0;
    for (const auto& [slot, length] : *rhythm) {
        m.push_back({slot, length, step});
        // Mostly steps, some skips, the odd leap; drift back towards the start.
        const int roll = m_rnd.Below(20);
        int delta = roll < 2 ? 0 : roll < 12 ? 1 : roll < 17 ? 2 : 3 + m_rnd.Below(2);
        if (m_rnd.Below(2)) delta = -delta;
        if (step > 3) delta = -std::abs(delta);
        if (step < -2) delta = std::abs(delta);
        step += delta;
    }
    return m;
}

void Composer::Melody(const SectionPlan& s, const std::vector<std::vector<Chord>>& bars) {
    auto& tune = m_motifs[s.melody];
    if (tune[0].empty()) {
        tune[0] = MakeMotif(s.energy, false);
        tune[1] = MakeMotif(s.energy, false);
        tune[2] = MakeMotif(s.energy, true);
        // The answer opens like the question, so the tune hangs together.
        Motif answer;
        for (const MotifNote& n : tune[0])
            if (n.slot < 16) answer.push_back(n);
        for (const MotifNote& n : tune[1])
            if (n.slot >= 16) answer.push_back(n);
        tune[1] = answer;
    }
    const int phrases = int(bars.size()) / 2;
    const int anchor = 2 + (s.melody - 'A') % 3;
    for (int ph = 0; ph < phrases; ++ph) {
        const Motif& motif = ph == phrases - 1 ? tune[2] : (ph % 2 ? tune[1] : tune[0]);
        const int phraseSlot = ph * 32;
        const int start = NearestChordIndex(anchor + (ph % 2 ? 1 : 0), ChordAt(bars, phraseSlot));
        int previous = start, previousStep = 0;
        for (std::size_t i = 0; i < motif.size(); ++i) {
            const MotifNote& n = motif[i];
            // A note that would run into the next note is cut there.
            int length = n.length;
            if (i + 1 < motif.size()) length = std::min(length, motif[i + 1].slot - n.slot);
            const int slot = phraseSlot + n.slot;
            const Chord& chord = ChordAt(bars, slot);
            int index = start + n.step;
            const bool last = ph == phrases - 1 && i + 1 == motif.size();
            const bool strong = n.slot % 8 == 0 || n.length >= 6 || last;
            const int direction = n.step > previousStep ? 1 : n.step < previousStep ? -1 : 0;
            if (strong) index = NearestChordIndex(index, chord, direction);
            // Snapping must not flatten a rising or falling line into a repeated note.
            if (i > 0 && direction != 0 && index == previous)
                index = strong ? NextChordIndex(previous, chord, direction) : previous + direction;
            if (last) {
                // Land on the chord's root: the phrase sounds finished.
                for (int d : {0, 1, -1, 2, -2, 3, -3})
                    if (Mod(ScaleKey(index + d) - m_tonic - chord.root, 12) == 0) {
                        index += d;
                        break;
                    }
            }
            while (index > 11) index -= 7;
            while (index < -4) index += 7;
            previous = index;
            previousStep = n.step;
            const int tick = m_tick + slot * kSixteenth;
            const int velocity = 84 + 6 * s.energy + (n.slot % 16 == 0 ? 8 : 0);
            const int dur = length * kSixteenth * (length <= 2 && s.energy >= 2 ? 75 : 92) / 100;
            Put(kLead, tick, ScaleKey(index), velocity, dur);
            if (s.harmony) Put(kHarmony, tick, ScaleKey(index - 2), velocity - 14, dur);
        }
    }
}

void Composer::Bass(const SectionPlan& s, const std::vector<std::vector<Chord>>& bars) {
    auto key = [this](const Chord& c, int extra = 0) { return 33 + Mod(m_tonic + c.root - 9, 12) + extra; };
    const int vel = 84 + 6 * s.energy;
    const int slotCount = int(bars.size()) * 16;
    for (int slot = 0; slot < slotCount; ++slot) {
        const Chord& c = ChordAt(bars, slot);
        const int tick = m_tick + slot * kSixteenth;
        const int inBar = slot % 16;
        const bool chordStart = slot == 0 || &ChordAt(bars, slot - 1) != &c;
        switch (s.bass) {
            case BassStyle::None:
                break;
            case BassStyle::Hold:
                if (chordStart) {
                    int len = 1;
                    while (slot + len < slotCount && &ChordAt(bars, slot + len) == &c) ++len;
                    Put(kBass, tick, key(c), vel - 6, len * kSixteenth - 30);
                }
                break;
            case BassStyle::Walk:
                if (inBar % 4 == 0) {
                    const int beat = inBar / 4;
                    const Chord& next = ChordAt(bars, std::min(slot + 4, slotCount - 1));
                    const int k = beat == 0   ? key(c)
                                  : beat == 1 ? key(c, 7)
                                  : beat == 2 ? key(c, 12)
                                              : key(next) + (m_rnd.Below(2) ? -1 : 2);
                    Put(kBass, tick, k, vel - (beat % 2) * 8, 4 * kSixteenth - 40);
                }
                break;
            case BassStyle::Drive:
                if (inBar % 2 == 0)
                    Put(kBass, tick, key(c, (inBar == 6 || inBar == 14) ? 12 : 0), vel - (inBar % 4 ? 10 : 0),
                        2 * kSixteenth - 50);
                break;
            case BassStyle::Gallop:
                if (inBar % 4 != 1)
                    Put(kBass, tick, key(c, inBar == 8 ? 7 : 0), vel - (inBar % 4 ? 12 : 0),
                        (inBar % 4 == 0 ? 2 : 1) * kSixteenth - 20);
                break;
            case BassStyle::Riff: {
                static const int riff[16] = {0, -1, 0, 0, 12, -1, 0, -1, 0, -1, 7, -1, 10, -1, 7, 5};
                if (riff[inBar] >= 0)
                    Put(kBass, tick, key(c, riff[inBar]), vel - (inBar % 4 ? 10 : 0), kSixteenth + 40);
                break;
            }
        }
    }
}

void Composer::Comp(const SectionPlan& s, const std::vector<std::vector<Chord>>& bars) {
    const int vel = 64 + 8 * s.energy;
    const int slotCount = int(bars.size()) * 16;
    std::vector<int> voicing;
    const Chord* current = nullptr;
    for (int slot = 0; slot < slotCount; ++slot) {
        const Chord& c = ChordAt(bars, slot);
        if (&c != current) {
            current = &c;
            voicing = s.comp == CompStyle::Power ? std::vector<int>{} : Voicing(c, 55, 79);
            if (s.comp == CompStyle::Power) {
                const int root = 40 + Mod(m_tonic + c.root - 4, 12);
                voicing = {root, root + 7, root + 12};
            }
        }
        const int tick = m_tick + slot * kSixteenth;
        const int inBar = slot % 16;
        auto chord = [&](int len, int v) {
            for (int k : voicing) Put(kComp, tick, k, v, len);
        };
        switch (s.comp) {
            case CompStyle::None:
            case CompStyle::Pad:
                break;
            case CompStyle::Stabs:
                if (inBar == 0 || inBar == 6 || inBar == 12) chord(kSixteenth * 2, vel + (inBar ? 0 : 6));
                break;
            case CompStyle::Offbeat:
                if (inBar % 4 == 2) chord(kSixteenth - 10, vel);
                break;
            case CompStyle::Arp8:
                if (inBar % 2 == 0) {
                    static const int order[8] = {0, 1, 2, 3, 2, 1, 2, 1};
                    const int i = order[(inBar / 2) % 8];
                    const int k = i < int(voicing.size()) ? voicing[i] : voicing[0] + 12;
                    Put(kComp, tick, k, vel - (inBar % 4 ? 8 : 0), kSixteenth * 3);
                }
                break;
            case CompStyle::Arp16: {
                static const int order[8] = {0, 1, 2, 3, 4, 3, 2, 1};
                const int i = order[inBar % 8];
                const int n = int(voicing.size());
                const int k = voicing[i % n] + 12 * (i / n);
                Put(kComp, tick, k, vel - (inBar % 4 ? 10 : 0), kSixteenth - 10);
                break;
            }
            case CompStyle::Power:
                if (inBar % 2 == 0)
                    chord(inBar % 8 == 0 ? kSixteenth * 2 - 20 : kSixteenth - 20,
                          vel + (inBar % 8 ? -10 : 4));
                break;
        }
    }
}

void Composer::Pad(const std::vector<std::vector<Chord>>& bars) {
    const int slotCount = int(bars.size()) * 16;
    const std::vector<int> saved = m_lastVoicing;
    for (int slot = 0; slot < slotCount; ++slot) {
        const Chord& c = ChordAt(bars, slot);
        if (slot && &ChordAt(bars, slot - 1) == &c) continue;
        int len = 1;
        while (slot + len < slotCount && &ChordAt(bars, slot + len) == &c) ++len;
        for (int k : Voicing(c, 52, 72))
            Put(kPad, m_tick + slot * kSixteenth, k - 0, 62, len * kSixteenth - 20);
    }
    m_lastVoicing = saved;
}

void Composer::Drums(const SectionPlan& s, int barCount, bool first) {
    const int accent = 6 * s.energy;
    for (int bar = 0; bar < barCount; ++bar) {
        const int barTick = m_tick + bar * kBar;
        const bool fillBar = barCount >= 4 && bar == barCount - 1;
        const bool halfFill = barCount >= 8 && bar == barCount / 2 - 1;
        auto hit = [&](int step, int key, int vel) {
            Put(kDrums, barTick + step * kSixteenth, key, vel, kSixteenth);
        };
        if (bar == 0 && first && s.drums != DrumStyle::None)
            hit(0, s.energy == 0 ? kRide : kCrash, 90 + accent);
        for (int step = 0; step < 16; ++step) {
            const bool inFill = (fillBar && step >= (s.energy >= 3 ? 8 : 12)) || (halfFill && step >= 14);
            if (inFill) {
                if (s.energy >= 2) {
                    static const int toms[8] = {kHighTom, kHighTom, kMidTom, kMidTom,
                                                kSnare,   kSnare,   kLowTom, kLowTom};
                    hit(step, s.energy >= 3 ? toms[step - 8 >= 0 ? step - 8 : 0] : kSnare, 80 + step * 2);
                } else if (step % 2 == 0) {
                    hit(step, kSnare, 70 + step * 2);
                }
                continue;
            }
            switch (s.drums) {
                case DrumStyle::None:
                    break;
                case DrumStyle::Light:
                    if (step % 2 == 0) hit(step, kClosedHat, step % 4 ? 42 : 56);
                    if (step == 0 || step == 8) hit(step, kKick, 72);
                    if (step == 4 || step == 12) hit(step, kSideStick, 64);
                    break;
                case DrumStyle::Shuffle:
                    if (step % 4 == 0) {
                        hit(step, kRide, 62);
                        Put(kDrums, barTick + step * kSixteenth + kPpq * 2 / 3, kRide, 48, kSixteenth);
                    }
                    if (step == 0 || step == 10) hit(step, kKick, 74);
                    if (step == 4 || step == 12) hit(step, kSnare, 66);
                    if (step == 12 && bar % 2) hit(step, kTambourine, 50);
                    break;
                case DrumStyle::Rock:
                    if (step % 2 == 0)
                        hit(step, (step == 14 && bar % 2) ? kOpenHat : kClosedHat, step % 4 ? 58 : 72);
                    if (step == 0 || step == 8 || step == 10) hit(step, kKick, 90 + accent);
                    if (step == 4 || step == 12) hit(step, kSnare, 92 + accent);
                    break;
                case DrumStyle::Drive:
                    hit(step, kClosedHat, step % 4 == 0 ? 78 : step % 2 ? 46 : 60);
                    if (step == 0 || step == 6 || step == 8 || step == 11) hit(step, kKick, 96 + accent);
                    if (step == 4 || step == 12) hit(step, kSnare, 100 + accent);
                    break;
                case DrumStyle::Dance:
                    if (step % 4 == 0) hit(step, kKick, 100 + accent);
                    if (step % 4 == 2) hit(step, kOpenHat, 64);
                    if (step % 2 == 1) hit(step, kClosedHat, 44);
                    if (step == 4 || step == 12) {
                        hit(step, kSnare, 92 + accent);
                        hit(step, kClap, 70);
                    }
                    break;
                case DrumStyle::Double:
                    if (step % 2 == 0) hit(step, step % 4 ? kClosedHat : kRide, 70);
                    if (step % 4 == 0) hit(step, kKick, 100 + accent);
                    if (step % 4 == 2) hit(step, kSnare, 90 + accent);
                    if (step == 0 && bar % 4 == 0 && bar) hit(step, kCrash, 90);
                    break;
            }
        }
    }
}

void Composer::Add(const SectionPlan& s) {
    const auto bars = ParseBars(s.chords);
    if (s.melody) Melody(s, bars);
    Bass(s, bars);
    if (s.comp != CompStyle::None && s.comp != CompStyle::Pad) Comp(s, bars);
    if (s.pad || s.comp == CompStyle::Pad) Pad(bars);
    Drums(s, int(bars.size()), true);
    m_tick += int(bars.size()) * kBar;
}

void Composer::Ending(const char* chordName) {
    const Chord c = ParseChord(QString::fromLatin1(chordName), m_scale);
    const int hold = kBar + kBar / 2;
    int index = NearestChordIndex(0, c);
    Put(kLead, m_tick, ScaleKey(index), 100, hold);
    for (int k : Voicing(c, 52, 72)) Put(kPad, m_tick, k, 70, hold);
    for (int k : Voicing(c, 55, 79)) Put(kComp, m_tick, k, 84, hold);
    Put(kBass, m_tick, 33 + Mod(m_tonic + c.root - 9, 12), 96, hold);
    Put(kDrums, m_tick, kCrash, 104, kBar);
    Put(kDrums, m_tick, kKick, 104, kSixteenth);
    m_end = m_tick + 2 * kBar;
    m_tick = m_end;
}

double Composer::Seconds() const {
    return double(std::max(m_end, m_tick)) / kPpq * 60.0 / m_bpm;
}

QByteArray Composer::Encode() const {
    const int end = std::max(m_end, m_tick);
    std::vector<SmfTrack> tracks;
    SmfTrack conductor(m_title);
    conductor.Text(0, 0x02, "Key Derby");
    conductor.TimeSignature(0, 4, 2);
    conductor.Tempo(0, m_bpm);
    tracks.push_back(conductor);

    struct Setup {
        const char* name;
        int channel, program, volume, pan, reverb;
    };
    const Setup setups[kVoices] = {
        {"Melody", 0, m_band.lead, 100, 64, 40}, {"Harmony", 1, m_band.harmony, 80, 84, 40},
        {"Chords", 2, m_band.comp, 78, 44, 36},  {"Pad", 3, m_band.pad, 70, 76, 60},
        {"Bass", 4, m_band.bass, 100, 64, 16},   {"Drums", 9, 0, 96, 64, 30},
    };
    for (int v = 0; v < kVoices; ++v) {
        if (m_notes[v].empty()) continue;
        const Setup& set = setups[v];
        SmfTrack track(QString::fromLatin1(set.name));
        track.Program(0, set.channel, std::max(set.program, 0));
        track.Control(0, set.channel, 7, set.volume);
        track.Control(0, set.channel, 10, set.pan);
        track.Control(0, set.channel, 91, set.reverb);
        // A note struck again before it ended is cut short there, so no note hangs.
        std::vector<NoteEvent> notes = m_notes[v];
        std::stable_sort(notes.begin(), notes.end(),
                         [](auto& a, auto& b) { return a.key != b.key ? a.key < b.key : a.tick < b.tick; });
        for (std::size_t i = 0; i < notes.size(); ++i) {
            int dur = notes[i].duration;
            if (i + 1 < notes.size() && notes[i + 1].key == notes[i].key)
                dur = std::min(dur, notes[i + 1].tick - notes[i].tick);
            if (notes[i].tick + dur > end) dur = end - notes[i].tick;
            track.Note(notes[i].tick, set.channel, notes[i].key, notes[i].velocity, dur);
        }
        tracks.push_back(track);
    }
    return SmfFile(kPpq, tracks, end);
}

}  // namespace kd::assetgen
