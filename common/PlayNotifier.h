#pragma once
#include <QList>

#include "common/PlayEvents.h"

namespace kd {

class TickCounter;
class TypingJudge;

// Hands what a play screen reports to every listener, and keeps the order sound: a game is
// ended (finished or abandoned) once, a question is ended once, and nothing but a settlement
// follows the end. With nobody listening every call costs a test of an empty list.
class PlayNotifier {
  public:
    PlayNotifier(TickCounter& clock, TypingJudge& judge);

    void Add(PlayObserver* observer);
    void Remove(PlayObserver* observer);
    bool Listening() const { return !m_observers.isEmpty(); }
    int ListenerCount() const { return int(m_observers.size()); }

    // A game is on between GameBegun and GameEnded.
    bool InGame() const { return m_inGame; }

    // The game starts now (after Go). chara and heat for the derby, settingSeconds for practice.
    void GameBegun(GameMode mode, const QString& genre, int chara = -1, int heat = 0, int settingSeconds = 0,
                   std::array<int, 4> cast = {});
    void QuestionShown(int questionId, const QString& text, const QString& reading);
    // The judge's report of the key just judged.
    void KeyJudged();
    // Ends the question on show, if any.
    void QuestionEnded(bool completed);
    void LanesMoved(const std::array<int, 5>& positions);
    // Ends the game on, if any (the open question is cut off first); counts from the judge.
    void GameEnded(bool abandoned);
    // Shorthand for leaving, retrying or closing: a game still on is abandoned.
    void Abandon() { GameEnded(true); }
    void GameSettled(const GameSettled& e);
    void TimeTrialSettled(qint32 timeMs, const QString& grade, qint32 score, int place);
    // place 0: the player ran out of power.
    void RaceSettled(int place);
    void BossSettled(bool won);

  private:
    qint64 Tick() const;
    template <typename F>
    void Each(F f);

    TickCounter& m_clock;
    TypingJudge& m_judge;
    QList<PlayObserver*> m_observers;
    bool m_inGame = false;
    bool m_questionOpen = false;
};

}  // namespace kd
