#include "learning/GhostRun.h"

#include <QCoreApplication>
#include <algorithm>

namespace kd {

GhostTimeline::GhostTimeline(QList<qint64> hitMs) : m_hitMs(std::move(hitMs)) {
    std::sort(m_hitMs.begin(), m_hitMs.end());
}

GhostTimeline GhostTimeline::FromGame(const PlayedGame& game) {
    QList<qint64> hits;
    for (const PlayedKey& k : game.keys)
        if (k.hit) hits.append(k.gameMs);
    return GhostTimeline(std::move(hits));
}

int GhostTimeline::HitsAt(qint64 elapsedMs) const {
    return int(std::upper_bound(m_hitMs.begin(), m_hitMs.end(), elapsedMs) - m_hitMs.begin());
}

std::optional<qint64> GhostTimeline::NextStepAfter(qint64 elapsedMs) const {
    const auto it = std::upper_bound(m_hitMs.begin(), m_hitMs.end(), elapsedMs);
    if (it == m_hitMs.end()) return std::nullopt;
    return *it;
}

std::optional<qint64> GhostTimeline::GapAtKey(int k, qint64 playerMs) const {
    if (k < 1 || k > KeyCount()) return std::nullopt;
    return playerMs - HitMs(k);
}

namespace {

// Hundredths of a second, halves away from zero, as the gap is shown.
qint64 Hundredths(qint64 ms) {
    return ms >= 0 ? (ms + 5) / 10 : -((-ms + 5) / 10);
}

}  // namespace

GapSide SideOfGap(qint64 gapMs) {
    const qint64 h = Hundredths(gapMs);
    return h < 0 ? GapSide::Ahead : h > 0 ? GapSide::Behind : GapSide::Even;
}

QString FormatGap(qint64 gapMs) {
    const qint64 h = Hundredths(gapMs);
    const qint64 a = h < 0 ? -h : h;
    const QString sign = h < 0 ? QStringLiteral("\u2212") : h > 0 ? QStringLiteral("+") : QStringLiteral("±");
    return sign + QString::number(a / 100) + QLatin1Char('.') +
           QStringLiteral("%1").arg(a % 100, 2, 10, QLatin1Char('0')) +
           QCoreApplication::translate("GhostRun", "秒");
}

QString GapLine(qint64 gapMs) {
    return QCoreApplication::translate("GhostRun", "ベスト比 ") + FormatGap(gapMs);
}

QString NoBestText() {
    return QCoreApplication::translate("GhostRun", "ベスト比：まだ記録がありません");
}

namespace {

struct QuestionTime {
    std::optional<qint64> ms;
    bool completed = false;
};

QuestionTime TimeOn(const PlayedGame& game, int index) {
    const PlayedQuestion& q = game.questions[index];
    if (q.completed && q.lastKeyMs) return {*q.lastKeyMs, true};
    // Cut off by the finish: the time spent on it until play stopped.
    const qint64 end = game.EndMs();
    if (end >= q.shownMs) return {end - q.shownMs, false};
    return {};
}

}  // namespace

QList<Split> ComputeSplits(const PlayedGame& run, const PlayedGame& best, int marked) {
    QList<Split> out;
    for (int i = 0; i < run.questions.size(); ++i) {
        const PlayedQuestion& q = run.questions[i];
        Split s;
        s.seq = q.seq;
        s.text = q.text;
        const QuestionTime mine = TimeOn(run, i);
        s.ms = mine.ms;
        s.completed = mine.completed;
        const int bi = best.QuestionIndex(q.seq);
        if (bi >= 0) {
            const QuestionTime theirs = TimeOn(best, bi);
            s.bestMs = theirs.ms;
            s.bestCompleted = theirs.completed;
            if (s.completed && s.bestCompleted) {
                s.diffMs = *s.ms - *s.bestMs;
                s.cumulativeMs = (q.shownMs + *s.ms) - (best.questions[bi].shownMs + *s.bestMs);
            }
        }
        out.append(s);
    }
    QList<int> losses;
    for (int i = 0; i < out.size(); ++i)
        if (out[i].diffMs && *out[i].diffMs > 0) losses.append(i);
    std::stable_sort(losses.begin(), losses.end(),
                     [&](int a, int b) { return *out[a].diffMs > *out[b].diffMs; });
    for (int i = 0; i < std::min<int>(marked, losses.size()); ++i) out[losses[i]].largeLoss = true;
    return out;
}

void RunCollector::OnGameBegun(const GameBegun& e) {
    m_game = PlayedGame{};
    m_game.mode = e.mode;
    m_game.genre = e.genre;
    m_game.chara = e.chara;
    m_game.heat = e.heat;
    m_game.startedAt = e.wallClockMs;
    m_beginTick = e.tick;
    m_finished = false;
}

void RunCollector::OnQuestionShown(const QuestionShown& e) {
    PlayedQuestion q;
    q.seq = int(m_game.questions.size());
    q.questionId = e.questionId;
    q.text = e.text;
    q.reading = e.reading;
    q.shownMs = Since(e.tick);
    m_game.questions.append(q);
}

void RunCollector::OnKeyJudged(const KeyJudged& e) {
    if (m_game.questions.isEmpty()) return;
    PlayedQuestion& q = m_game.questions.last();
    PlayedKey k;
    k.seq = int(m_game.keys.size());
    k.questionSeq = q.seq;
    k.gameMs = Since(e.tick);
    k.ms = std::max<qint64>(0, k.gameMs - q.shownMs);
    k.expected = e.expectedUnit;
    k.typed = QString(e.typed);
    k.hit = e.hit;
    k.form = e.followedForm;
    q.lastKeyMs = k.ms;
    if (e.hit) {
        ++m_game.correct;
    } else {
        ++m_game.misses;
        ++q.misses;
    }
    m_game.keys.append(k);
}

void RunCollector::OnQuestionEnded(const QuestionEnded& e) {
    if (!m_game.questions.isEmpty()) m_game.questions.last().completed = e.completed;
}

void RunCollector::OnGameEnded(const GameEnded& e) {
    m_game.durationMs = Since(e.tick);
    m_game.abandoned = e.abandoned;
    m_finished = !e.abandoned;
}

void RunCollector::OnGameSettled(const GameSettled& e) {
    if (e.timeMs > 0) m_game.timeMs = e.timeMs;
    m_game.grade = e.grade;
}

}  // namespace kd
