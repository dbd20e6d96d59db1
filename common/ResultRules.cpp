#include "common/ResultRules.h"

#include "common/Format.h"

namespace kd {

QString CorrectRateText(int correct, int miss) {
    const int all = correct + miss;
    if (all <= 0) return QStringLiteral("0.0%");
    return FormatNumber(double(correct) / all, QStringLiteral("##0.0%"));
}

namespace {

QString Counted(const QString& head, int n) {
    return head + QString::number(n);
}

}  // namespace

PracticeOutcome BuildPracticeResult(int correct, int miss, int practiceSec, const QString& genreLabel,
                                    const QDate& today) {
    PracticeOutcome r;
    r.allType = Counted(QStringLiteral("全打数："), correct + miss);
    r.correctCount = Counted(QStringLiteral("正打数："), correct);
    r.missCount = Counted(QStringLiteral("誤打数："), miss);
    const QString rate = CorrectRateText(correct, miss);
    r.correctRate = QStringLiteral("正答率：") + rate;
    r.genre = QStringLiteral("ジャンル：") + genreLabel;

    r.entry.HistDate = FormatDate(today);
    r.entry.CRate = rate;
    r.entry.Genre = genreLabel;
    if (practiceSec <= 0) {
        r.practiceTime = QStringLiteral("練習時間：無制限");
        r.typesPerSec = QStringLiteral("Types/Sec.：----");
        return r;  // no time and no rate per second in the history
    }
    const QString time = MinutesSecondsText(practiceSec);
    r.practiceTime = QStringLiteral("練習時間：") + time;
    r.typesPerSec = QStringLiteral("Types/Sec.：") +
                    FormatNumber(double(correct) / practiceSec, QStringLiteral("###0.00"));
    r.entry.PTime = time;
    r.entry.TPS = FormatNumber(double(correct) / practiceSec, QStringLiteral("##0.0")).toFloat();
    return r;
}

TimeTrialOutcome BuildTimeTrialResult(qint32 ms, int correct, int miss, const QString& genreLabel) {
    TimeTrialOutcome r;
    r.allType = Counted(QStringLiteral("全打数："), correct + miss);
    r.correctCount = Counted(QStringLiteral("正打数："), correct);
    r.missCount = Counted(QStringLiteral("誤打数："), miss);
    r.correctRate = QStringLiteral("正答率：") + CorrectRateText(correct, miss);
    r.time = FormatTimeTrialTime(ms);
    const double perSec = ms > 0 ? correct / (ms / 1000.0) : 0.0;
    r.typesPerSec = QStringLiteral("Types/Sec：") + FormatNumber(perSec, QStringLiteral("###0.00"));
    const qint16 score = GetTimeTrialScore(genreLabel, ms, miss);
    r.score = Counted(QStringLiteral("スコア："), score);
    r.grade = QStringLiteral("ランク：") + GetTimeTrialRank(ms);

    r.entry.RankTime = ms;
    // The ranking has always stored a run without keys as "0%", unlike the screen's "0.0%".
    r.entry.RankRate = correct + miss > 0 ? CorrectRateText(correct, miss) : QStringLiteral("0%");
    r.entry.RankScore = score;
    r.entry.RankGrade = GetTimeTrialRank(ms);
    r.entry.RankGenre = genreLabel;
    return r;
}

}  // namespace kd
