#include "common/DerbyRun.h"

#include <QCoreApplication>
#include <cmath>

#include "common/Format.h"
#include "platform/core/Random.h"

namespace kd {

namespace {
// Pictures are drawn from their left edge; a runner is this wide.
constexpr int kRunnerWidth = 65;
}  // namespace

void PlayerPower::Restore() {
    m_left = kFull;
    m_low = false;
}

bool PlayerPower::Miss(int missCost) {
    m_left -= missCost;
    if (m_left <= 0) return true;
    if (m_left < kLowBelow) m_low = true;
    return false;
}

void DerbyRun::ChoosePlayer(const PlayableCharacter& character) {
    m_player = character;
    m_lanes[0].character = character.number;
    m_lanes[0].step = character.step;
}

void DerbyRun::SetHeat(int heat) {
    // A damaged heat file may hold any number: below 1 is the first heat, above the boss is
    // still the boss.
    m_heat = qBound(1, heat, kBossHeat);
}

void DerbyRun::SetUpHeat() {
    m_plan = HeatPlanOf(m_heat);
    for (int j = 1; j < kLanes; ++j) {
        Lane& lane = m_lanes[size_t(j)];
        const int planned = m_plan.laneCharacters[size_t(j - 1)];
        if (planned != 0)
            lane.character = planned;
        else if (!IsPossibleCoQualifier(m_heat, lane.character))
            // Race someone who could have come through rather than a blank.
            lane.character = FallbackCoQualifier(m_heat);
        lane.step = m_plan.step;
    }
    for (Lane& lane : m_lanes) {
        lane.x = 0;
        lane.home = false;
    }
    m_finishOrder = {};
    m_nextPlace = 1;
    m_power.Restore();
}

void DerbyRun::StepOpponents(RandomSource& rnd) {
    rnd.ReseedFromClock();
    for (int j = 1; j < kLanes; ++j) {
        Lane& lane = m_lanes[size_t(j)];
        if (lane.home) continue;
        const float r = rnd.NextFloat();
        lane.x += lane.step + int(std::floor(float(m_plan.randomRange) * r));
        // Opponents crossing on the same move are ranked in lane order.
        if (lane.x >= kFinishX) {
            m_finishOrder[size_t(m_nextPlace - 1)] = lane.character;
            lane.home = true;
            ++m_nextPlace;
        }
    }
}

bool DerbyRun::StepPlayer() {
    m_lanes[0].x += m_lanes[0].step;
    return m_lanes[0].x >= kFinishX;
}

HeatSettlement DerbyRun::Settle() {
    std::array<bool, kLanes> home{};
    std::array<int, kLanes> characters{};
    for (int j = 0; j < kLanes; ++j) {
        home[size_t(j)] = m_lanes[size_t(j)].home;
        characters[size_t(j)] = m_lanes[size_t(j)].character;
    }
    const HeatSettlement s = SettleHeat(m_nextPlace, m_finishOrder, home, characters);
    m_finishOrder = s.finishOrder;
    for (int j = 0; j < kLanes; ++j) m_lanes[size_t(j)].home = s.finished[size_t(j)];
    m_nextPlace = kLanes + 1;
    m_place = s.place;
    if (s.advances) SetHeat(m_heat + 1);
    if (s.coQualifier != 0) SetCoQualifier(s.coQualifier);
    return s;
}

bool DerbyRun::Miss() {
    return m_power.Miss(m_player.missCost);
}

void DerbyRun::SetUpBoss() {
    m_arena = BossArena{};
    m_arena.bossX = kArenaWidth - kRunnerWidth;
    m_arena.postX = int(RoundHalfEven((kArenaWidth - 100) / 2.0));
    m_arena.playerStep = m_player.step;
    m_power.Restore();
}

bool DerbyRun::StepBoss(RandomSource& rnd) {
    // The boss's step is worked out in single precision and rounded half to even.
    const float r = rnd.NextFloat();
    const float x = float(m_arena.bossX) - float(kBossMaxStep) * r;
    m_arena.bossX = int(RoundHalfEven(x));
    if (m_arena.bossX < m_arena.postX + 90) {
        m_arena.bossX = kArenaWidth - kRunnerWidth;
        ++m_arena.balls[1];
    }
    return m_arena.balls[1] == kBallsToWin && m_arena.balls[0] < kBallsToWin;
}

bool DerbyRun::StepPlayerAtBoss() {
    m_arena.playerX += m_arena.playerStep;
    if (m_arena.playerX < m_arena.postX - 54) return false;
    m_arena.playerX = 0;
    ++m_arena.balls[0];
    return m_arena.balls[0] >= kBallsToWin && m_arena.balls[1] < kBallsToWin;
}

QStringList LaneTexts(const DerbyRun& run) {
    QStringList out;
    for (int lane = 0; lane < DerbyRun::kLanes; ++lane) {
        const int number = run.Character(lane);
        const QString name = CharacterName(number);
        int place = 0;
        for (int i = 0; i < DerbyRun::kLanes; ++i)
            if (run.FinishOrder()[size_t(i)] == number && number != 0) place = i + 1;
        if (run.Home(lane))
            out << (place > 0 ? QCoreApplication::translate("DerbyRun", "%1 ゴール %2着").arg(name).arg(place)
                              : QCoreApplication::translate("DerbyRun", "%1 ゴール").arg(name));
        else
            out << QStringLiteral("%1 %2%").arg(name).arg(
                qBound(0, run.X(lane) * 100 / DerbyRun::kFinishX, 99));
    }
    return out;
}

QStringList BossTexts(const DerbyRun& run) {
    const BossArena& a = run.Arena();
    return {QCoreApplication::translate("DerbyRun", "%1のボール %2／%3")
                .arg(run.Player().name)
                .arg(a.balls[0])
                .arg(DerbyRun::kBallsToWin),
            QCoreApplication::translate("DerbyRun", "ボスのボール %1／%2")
                .arg(a.balls[1])
                .arg(DerbyRun::kBallsToWin)};
}

}  // namespace kd
