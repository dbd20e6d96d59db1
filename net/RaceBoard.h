#pragma once
#include <QtGlobal>
#include <array>

#include "common/Roster.h"
#include "net/Protocol.h"

namespace kd {
class RandomSource;
}

namespace kd::net {

constexpr int kTrackWidth = 652;
constexpr int kFinishX = kTrackWidth - 70;
constexpr int kComputerTickMs = 150;
// Once the first player has crossed the line the others have this long to follow.
constexpr qint32 kLastCallMs = 30000;

// The computer lanes of a network race run the derby's first heat: its field, step and range.
inline constexpr HeatPlan kComputerField = HeatPlanOf(1);

// Where a lane stands: x on the track, as a share of the way to the finish line (0-100).
int ProgressPercent(int x);

// The host's view of one race: who runs where, computer movement, the players' counts turned
// into positions, the finishing order and the result. No sockets, no clock of its own: the
// host feeds it times and events.
class RaceBoard {
  public:
    // lanes[i].kind tells which lanes players hold; start is the tick the race begins at.
    void Begin(const std::array<StartLane, kLaneCount>& lanes, int race, qint32 start);
    int race() const { return m_race; }

    // One computer step (every kComputerTickMs after the start).
    void ComputerTick(RandomSource& rnd, qint32 now);
    // A player's counts. Counts never go back; a position is the player's correct keys times
    // the character's step, so a peer cannot claim more than it typed. Steps and miss costs
    // are the derby's (common/Roster).
    void PlayerCounts(int lane, int correct, int misses, qint32 now);
    // The player left or was dropped.
    void Drop(int lane, qint32 now);

    // Every player lane has finished, run out of power or left, or the last call has passed.
    bool Over(qint32 now) const;
    // Places every lane: finishers in the order they crossed, then the lanes still running by
    // distance, then those out of power, then those who left.
    Result Settle(qint32 now);

    Lanes Snapshot() const;
    LaneState State(int lane) const { return m_state[lane]; }
    int X(int lane) const { return m_x[lane]; }
    const std::array<StartLane, kLaneCount>& lanes() const { return m_lanes; }

  private:
    void Finish(int lane, qint32 now);
    std::array<StartLane, kLaneCount> m_lanes{};
    std::array<int, kLaneCount> m_x{}, m_correct{}, m_misses{}, m_finishOrder{};
    std::array<qint32, kLaneCount> m_endMs{};
    std::array<LaneState, kLaneCount> m_state{};
    int m_race = 0;
    int m_finished = 0;
    qint32 m_start = 0;
    qint32 m_firstPlayerFinish = 0;
    bool m_playerFinished = false;
};

}  // namespace kd::net
