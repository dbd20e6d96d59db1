#include "net/RaceBoard.h"

#include <algorithm>
#include <cmath>

#include "common/DerbyRun.h"
#include "platform/core/Random.h"
#include "platform/core/TickCounter.h"

namespace kd::net {

int ProgressPercent(int x) {
    return qBound(0, x * 100 / kFinishX, 100);
}

void RaceBoard::Begin(const std::array<StartLane, kLaneCount>& lanes, int race, qint32 start) {
    m_lanes = lanes;
    m_race = race;
    m_start = start;
    m_x = {};
    m_correct = {};
    m_misses = {};
    m_finishOrder = {};
    m_endMs = {};
    m_state.fill(LaneState::Racing);
    m_finished = 0;
    m_playerFinished = false;
    m_firstPlayerFinish = 0;
}

void RaceBoard::Finish(int lane, qint32 now) {
    m_state[lane] = LaneState::Finished;
    m_finishOrder[lane] = ++m_finished;
    m_endMs[lane] = qMax(0, TickDiff(now, m_start));
    if (m_lanes[lane].kind == LaneKind::Human && !m_playerFinished) {
        m_playerFinished = true;
        m_firstPlayerFinish = now;
    }
}

void RaceBoard::ComputerTick(RandomSource& rnd, qint32 now) {
    for (int j = 0; j < kLaneCount; ++j) {
        if (m_lanes[j].kind != LaneKind::Computer || m_state[j] != LaneState::Racing) continue;
        const float r = rnd.NextFloat();
        m_x[j] = qMin(kMaxTrackX,
                      m_x[j] + kComputerField.step + int(std::floor(float(kComputerField.randomRange) * r)));
        // Lanes crossing on the same tick are ranked in lane order.
        if (m_x[j] >= kFinishX) Finish(j, now);
    }
}

void RaceBoard::PlayerCounts(int lane, int correct, int misses, qint32 now) {
    if (lane < 0 || lane >= kLaneCount || m_lanes[lane].kind != LaneKind::Human) return;
    if (m_state[lane] != LaneState::Racing) return;
    m_correct[lane] = qMax(m_correct[lane], correct);
    m_misses[lane] = qMax(m_misses[lane], misses);
    const PlayableCharacter& c = PlayableCharacterOf(m_lanes[lane].chara);
    m_x[lane] = qMin(kMaxTrackX, m_correct[lane] * c.step);
    if (m_x[lane] >= kFinishX) {
        Finish(lane, now);
    } else if (m_misses[lane] * c.missCost >= PlayerPower::kFull) {
        m_state[lane] = LaneState::Out;
        m_endMs[lane] = qMax(0, TickDiff(now, m_start));
    }
}

void RaceBoard::Drop(int lane, qint32 now) {
    if (lane < 0 || lane >= kLaneCount || m_state[lane] == LaneState::Finished) return;
    if (m_state[lane] == LaneState::Racing) m_endMs[lane] = qMax(0, TickDiff(now, m_start));
    m_state[lane] = LaneState::Gone;
}

bool RaceBoard::Over(qint32 now) const {
    bool anyRunning = false;
    for (int i = 0; i < kLaneCount; ++i)
        if (m_lanes[i].kind == LaneKind::Human && m_state[i] == LaneState::Racing) anyRunning = true;
    if (!anyRunning) return true;
    return m_playerFinished && TickDiff(now, m_firstPlayerFinish) >= kLastCallMs;
}

Result RaceBoard::Settle(qint32 now) {
    std::array<int, kLaneCount> order = {0, 1, 2, 3};
    auto group = [this](int lane) {
        switch (m_state[lane]) {
            case LaneState::Finished:
                return 0;
            case LaneState::Racing:
                return 1;
            case LaneState::Out:
                return 2;
            case LaneState::Gone:
                return 3;
        }
        return 3;
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (group(a) != group(b)) return group(a) < group(b);
        if (group(a) == 0) return m_finishOrder[a] < m_finishOrder[b];
        return m_x[a] > m_x[b];
    });
    Result r;
    r.race = m_race;
    for (int place = 0; place < kLaneCount; ++place) {
        const int lane = order[place];
        const qint32 ms =
            m_state[lane] == LaneState::Racing ? qMax(0, TickDiff(now, m_start)) : m_endMs[lane];
        r.rows[place] = {lane,           place + 1,           m_state[lane], m_correct[lane],
                         m_misses[lane], qMin(ms, kMaxRaceMs)};
    }
    return r;
}

Lanes RaceBoard::Snapshot() const {
    Lanes l;
    l.race = m_race;
    l.x = m_x;
    l.state = m_state;
    return l;
}

}  // namespace kd::net
