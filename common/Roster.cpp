#include "common/Roster.h"

#include <QCoreApplication>

namespace kd {

const std::array<PlayableCharacter, 5>& PlayableCast() {
    static const std::array<PlayableCharacter, 5> cast = {{
        {1, QStringLiteral("CrazyBallRed"), 10, 15},
        {2, QStringLiteral("CrazyBallPurple"), 6, 5},
        {3, QStringLiteral("CrazyBallBlue"), 4, 2},
        {4, QStringLiteral("Mouse"), 8, 8},
        {5, QStringLiteral("Ponpy"), 7, 7},
    }};
    return cast;
}

const PlayableCharacter& PlayableCharacterOf(int number) {
    const std::array<PlayableCharacter, 5>& cast = PlayableCast();
    return cast[size_t(qBound(1, number, int(cast.size())) - 1)];
}

float EnduranceOf(int missCost) {
    return float(100.0 - double(missCost) * 5.7);
}

bool IsPossibleCoQualifier(int heat, int number) {
    if (number <= 0) return false;
    for (int earlier = 1; earlier < qMin(heat, kLastRaceHeat + 1); ++earlier)
        for (int opponent : HeatPlanOf(earlier).laneCharacters)
            if (opponent == number) return true;
    return false;
}

int FallbackCoQualifier(int heat) {
    return HeatPlanOf(qBound(2, heat, kLastRaceHeat) - 1).laneCharacters[1];
}

const std::array<RollCallEntry, 17>& RollCall() {
    // The trailing spaces keep each full name on show for a while before the next one.
    static const std::array<RollCallEntry, 17> cast = {{
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

QString ShownRollCallName(const QString& typedName) {
    static const char* const kNames[] = {
        QT_TRANSLATE_NOOP("Roster", "Ponpy(ポンピー)"), QT_TRANSLATE_NOOP("Roster", "青オバケ"),
        QT_TRANSLATE_NOOP("Roster", "Po4(ぽよん)"),     QT_TRANSLATE_NOOP("Roster", "突撃君"),
        QT_TRANSLATE_NOOP("Roster", "馬鹿な三角形"),    QT_TRANSLATE_NOOP("Roster", "馬鹿な雪ダルマ"),
        QT_TRANSLATE_NOOP("Roster", "馬鹿な四角形"),
    };
    const QString name = typedName.trimmed();
    for (const char* known : kNames) {
        if (name != QString::fromUtf8(known)) continue;
        const QString shown = QCoreApplication::translate("Roster", known);
        return shown + QString(qMax<qsizetype>(3, typedName.size() - shown.size()), u' ');
    }
    return typedName;
}

QString CharacterName(int number) {
    for (const RollCallEntry& e : RollCall())
        if (e.number == number) return e.typedName.trimmed();
    return {};
}

}  // namespace kd
