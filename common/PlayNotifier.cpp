#include "common/PlayNotifier.h"

#include <QDateTime>

#include "engine/TypingJudge.h"
#include "platform/core/TickCounter.h"

namespace kd {

PlayNotifier::PlayNotifier(TickCounter& clock, TypingJudge& judge) : m_clock(clock), m_judge(judge) {}

void PlayNotifier::Add(PlayObserver* observer) {
    if (!observer || m_observers.contains(observer)) return;
    m_observers << observer;
    m_judge.SetReporting(true);
}

void PlayNotifier::Remove(PlayObserver* observer) {
    m_observers.removeAll(observer);
    m_judge.SetReporting(Listening());
}

qint64 PlayNotifier::Tick() const {
    return m_clock.GetTickCount();
}

template <typename F>
void PlayNotifier::Each(F f) {
    // A copy: a listener may remove itself (or another) while being told.
    const QList<PlayObserver*> observers = m_observers;
    for (PlayObserver* o : observers)
        if (m_observers.contains(o)) f(*o);
}

void PlayNotifier::GameBegun(GameMode mode, const QString& genre, int chara, int heat, int settingSeconds,
                             std::array<int, 4> cast) {
    m_inGame = true;
    m_questionOpen = false;
    if (!Listening()) return;
    kd::GameBegun e;
    e.mode = mode;
    e.genre = genre;
    e.chara = chara;
    e.heat = heat;
    e.cast = cast;
    e.settingSeconds = settingSeconds;
    e.inputMethod = m_judge.Method();
    e.wallClockMs = QDateTime::currentMSecsSinceEpoch();
    e.tick = Tick();
    Each([&](PlayObserver& o) { o.OnGameBegun(e); });
}

void PlayNotifier::QuestionShown(int questionId, const QString& text, const QString& reading) {
    if (!m_inGame) return;
    m_questionOpen = true;
    if (!Listening()) return;
    kd::QuestionShown e;
    e.questionId = questionId;
    e.text = text;
    e.reading = reading;
    e.tick = Tick();
    Each([&](PlayObserver& o) { o.OnQuestionShown(e); });
}

void PlayNotifier::KeyJudged() {
    if (!m_inGame || !Listening()) return;
    const TypingJudge::KeyReport& r = m_judge.LastKey();
    kd::KeyJudged e;
    e.tick = Tick();
    e.expectedUnit = r.unit;
    e.formsBefore = r.forms;
    e.typed = r.typed;
    e.hit = r.hit;
    e.expectedKey = r.expectedKey;
    e.followedForm = r.followedForm;
    e.unitDone = r.unitDone;
    Each([&](PlayObserver& o) { o.OnKeyJudged(e); });
}

void PlayNotifier::QuestionEnded(bool completed) {
    if (!m_inGame || !m_questionOpen) return;
    m_questionOpen = false;
    if (!Listening()) return;
    kd::QuestionEnded e;
    e.completed = completed;
    e.tick = Tick();
    Each([&](PlayObserver& o) { o.OnQuestionEnded(e); });
}

void PlayNotifier::LanesMoved(const std::array<int, 5>& positions) {
    if (!m_inGame || !Listening()) return;
    kd::LanesMoved e;
    e.tick = Tick();
    e.positions = positions;
    Each([&](PlayObserver& o) { o.OnLanesMoved(e); });
}

void PlayNotifier::GameEnded(bool abandoned) {
    if (!m_inGame) return;
    QuestionEnded(false);
    m_inGame = false;
    if (!Listening()) return;
    kd::GameEnded e;
    e.abandoned = abandoned;
    e.tick = Tick();
    e.correct = m_judge.GetCorrectCount();
    e.misses = m_judge.GetMissCount();
    Each([&](PlayObserver& o) { o.OnGameEnded(e); });
}

void PlayNotifier::GameSettled(const kd::GameSettled& e) {
    if (!Listening()) return;
    Each([&](PlayObserver& o) { o.OnGameSettled(e); });
}

}  // namespace kd

namespace kd {

void PlayNotifier::TimeTrialSettled(qint32 timeMs, const QString& grade, qint32 score, int place) {
    kd::GameSettled e;
    e.timeMs = timeMs;
    e.grade = grade;
    e.score = score;
    e.place = place;
    GameSettled(e);
}

void PlayNotifier::RaceSettled(int place) {
    kd::GameSettled e;
    e.racePlace = place;
    GameSettled(e);
}

void PlayNotifier::BossSettled(bool won) {
    kd::GameSettled e;
    e.won = won;
    GameSettled(e);
}

}  // namespace kd
