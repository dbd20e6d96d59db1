#include "common/ResultRules.h"

#include "common/Format.h"

namespace kd {

QString CorrectRateText(int correct, int miss) {
    const int all = correct + miss;
    if (all <= 0) return QStringLiteral("0.0%");
    return PercentText(double(correct) / all);
}

PracticeOutcome BuildPracticeResult(int correct, int miss, int practiceSec, const QString& genreLabel,
                                    const QDate& today) {
    PracticeOutcome r;
    r.allKeys = correct + miss;
    r.correct = correct;
    r.misses = miss;
    r.correctRate = CorrectRateText(correct, miss);

    r.entry.HistDate = FormatDate(today);
    r.entry.CRate = r.correctRate;
    r.entry.Genre = genreLabel;
    if (practiceSec <= 0) return r;  // no time and no rate per second in the history
    r.practiceSec = practiceSec;
    r.keysPerSec = double(correct) / practiceSec;
    r.entry.PTime = MinutesSecondsText(practiceSec);
    r.entry.TPS = FixedText(*r.keysPerSec, 1).toFloat();
    return r;
}

TimeTrialOutcome BuildTimeTrialResult(qint32 ms, int correct, int miss, const QString& genreLabel) {
    TimeTrialOutcome r;
    r.allKeys = correct + miss;
    r.correct = correct;
    r.misses = miss;
    r.correctRate = CorrectRateText(correct, miss);
    r.ms = ms;
    r.keysPerSec = ms > 0 ? correct / (ms / 1000.0) : 0.0;
    r.score = GetTimeTrialScore(genreLabel, ms, miss);
    r.grade = GetTimeTrialRank(ms);

    r.entry.RankTime = ms;
    // The ranking has always stored a run without keys as "0%", unlike the screen's "0.0%".
    r.entry.RankRate = correct + miss > 0 ? r.correctRate : QStringLiteral("0%");
    r.entry.RankScore = qint16(r.score);
    r.entry.RankGrade = r.grade;
    r.entry.RankGenre = genreLabel;
    return r;
}

}  // namespace kd
