// The nine pieces. The five heats climb in tempo and drive (132 -> 172 beats a minute, from a
// bouncy pop-rock to an all-out brass gallop); the boss fight is in a harmonic minor with a
// metal riff; the roll call winds down gently.
#include "tools/assetgen/Composer.h"
#include "tools/assetgen/Music.h"

namespace kd::assetgen {
namespace {

// General MIDI programs, 0-based.
enum Gm {
    kPiano = 0,
    kPercOrgan = 17,
    kNylon = 24,
    kCleanGuitar = 27,
    kOverdrive = 29,
    kDistortion = 30,
    kAcousticBass = 32,
    kFingerBass = 33,
    kPickBass = 34,
    kSynthBass = 38,
    kStrings = 48,
    kSynthStrings = 50,
    kTrumpet = 56,
    kBrass = 61,
    kSynthBrass = 62,
    kClarinet = 71,
    kFlute = 73,
    kSquare = 80,
    kSaw = 81,
    kWarmPad = 89,
    kMarimba = 12,
    kVibes = 11
};

using B = BassStyle;
using C = CompStyle;
using D = DrumStyle;

QByteArray Startup() {
    Composer m("Key Derby - Title", 60, ScaleKind::Major, 126, 101,
               Band{kSquare, kBrass, kPiano, kStrings, kFingerBass, 5});
    m.Add({"I IV V V", 1, 0, B::Hold, C::Stabs, true, D::Light});
    const SectionPlan a{"I V vi IV I V IV-V I", 2, 'A', B::Drive, C::Stabs, false, D::Rock};
    m.Add(a);
    m.Add({"vi IV I V vi IV ii V", 1, 'B', B::Walk, C::Arp8, true, D::Light});
    m.Add(a);
    m.Add({"IV V iii vi IV V I I", 2, 'C', B::Drive, C::Stabs, true, D::Rock, true});
    SectionPlan last = a;
    last.harmony = true;
    last.pad = true;
    m.Add(last);
    m.Add({"IV V", 2, 0, B::Drive, C::Stabs, true, D::Rock});
    m.Ending("I");
    return m.Encode();
}

QByteArray CharacterSelect() {
    Composer m("Key Derby - Choose Your Racer", 65, ScaleKind::Major, 108, 202,
               Band{kFlute, kVibes, kMarimba, kWarmPad, kAcousticBass, 5});
    m.Add({"I vi ii V", 0, 0, B::Hold, C::Arp8, false, D::Light});
    const SectionPlan a{"I vi ii V I vi IV-V I", 1, 'A', B::Walk, C::Arp8, false, D::Shuffle};
    const SectionPlan b{"IV iii ii I IV iii ii V", 1, 'B', B::Walk, C::Offbeat, true, D::Shuffle};
    m.Add(a);
    m.Add(b);
    m.Add(a);
    SectionPlan b2 = b;
    b2.harmony = true;
    m.Add(b2);
    m.Ending("I");
    return m.Encode();
}

QByteArray Heat1() {
    Composer m("Key Derby - Heat 1", 67, ScaleKind::Major, 132, 303,
               Band{kSaw, kSquare, kCleanGuitar, kSynthStrings, kPickBass, 5});
    m.Add({"I I IV V", 2, 0, B::Drive, C::Stabs, false, D::Rock});
    const SectionPlan a{"I V vi IV I V IV V", 2, 'A', B::Drive, C::Stabs, false, D::Rock};
    const SectionPlan b{"ii V iii vi ii V I I", 2, 'B', B::Walk, C::Offbeat, true, D::Rock};
    m.Add(a);
    m.Add(b);
    m.Add(a);
    m.Add(b);
    SectionPlan a2 = a;
    a2.harmony = true;
    m.Add(a2);
    m.Ending("I");
    return m.Encode();
}

QByteArray Heat2() {
    Composer m("Key Derby - Heat 2", 62, ScaleKind::Major, 140, 404,
               Band{kBrass, kTrumpet, kPercOrgan, kStrings, kFingerBass, 5});
    m.Add({"I bVII IV I", 2, 0, B::Drive, C::Offbeat, false, D::Rock});
    const SectionPlan a{"I IV vi V I IV V I", 2, 'A', B::Drive, C::Offbeat, false, D::Rock};
    m.Add(a);
    m.Add({"vi V IV V vi V IV V", 2, 'B', B::Drive, C::Stabs, true, D::Drive});
    m.Add(a);
    m.Add({"IV I V vi IV I V V", 3, 'C', B::Gallop, C::Stabs, true, D::Drive, true});
    SectionPlan a2 = a;
    a2.harmony = true;
    a2.energy = 3;
    m.Add(a2);
    m.Ending("I");
    return m.Encode();
}

QByteArray Heat3() {
    Composer m("Key Derby - Heat 3", 57, ScaleKind::Minor, 150, 505,
               Band{kSynthBrass, kSaw, kSynthStrings, kStrings, kSynthBass, 4});
    m.Add({"i bVI bVII i", 2, 0, B::Drive, C::Arp16, false, D::Drive});
    const SectionPlan a{"i bVI bIII bVII i bVI bVII i", 2, 'A', B::Drive, C::Arp16, false, D::Drive};
    const SectionPlan b{"iv v bVI bVII iv v bVI V", 3, 'B', B::Gallop, C::Arp16, true, D::Drive};
    m.Add(a);
    m.Add(b);
    m.Add(a);
    m.Add(b);
    SectionPlan a2 = a;
    a2.harmony = true;
    a2.energy = 3;
    m.Add(a2);
    m.Ending("i");
    return m.Encode();
}

QByteArray Heat4() {
    Composer m("Key Derby - Heat 4", 64, ScaleKind::Minor, 160, 606,
               Band{kOverdrive, kSaw, kDistortion, kSynthStrings, kSynthBass, 4});
    m.Add({"i5 i5 bVI5 bVII5", 3, 0, B::Gallop, C::Power, false, D::Drive});
    const SectionPlan a{"i bVII bVI bVII i bVII bVI V", 3, 'A', B::Gallop, C::Power, false, D::Drive};
    const SectionPlan b{"bVI bVII i i bVI bVII V V", 2, 'B', B::Drive, C::Power, true, D::Rock};
    m.Add(a);
    m.Add(b);
    m.Add(a);
    m.Add(b);
    m.Add({"iv i bVII bIII iv i V V", 3, 'C', B::Gallop, C::Power, true, D::Double, true});
    SectionPlan a2 = a;
    a2.harmony = true;
    m.Add(a2);
    m.Ending("i");
    return m.Encode();
}

QByteArray Heat5() {
    Composer m("Key Derby - Champion Ship", 58, ScaleKind::Major, 172, 798,
               Band{kTrumpet, kSaw, kOverdrive, kStrings, kFingerBass, 4});
    m.Add({"I I bVI bVII", 3, 0, B::Drive, C::Power, true, D::Double});
    const SectionPlan a{"I V vi IV I V bVI-bVII I", 3, 'A', B::Drive, C::Power, false, D::Double, true};
    const SectionPlan b{"vi IV I V vi IV bVI bVII", 2, 'B', B::Drive, C::Stabs, true, D::Dance};
    m.Add(a);
    m.Add(b);
    m.Add(a);
    m.Add(b);
    m.Add({"IV V iii vi ii V I I", 3, 'C', B::Gallop, C::Power, true, D::Drive, true});
    m.Add(a);
    m.Ending("I");
    return m.Encode();
}

QByteArray Boss() {
    Composer m("Key Derby - Boss", 62, ScaleKind::HarmonicMinor, 164, 888,
               Band{kDistortion, kSynthBrass, kOverdrive, kSynthStrings, kSynthBass, 5});
    m.Add({"i i bVI V", 3, 0, B::Riff, C::Power, false, D::Drive});
    const SectionPlan a{"i bVI iv V i bVI V V", 3, 'A', B::Riff, C::Power, false, D::Drive};
    m.Add(a);
    m.Add({"iv i bVI V iv i bII V", 2, 'B', B::Gallop, C::Stabs, true, D::Rock});
    SectionPlan a2 = a;
    a2.harmony = true;
    m.Add(a2);
    m.Add({"bVI bVII i i bVI bVII V V", 3, 'C', B::Gallop, C::Power, true, D::Double});
    m.Add(a2);
    m.Add({"iv i bII V", 3, 0, B::Riff, C::Power, true, D::Drive});
    m.Ending("i");
    return m.Encode();
}

QByteArray RollCall() {
    Composer m("Key Derby - Roll Call", 62, ScaleKind::Major, 92, 999,
               Band{kFlute, kClarinet, kPiano, kStrings, kAcousticBass, 5});
    m.Add({"I IV I V", 0, 0, B::Hold, C::Arp8, true, D::None});
    const SectionPlan a{"I V vi iii IV I IV V", 0, 'A', B::Hold, C::Arp8, true, D::Light};
    const SectionPlan b{"IV V iii vi ii V I I", 1, 'B', B::Walk, C::Arp8, true, D::Light};
    m.Add(a);
    m.Add(b);
    m.Add(a);
    SectionPlan b2 = b;
    b2.harmony = true;
    m.Add(b2);
    m.Ending("I");
    return m.Encode();
}

}  // namespace

std::vector<Piece> AllPieces() {
    return {
        {"startup.mid",
         "title theme: bright C major pop fanfare, square lead over brass and strings, 126 bpm", Startup},
        {"back.mid",
         "character selection: easy F major shuffle, flute over marimba and walking bass, 108 bpm",
         CharacterSelect},
        {"umai3.mid", "heat 1: bouncy G major pop-rock, saw lead and clean guitar, 132 bpm", Heat1},
        {"heat1.mid", "heat 2: D major brass with ska organ and driving drums, 140 bpm", Heat2},
        {"heat2.mid", "heat 3: A minor synth-brass chase over sixteenth arpeggios, 150 bpm", Heat3},
        {"heat3.mid", "heat 4: E minor guitar rock with power chords and a galloping bass, 160 bpm", Heat4},
        {"98.mid", "heat 5 (Champion Ship): heroic B-flat major trumpet over a double-time beat, 172 bpm",
         Heat5},
        {"coolguy.mid", "boss battle: D harmonic minor metal riff, distorted guitar and synth brass, 164 bpm",
         Boss},
        {"recovery1.mid", "roll call: gentle D major flute and piano arpeggios with strings, 92 bpm",
         RollCall},
    };
}

}  // namespace kd::assetgen
