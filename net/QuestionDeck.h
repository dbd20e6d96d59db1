#pragma once
#include <QString>

#include "platform/core/Random.h"
#include "questions/QuestionBank.h"

namespace kd {
class PlayLabels;
class TypingJudge;
}  // namespace kd

namespace kd::net {

// The questions of one network race: every player draws from a bank seeded with the host's
// seed, so all see the same questions in the same order, whatever else the game draws.
class QuestionDeck {
  public:
    QuestionDeck(TypingJudge& typing, quint32 seed, int genre);
    // Puts the next question up, as every play screen does.
    void PutNext(PlayLabels& labels);
    QString GenreKey() const { return m_genreKey; }
    // The bank's number of the question put up last.
    int QuestionId() const;

  private:
    LcgRandom m_rnd;
    QuestionBank m_bank;
    QString m_genreKey;
};

}  // namespace kd::net
