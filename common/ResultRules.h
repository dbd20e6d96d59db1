#pragma once
#include <QDate>
#include <QString>

#include "common/PracticeRecords.h"
#include "common/TimeTrialRecords.h"

namespace kd {

// The correct-key rate as the result screens show it: "95.7%", "100.0%"; "0.0%" when no
// key was typed.
QString CorrectRateText(int correct, int miss);

// A timed practice's figures as shown, and the history entry it leaves.
struct PracticeOutcome {
    QString allType;       // "全打数：N"
    QString correctCount;  // "正打数：N"
    QString missCount;     // "誤打数：N"
    QString correctRate;   // "正答率：95.7%"
    QString practiceTime;  // "練習時間：1分 0秒" or "練習時間：無制限"
    QString typesPerSec;   // "Types/Sec.：2.40" or "Types/Sec.：----"
    QString genre;         // "ジャンル：慣用句"
    PracticeHistoryData entry;
};

// practiceSec of 0 or below is shown as a practice without limit: only the dialog's "no
// limit" can give one, and a damaged setting must not divide by zero.
PracticeOutcome BuildPracticeResult(int correct, int miss, int practiceSec, const QString& genreLabel,
                                    const QDate& today);

// A time-trial run's figures as shown, and the ranking entry it would take (name empty).
struct TimeTrialOutcome {
    QString allType;       // "全打数：N"
    QString correctCount;  // "正打数：N"
    QString missCount;     // "誤打数：N"
    QString correctRate;   // "正答率：95.8%"
    QString time;          // "1m23s45"
    QString typesPerSec;   // "Types/Sec：4.56"
    QString score;         // "スコア：N"
    QString grade;         // "ランク：A"
    TimeTrialRecord entry;
};

TimeTrialOutcome BuildTimeTrialResult(qint32 ms, int correct, int miss, const QString& genreLabel);

}  // namespace kd
