#pragma once
#include <array>

#include "common/TimeTrialRecords.h"
#include "platform/widgets/ScreenBase.h"

class QLabel;
class QPushButton;

namespace kd {

class Timer;

// The ten best runs; the entry just added is red and its name blinks.
class TimeTrialRankingScreen : public ScreenBase {
    Q_OBJECT
  public:
    explicit TimeTrialRankingScreen(AppContext& ctx);

  protected:
    void OnLoad() override;
    bool MayClose(CloseReason reason) override;

  private:
    void BlinkNewName();
    void AskTryAgain();

    enum Column { Name, Time, Rate, Score, Rank, Genre, ColumnCount };
    std::array<std::array<QLabel*, kTimeTrialPlaces>, ColumnCount> m_cells{};
    QPushButton* okButton;
    Timer* blinkTimer;
    QLabel* m_blinking = nullptr;  // the highlighted row's name label
    QString m_blinkingName;        // the name it shows while lit
    bool m_done = false;
};

}  // namespace kd
