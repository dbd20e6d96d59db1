#pragma once
#include <QDate>
#include <QString>
#include <optional>

#include "common/PracticeRecords.h"
#include "common/TimeTrialRecords.h"

namespace kd {

// The correct-key rate as the result screens show it: "95.7%", "100.0%"; "0.0%" when no
// key was typed.
QString CorrectRateText(int correct, int miss);

// A timed practice's figures, and the history entry it leaves. The screen formats them.
struct PracticeOutcome {
    int allKeys = 0;
    int correct = 0;
    int misses = 0;
    QString correctRate;               // "95.7%": the text the history stores as well
    std::optional<int> practiceSec;    // nothing for a practice without limit
    std::optional<double> keysPerSec;  // correct keys per second, with the limit only
    PracticeHistoryData entry;
};

// practiceSec of 0 or below is a practice without limit: only the dialog's "no limit" can give
// one, and a damaged setting must not divide by zero.
PracticeOutcome BuildPracticeResult(int correct, int miss, int practiceSec, const QString& genreLabel,
                                    const QDate& today);

// A time-trial run's figures, and the ranking entry it would take (name empty).
struct TimeTrialOutcome {
    int allKeys = 0;
    int correct = 0;
    int misses = 0;
    QString correctRate;  // "95.8%"
    qint32 ms = 0;
    double keysPerSec = 0;
    int score = 0;
    QString grade;  // "S".."G"
    TimeTrialRecord entry;
};

TimeTrialOutcome BuildTimeTrialResult(qint32 ms, int correct, int miss, const QString& genreLabel);

}  // namespace kd
