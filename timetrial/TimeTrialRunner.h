#pragma once
#include <QString>

namespace kd {

// One character as an object; the time trial's ball is its only user.
class TimeTrialRunner {
  public:
    // A rank of 0 or less means "not placed" and never overwrites a stored rank.
    void SetCharaRank(int rank) {
        if (rank > 0) Rank = rank;
    }
    int GetCharaRank() const { return Rank; }
    void SetCharaName(const QString& name) { Name = name; }
    QString GetCharaName() const { return Name; }
    void SetCharaStepSize(int step) { StepSize = step; }
    int GetCharaStepSize() const { return StepSize; }

  private:
    int StepSize = 0;
    QString Name;
    int Rank = 0;
};

}  // namespace kd
