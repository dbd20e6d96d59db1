#include "net/QuestionDeck.h"

#include "engine/PlayLabels.h"

namespace kd::net {

QuestionDeck::QuestionDeck(TypingJudge& typing, quint32 seed, int genre)
    : m_rnd(seed),
      m_mondai(m_rnd, typing),
      m_genreKey(genre == 0 ? QStringLiteral("kannyouku") : QStringLiteral("english")) {
    m_mondai.SetGenre(m_genreKey);
}

int QuestionDeck::QuestionId() const {
    return m_genreKey == QLatin1String("english") ? m_mondai.GetEnglishQuestionId()
                                                  : m_mondai.GetQuestionId();
}

void QuestionDeck::PutNext(PlayLabels& labels) {
    if (m_genreKey == QLatin1String("english")) {
        const QString word = m_mondai.GetEnglishQuestion();
        labels.SetDisplay(word);
        labels.SetMonitor(word);
    } else {
        labels.SetDisplay(m_mondai.GetQuestion());
        labels.SetMonitor(m_mondai.GetKanjiQuestion());
    }
}

}  // namespace kd::net
