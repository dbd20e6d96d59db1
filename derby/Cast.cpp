#include "derby/Cast.h"

namespace kd {

const std::array<PlayableChara, 5>& PlayableCast() {
    static const std::array<PlayableChara, 5> cast = {{
        {1, QStringLiteral("CrazyBallRed"), 10, 15},
        {2, QStringLiteral("CrazyBallPurple"), 6, 5},
        {3, QStringLiteral("CrazyBallBlue"), 4, 2},
        {4, QStringLiteral("Mouse"), 8, 8},
        {5, QStringLiteral("Ponpy"), 7, 7},
    }};
    return cast;
}

const PlayableChara& PlayableByNo(int charaNo) {
    for (const PlayableChara& c : PlayableCast())
        if (c.CharaNo == charaNo) return c;
    return PlayableCast()[0];
}

float EnduranceOf(qint16 missCost) {
    return float(100.0 - double(missCost) * 5.7);
}

HeatPlan HeatPlanOf(int heatNo) {
    static const std::array<HeatPlan, 5> plans = {{
        {{11, 12, 13}, 1, 4, QStringLiteral("umai3.mid")},
        {{0, 21, 22}, 2, 4, QStringLiteral("heat1.mid")},
        {{0, 31, 32}, 3, 4, QStringLiteral("heat2.mid")},
        {{0, 41, 42}, 3, 6, QStringLiteral("heat3.mid")},
        {{0, 51, 52}, 4, 7, QStringLiteral("98.mid")},
    }};
    return plans[qBound(1, heatNo, kLastRaceHeat) - 1];
}

bool IsPossibleCoQualifier(int heatNo, int charaNo) {
    if (charaNo <= 0) return false;
    for (int earlier = 1; earlier < qMin(heatNo, kLastRaceHeat + 1); ++earlier) {
        const HeatPlan plan = HeatPlanOf(earlier);
        for (qint16 no : plan.LaneChara)
            if (no == charaNo) return true;
    }
    return false;
}

qint16 FallbackCoQualifier(int heatNo) {
    return HeatPlanOf(qBound(2, heatNo, kLastRaceHeat) - 1).LaneChara[1];
}

const std::array<IntroductionEntry, 17>& IntroductionCast() {
    // The trailing spaces keep each full name on show for a while before the next one.
    static const std::array<IntroductionEntry, 17> cast = {{
        {1, QStringLiteral("CrazyBallRed          ")},
        {2, QStringLiteral("CrazyBallPurple          ")},
        {3, QStringLiteral("CrazyBallBlue         ")},
        {4, QStringLiteral("Mouse          ")},
        {5, QStringLiteral("Ponpy(ポンピー)          ")},
        {11, QStringLiteral("CrazyPhone          ")},
        {12, QStringLiteral("青オバケ          ")},
        {13, QStringLiteral("Po4(ぽよん)          ")},
        {21, QStringLiteral("突撃君          ")},
        {22, QStringLiteral("DabuDabu          ")},
        {31, QStringLiteral("PinkMoai          ")},
        {32, QStringLiteral("CrazyPiraBall          ")},
        {41, QStringLiteral("ColorBubbles          ")},
        {42, QStringLiteral("WarubireBall          ")},
        {51, QStringLiteral("馬鹿な三角形          ")},
        {52, QStringLiteral("馬鹿な雪ダルマ          ")},
        {53, QStringLiteral("馬鹿な四角形          ")},
    }};
    return cast;
}

}  // namespace kd
