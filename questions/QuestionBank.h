#pragma once
#include <QString>
#include <QtGlobal>

namespace kd {

class RandomSource;
class TypingJudge;
class StringTable;

// The question bank: draws idioms and English words of the current genre.
class QuestionBank {
  public:
    QuestionBank(RandomSource& rnd, TypingJudge& typing, const StringTable* table = nullptr);

    QString GetGenre() const { return GenreName; }
    QString GetQuestion();
    QString GetKanjiQuestion() const;
    QString GetEnglishQuestion();
    void SetGenre(const QString& key);

    int GetQuestionId() const { return QuestionId; }
    // ID of the English word drawn last.
    int GetEnglishQuestionId() const { return EnglishId; }

  private:
    const StringTable& Table() const;

    int IdRange[2] = {0, 0};
    QString GenreName;
    int QuestionId = 0;
    int EnglishId = 0;

    RandomSource& m_rnd;
    TypingJudge& m_typing;
    const StringTable* m_table;
};

}  // namespace kd
