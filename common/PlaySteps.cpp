#include "common/PlaySteps.h"

#include "common/GameState.h"
#include "engine/PlayLabels.h"

namespace kd {

void PutNextQuestion(GameState& g, PlayLabels& labels, const QString& genreKey) {
    if (genreKey == QLatin1String("english")) {
        const QString word = g.objMondai.GetEnglishQuestion();
        labels.SetDisplay(word);
        labels.SetMonitor(word);
        g.play.QuestionShown(g.objMondai.GetEnglishQuestionId(), word, word);
    } else if (genreKey == QLatin1String("kannyouku")) {
        const QString reading = g.objMondai.GetQuestion();
        labels.SetDisplay(reading);
        const QString kanji = g.objMondai.GetKanjiQuestion();
        labels.SetMonitor(kanji);
        g.play.QuestionShown(g.objMondai.GetQuestionId(), kanji, reading);
    }
}

bool JudgeKey(GameState& g, PlayLabels& labels, const QString& genreKey, int keyAscii) {
    const qint16 before = g.objTypingSystem.GetCorrectCount();
    if (genreKey == QLatin1String("english"))
        g.objTypingSystem.ESystem(labels, keyAscii);
    else if (genreKey == QLatin1String("kannyouku"))
        g.objTypingSystem.NSystem(labels, keyAscii);
    else
        return false;
    if (g.play.Listening()) {
        g.play.KeyJudged();
        if (labels.Display().isEmpty()) g.play.QuestionEnded(true);
    }
    return g.objTypingSystem.GetCorrectCount() > before;
}

QString GenreKeyOf(qint16 storedValue) {
    return storedValue != 0 ? QStringLiteral("english") : QStringLiteral("kannyouku");
}

}  // namespace kd
