#include "learning/Replay.h"

#include <algorithm>

#include "platform/core/TickCounter.h"

namespace kd {

namespace {

// Kana of the reading finished by the keys of one question: a unit ("しゃ", "っち") is done
// when the keys of its followed form have all come, or when the next unit's keys begin.
int ReadingDone(const QList<PlayedKey>& keys, int first, int end, int readingLength) {
    int done = 0;
    QString unit;
    int typedInUnit = 0;
    for (int i = first; i < end; ++i) {
        const PlayedKey& k = keys[i];
        if (!k.hit) continue;
        if (typedInUnit > 0 && k.expected != unit) {
            done += int(unit.size());
            typedInUnit = 0;
        }
        unit = k.expected;
        ++typedInUnit;
        if (k.form.isEmpty() || typedInUnit >= k.form.size()) {
            done += int(unit.size());
            typedInUnit = 0;
        }
    }
    return std::clamp(done, 0, readingLength);
}

}  // namespace

ReplayModel::ReplayModel(PlayedGame game, GhostTimeline ghost)
    : m_game(std::move(game)), m_ghost(std::move(ghost)) {
    for (const PlayedQuestion& q : m_game.questions) m_changes.append(q.shownMs);
    for (const PlayedKey& k : m_game.keys) m_changes.append(k.gameMs);
    for (const LaneSample& s : m_game.lanes) m_changes.append(s.ms);
    if (m_game.mode == GameMode::TimeTrial && !m_ghost.IsEmpty())
        for (int k = 1; k <= m_ghost.KeyCount(); ++k) m_changes.append(m_ghost.HitMs(k));
    std::sort(m_changes.begin(), m_changes.end());
    m_changes.erase(std::unique(m_changes.begin(), m_changes.end()), m_changes.end());
    m_durationMs = std::max<qint64>(m_game.EndMs(), m_changes.isEmpty() ? 0 : m_changes.last());
    // Keys are laid out by their game time; a damaged record must not make them run backwards.
    std::stable_sort(m_game.keys.begin(), m_game.keys.end(),
                     [](const PlayedKey& a, const PlayedKey& b) { return a.gameMs < b.gameMs; });
    if (m_game.mode == GameMode::Boss) CountBossBalls();
}

void ReplayModel::CountBossBalls() {
    // A runner that scores starts again from its own edge: the player's x falls back, the
    // boss's rises. Stored ball counts, where a record has them, are kept.
    std::array<int, 2> balls{};
    for (int i = 1; i < m_game.lanes.size(); ++i) {
        const auto& before = m_game.lanes[i - 1].positions;
        auto& now = m_game.lanes[i].positions;
        if (now[0] < before[0]) ++balls[0];
        if (now[1] > before[1]) ++balls[1];
        if (now[2] == 0 && now[3] == 0) {
            now[2] = balls[0];
            now[3] = balls[1];
        }
    }
}

ReplayFrame ReplayModel::FrameAt(qint64 ms) const {
    ReplayFrame f;
    f.ms = std::clamp<qint64>(ms, 0, m_durationMs);
    const auto& qs = m_game.questions;
    const auto qit = std::upper_bound(qs.begin(), qs.end(), f.ms,
                                      [](qint64 t, const PlayedQuestion& q) { return t < q.shownMs; });
    f.questionIndex = int(qit - qs.begin()) - 1;

    const auto& keys = m_game.keys;
    const int keyEnd = int(std::upper_bound(keys.begin(), keys.end(), f.ms,
                                            [](qint64 t, const PlayedKey& k) { return t < k.gameMs; }) -
                           keys.begin());
    for (int i = 0; i < keyEnd; ++i) (keys[i].hit ? f.correct : f.misses)++;
    f.ballX = TimeTrialBallX(f.correct);
    if (m_game.mode == GameMode::TimeTrial && !m_ghost.IsEmpty())
        f.ghostX = TimeTrialBallX(m_ghost.HitsAt(f.ms));

    if (f.questionIndex >= 0) {
        const PlayedQuestion& q = qs[f.questionIndex];
        f.text = q.text;
        f.reading = q.reading;
        int first = keyEnd;
        while (first > 0 && keys[first - 1].questionSeq == q.seq) --first;
        for (int i = first; i < keyEnd; ++i) f.keys.append({keys[i].typed, keys[i].hit});
        f.readingDone = ReadingDone(keys, first, keyEnd, int(q.reading.size()));
    }

    const auto& lanes = m_game.lanes;
    const auto lit = std::upper_bound(lanes.begin(), lanes.end(), f.ms,
                                      [](qint64 t, const LaneSample& s) { return t < s.ms; });
    if (lit != lanes.begin()) {
        f.lanes = (lit - 1)->positions;
        f.hasLanes = true;
    }
    return f;
}

std::optional<qint64> ReplayModel::NextChangeAfter(qint64 ms) const {
    const auto it = std::upper_bound(m_changes.begin(), m_changes.end(), ms);
    if (it == m_changes.end()) return std::nullopt;
    return *it;
}

ReplayClock::ReplayClock(TickCounter& clock, qint64 durationMs)
    : m_clock(clock), m_durationMs(std::max<qint64>(0, durationMs)) {
    m_baseTick = m_clock.GetTickCount();
}

qint64 ReplayClock::Position() {
    if (!m_playing) return m_basePos;
    const qint64 real = std::max<qint32>(0, TickDiff(m_clock.GetTickCount(), m_baseTick));
    const qint64 pos = m_basePos + real * m_speed;
    if (pos >= m_durationMs) {
        m_basePos = m_durationMs;
        m_playing = false;
        return m_basePos;
    }
    return pos;
}

void ReplayClock::Rebase() {
    m_basePos = Position();
    m_baseTick = m_clock.GetTickCount();
}

void ReplayClock::Play() {
    Rebase();
    // Play at the end starts over, as a player pressing play after watching it through means.
    if (m_basePos >= m_durationMs) m_basePos = 0;
    m_playing = m_durationMs > 0;
}

void ReplayClock::Pause() {
    Rebase();
    m_playing = false;
}

void ReplayClock::SetSpeed(int factor) {
    if (factor != 1 && factor != 2 && factor != 4) return;
    Rebase();
    m_speed = factor;
}

void ReplayClock::Seek(qint64 ms) {
    Rebase();
    m_basePos = std::clamp<qint64>(ms, 0, m_durationMs);
}

int ReplayClock::RealMsUntil(qint64 target) {
    const qint64 gap = target - Position();
    if (gap <= 0) return 1;
    return int(std::clamp<qint64>((gap + m_speed - 1) / m_speed, 1, INT32_MAX));
}

}  // namespace kd
