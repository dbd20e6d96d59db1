#pragma once
#include <QString>
#include <QtGlobal>

namespace kd {

// One character as an object; the time trial's ball is its only user.
class TimeTrialRunner {
  public:
    // A rank of 0 or less means "not placed" and never overwrites a stored rank.
    void SetCharaRank(qint16 rank) {
        if (rank > 0) Rank = rank;
    }
    qint16 GetCharaRank() const { return Rank; }
    void SetCharaName(const QString& name) { Name = name; }
    QString GetCharaName() const { return Name; }
    void SetCharaStepSize(qint16 step) { StepSize = step; }
    qint16 GetCharaStepSize() const { return StepSize; }

  private:
    qint16 StepSize = 0;
    QString Name;
    qint16 Rank = 0;
};

}  // namespace kd
