#pragma once
#include <QList>
#include <QString>
#include <QtGlobal>
#include <array>

namespace kd {

// The derby's cast: who can be played, who races in which heat, and the roll call.
// Character numbers are also the numbers of their pictures.

struct PlayableChara {
    qint16 CharaNo;
    QString Name;
    qint16 StepSize;  // pixels per correct key
    qint16 MissCost;  // power lost per wrong key
};

// The five playable characters, numbers 1 to 5, in the order of the selection screen.
const std::array<PlayableChara, 5>& PlayableCast();
// The playable character with this number, or CrazyBallRed when there is none.
const PlayableChara& PlayableByNo(int charaNo);

// Endurance bar value: 100 - MissCost x 5.7, kept as a single-precision number.
float EnduranceOf(qint16 missCost);

// One heat's field. Lane 1 holds the co-qualifier from heat 2 on (LaneChara[0] == 0).
struct HeatPlan {
    std::array<qint16, 3> LaneChara;
    qint16 StepSize;
    qint16 RandRange;
    QString MidiName;
};
constexpr int kLastRaceHeat = 5;
constexpr int kBossHeat = 6;
// The plan of race heat 1..5; anything else is clamped into that range.
HeatPlan HeatPlanOf(int heatNo);

// Could this number have come through to this heat as co-qualifier, i.e. is it an opponent of
// an earlier heat? A damaged heat file may hold anything.
bool IsPossibleCoQualifier(int heatNo, int charaNo);
// Stand-in co-qualifier when the stored one is impossible: the lane-2 runner of the heat before.
qint16 FallbackCoQualifier(int heatNo);

// The roll call: picture number and the name padded with spaces, as the names are typed out.
struct IntroductionEntry {
    qint16 CharaNo;
    QString Key;
};
const std::array<IntroductionEntry, 17>& IntroductionCast();

}  // namespace kd
