#pragma once
#include <QCoreApplication>
#include <QList>
#include <QString>

#include "common/PlayEvents.h"

namespace kd {

// The questions of the game just played that had at least one wrong key, each once, in the
// order they came: what "retry the misses" plays again.
class MissedQuestions : public PlayObserver {
  public:
    void OnGameBegun(const GameBegun& g) override;
    void OnQuestionShown(const QuestionShown& q) override;
    void OnKeyJudged(const KeyJudged& k) override;
    void OnQuestionEnded(const QuestionEnded&) override { Close(); }
    void OnGameEnded(const GameEnded&) override { Close(); }

    const QList<QuestionShown>& Missed() const { return m_missed; }
    QString Genre() const { return m_genre; }

    // Said when the player asks for a retry and there is nothing to retry.
    static QString NothingMissedMessage();
    // The hint on the result screen.
    static QString RetryHint() {
        return QCoreApplication::translate("MissedQuestions", "R：ミスした問題だけをもう一度");
    }

  private:
    void Close();

    QString m_genre;
    QList<QuestionShown> m_missed;
    QuestionShown m_current;
    bool m_open = false;
    bool m_currentMissed = false;
};

// Hands out a fixed list of questions in order, from the start again once through.
class FixedQuestions {
  public:
    explicit FixedQuestions(QList<QuestionShown> questions) : m_questions(std::move(questions)) {}
    bool IsEmpty() const { return m_questions.isEmpty(); }
    const QuestionShown& Next();

  private:
    QList<QuestionShown> m_questions;
    qsizetype m_next = 0;
};

}  // namespace kd
