#pragma once
#include <QString>
#include <QStringList>
#include <array>

#include "common/HeatRules.h"
#include "common/Roster.h"

namespace kd {

class RandomSource;

// The player's power in a race or the boss battle: full at the start, a wrong key costs the
// character's miss cost, and at 0 the player is out. Below kLowBelow it is low (the screen
// turns it red) and stays low until it is restored.
class PlayerPower {
  public:
    static constexpr int kFull = 100;
    static constexpr int kLowBelow = 31;

    void Restore();
    // A wrong key; true when it used the power up.
    bool Miss(int missCost);
    // What is left to show: never below 0.
    int Left() const { return m_left > 0 ? m_left : 0; }
    bool Low() const { return m_low; }
    bool Out() const { return m_left <= 0; }

  private:
    int m_left = kFull;
    // Set by the miss that takes the power below kLowBelow, not by the one that uses it up:
    // the display keeps the colour it had when it drops to 0.
    bool m_low = false;
};

// The boss battle as it stands: both runners, the post between them, the balls each has
// stacked (0 the player's).
struct BossArena {
    int playerX = 0;
    int bossX = 0;
    int postX = 0;
    int playerStep = 0;
    std::array<int, 2> balls{};
};

class DerbyRun;

// What the race track shows, lane by lane, as a screen reader says it: the runner's name and
// how far it has come ("CrazyBallRed 42%"), or that it is home with its place ("Mouse ゴール 1着").
QStringList LaneTexts(const DerbyRun& run);
// What the boss arena shows: the balls each side has won, out of the five that win.
QStringList BossTexts(const DerbyRun& run);

// The derby's run: the characters in the four lanes (0 the player), where each stands, who is
// home and in what order, the heat with its memo, the player's power and the boss battle of
// heat 6. The race and boss screens tell it what happened and draw what it holds;
// common/HeatFile keeps its heat on disk.
class DerbyRun {
  public:
    static constexpr int kLanes = 4;
    // Runners start at 0 and are home at kFinishX: the track less a runner's width and a margin.
    static constexpr int kTrackLength = 652;
    static constexpr int kFinishX = kTrackLength - 70;
    static constexpr int kArenaWidth = 700;
    static constexpr int kBallsToWin = 5;
    static constexpr int kBossMaxStep = 17;

    // The player's pick on the selection screen; it runs in lane 0 from now on.
    void ChoosePlayer(const PlayableCharacter& character);
    const PlayableCharacter& Player() const { return m_player; }

    // The heat to run: 1-5 races, kBossHeat the boss.
    int Heat() const { return m_heat; }
    void SetHeat(int heat);
    const QString& HeatMemo() const { return m_memo; }
    void SetHeatMemo(const QString& memo) { m_memo = memo; }
    // Who came through the heat before with the player; lane 1 of a heat from the second on.
    int CoQualifier() const { return m_lanes[1].character; }
    void SetCoQualifier(int number) { m_lanes[1].character = number; }

    // The heat's field in lanes 1-3, everyone at the start, nobody home, the power full.
    void SetUpHeat();
    const HeatPlan& Plan() const { return m_plan; }
    // One move of the opponents still running: step plus Int(range x r), a new seed each move.
    void StepOpponents(RandomSource& rnd);
    // A correct key; true when it took the player over the line.
    bool StepPlayer();
    // The player is home: places everyone, moves on to the next heat when first or second and
    // puts the other one through in lane 1.
    HeatSettlement Settle();

    int Character(int lane) const { return m_lanes[size_t(lane)].character; }
    int X(int lane) const { return m_lanes[size_t(lane)].x; }
    bool Home(int lane) const { return m_lanes[size_t(lane)].home; }
    // Character numbers in finishing order, 0 for places not yet taken.
    const std::array<int, kLanes>& FinishOrder() const { return m_finishOrder; }
    // The place the next runner to arrive takes.
    int NextPlace() const { return m_nextPlace; }
    // The player's place in the heat settled last, 0 before any.
    int Place() const { return m_place; }

    // A wrong key costs the player's miss cost; true when the power is used up.
    bool Miss();
    const PlayerPower& Power() const { return m_power; }

    // Heat 6: the player at the left edge, the boss at the right, the post in the middle, no
    // balls, the power full.
    void SetUpBoss();
    // One move of the boss; true when its ball won the battle.
    bool StepBoss(RandomSource& rnd);
    // A correct key against the boss; true when the player's ball won the battle.
    bool StepPlayerAtBoss();
    const BossArena& Arena() const { return m_arena; }

  private:
    struct Lane {
        int character = 0;
        int step = 0;
        int x = 0;
        bool home = false;
    };

    PlayableCharacter m_player;
    std::array<Lane, kLanes> m_lanes{};
    std::array<int, kLanes> m_finishOrder{};
    int m_nextPlace = 1;
    int m_place = 0;
    int m_heat = 1;
    QString m_memo;
    HeatPlan m_plan = HeatPlanOf(1);
    PlayerPower m_power;
    BossArena m_arena;
};

}  // namespace kd
