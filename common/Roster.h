#pragma once
#include <QString>
#include <QtGlobal>
#include <array>

namespace kd {

// The characters of the game, the one list the derby and the network race both read: who can
// be played and how they run, who races in which heat, and the roll call. A character's number
// is also the number of its picture.

struct PlayableCharacter {
    int number = 0;
    QString name;
    int step = 0;      // pixels per correct key
    int missCost = 0;  // power lost per wrong key
};

// The five playable characters, numbers 1 to 5, in the order of the selection screen.
const std::array<PlayableCharacter, 5>& PlayableCast();
// The playable character with this number; a number outside 1-5 is brought into that range.
const PlayableCharacter& PlayableCharacterOf(int number);

// Endurance bar value: 100 - missCost x 5.7, kept as a single-precision number.
float EnduranceOf(int missCost);

// One heat's field: the opponents of lanes 1-3, their step and the range of their random extra
// step per move. Lane 1 holds the co-qualifier from heat 2 on (laneCharacters[0] == 0).
struct HeatPlan {
    std::array<int, 3> laneCharacters;
    int step;
    int randomRange;
    const char* musicFile;
};
constexpr int kLastRaceHeat = 5;
constexpr int kBossHeat = 6;

inline constexpr std::array<HeatPlan, kLastRaceHeat> kHeatPlans = {{
    {{11, 12, 13}, 1, 4, "umai3.mid"},
    {{0, 21, 22}, 2, 4, "heat1.mid"},
    {{0, 31, 32}, 3, 4, "heat2.mid"},
    {{0, 41, 42}, 3, 6, "heat3.mid"},
    {{0, 51, 52}, 4, 7, "98.mid"},
}};

// The plan of race heat 1..5; anything else is clamped into that range.
constexpr const HeatPlan& HeatPlanOf(int heat) {
    return kHeatPlans[size_t(qBound(1, heat, kLastRaceHeat) - 1)];
}

// Could this number have come through to this heat as co-qualifier, i.e. is it an opponent of
// an earlier heat? A damaged heat file may hold anything.
bool IsPossibleCoQualifier(int heat, int number);
// Stand-in co-qualifier when the stored one is impossible: the lane-2 runner of the heat before.
int FallbackCoQualifier(int heat);

// The roll call: every character in the order they are introduced, with the name padded with
// spaces as it is typed out.
struct RollCallEntry {
    int number;
    QString typedName;
};
const std::array<RollCallEntry, 17>& RollCall();
// A character's name as the roll call gives it ("" for a number nobody has).
QString CharacterName(int number);
// A roll-call name as the interface shows it, padded to the same length so it stays on show
// as long (at least three spaces after it).
QString ShownRollCallName(const QString& typedName);

}  // namespace kd
