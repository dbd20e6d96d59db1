#include "learning/MissedQuestions.h"

#include <QCoreApplication>
#include <algorithm>

namespace kd {

void MissedQuestions::OnGameBegun(const GameBegun& g) {
    m_genre = g.genre;
    m_missed.clear();
    m_open = false;
    m_currentMissed = false;
}

void MissedQuestions::OnQuestionShown(const QuestionShown& q) {
    Close();  // a screen that skips QuestionEnded still gets its question counted
    m_current = q;
    m_open = true;
    m_currentMissed = false;
}

void MissedQuestions::OnKeyJudged(const KeyJudged& k) {
    if (m_open && !k.hit) m_currentMissed = true;
}

void MissedQuestions::Close() {
    if (m_open && m_currentMissed) {
        const bool known = std::any_of(m_missed.cbegin(), m_missed.cend(), [&](const QuestionShown& q) {
            return q.text == m_current.text && q.reading == m_current.reading;
        });
        if (!known) m_missed << m_current;
    }
    m_open = false;
    m_currentMissed = false;
}

QString MissedQuestions::NothingMissedMessage() {
    return QCoreApplication::translate("MissedQuestions", "今回の練習でミスした問題はありません。");
}

const QuestionShown& FixedQuestions::Next() {
    static const QuestionShown none;
    if (m_questions.isEmpty()) return none;
    const QuestionShown& q = m_questions[m_next];
    m_next = (m_next + 1) % m_questions.size();
    return q;
}

}  // namespace kd
