#include "net/QuestionDeck.h"

#include "engine/PlayLabels.h"

namespace kd::net {

QuestionDeck::QuestionDeck(TypingJudge& typing, quint32 seed, int genre)
    : m_rnd(seed),
      m_bank(m_rnd, typing),
      m_genreKey(genre == 0 ? QStringLiteral("kannyouku") : QStringLiteral("english")) {
    m_bank.SetGenre(m_genreKey);
}

int QuestionDeck::QuestionId() const {
    return m_genreKey == QLatin1String("english") ? m_bank.GetEnglishQuestionId() : m_bank.GetQuestionId();
}

void QuestionDeck::PutNext(PlayLabels& labels) {
    if (m_genreKey == QLatin1String("english")) {
        const QString word = m_bank.GetEnglishQuestion();
        labels.SetDisplay(word);
        labels.SetMonitor(word);
    } else {
        labels.SetDisplay(m_bank.GetQuestion());
        labels.SetMonitor(m_bank.GetKanjiQuestion());
    }
}

}  // namespace kd::net
