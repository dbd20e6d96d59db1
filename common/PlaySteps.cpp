#include "common/PlaySteps.h"

#include "common/GameState.h"
#include "engine/PlayLabels.h"
#include "questions/Genre.h"

namespace kd {

void PutNextQuestion(GameState& g, PlayLabels& labels, const QString& genreKey) {
    if (IsGenreKey(genreKey, Genre::English)) {
        const QString word = g.questions.GetEnglishQuestion();
        labels.SetDisplay(word);
        labels.SetMonitor(word);
        g.play.QuestionShown(g.questions.GetEnglishQuestionId(), word, word);
    } else if (IsGenreKey(genreKey, Genre::Idioms)) {
        const QString reading = g.questions.GetQuestion();
        labels.SetDisplay(reading);
        const QString kanji = g.questions.GetKanjiQuestion();
        labels.SetMonitor(kanji);
        g.play.QuestionShown(g.questions.GetQuestionId(), kanji, reading);
    }
}

void PutGivenQuestion(GameState& g, PlayLabels& labels, const QString& genreKey, const QuestionShown& q) {
    labels.SetDisplay(q.reading);
    labels.SetMonitor(q.text);
    // The bank's draw readies the judge for a new reading; a given question must do the same.
    if (IsGenreKey(genreKey, Genre::Idioms)) g.judge.InitFlag();
    g.play.QuestionShown(q.questionId, q.text, q.reading);
}

bool JudgeKey(GameState& g, PlayLabels& labels, const QString& genreKey, int character, char16_t kanaKey) {
    const int before = g.judge.GetCorrectCount();
    if (IsGenreKey(genreKey, Genre::English))
        g.judge.JudgeEnglishKey(labels, character);
    else if (IsGenreKey(genreKey, Genre::Idioms) && g.judge.Method() == InputMethod::Kana)
        g.judge.JudgeKanaInput(labels, kanaKey, character);
    else if (IsGenreKey(genreKey, Genre::Idioms))
        g.judge.JudgeKanaKey(labels, character);
    else
        return false;
    if (g.play.Listening()) {
        g.play.KeyJudged();
        if (labels.Display().isEmpty()) g.play.QuestionEnded(true);
    }
    return g.judge.GetCorrectCount() > before;
}

bool IsTypedCharacter(int character) {
    return character >= 0x20 && !(character >= 0x7F && character <= 0x9F);
}

QString GenreKeyOf(qint16 storedValue) {
    return GenreKey(storedValue != 0 ? Genre::English : Genre::Idioms);
}

}  // namespace kd
