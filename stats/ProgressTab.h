#pragma once
#include <QList>
#include <QVector>

#include "stats/StatsTab.h"

class QChart;
class QChartView;
class QHBoxLayout;
class QListWidget;
class QStackedWidget;
class QVBoxLayout;

namespace kd::stats {

// 推移: the speed and accuracy of each game over time, per kind of game the player picks, or
// the time trial's times against the letter grades.
class ProgressTab : public StatsTab {
    Q_OBJECT
  public:
    explicit ProgressTab(const Snapshot& data, QWidget* parent = nullptr);

  signals:
    // 記録の再生: the player wants to choose a recorded game to replay.
    void ReplaysWanted();
    // The player switched between the speed charts and the times.
    void ViewChanged();

  protected:
    enum View { kSpeedView = 0, kTimesView = 1 };
    int VisibleView() const override;
    void Draw(int view) override;

  private:
    QVBoxLayout* BuildSeriesPicker();
    QHBoxLayout* BuildViewSwitches();
    QWidget* BuildTimesPage();

    QVector<SeriesKey> ChosenSeries() const;
    void DrawSpeedAndRate();
    void FillSeriesList();
    // One chart over the chosen series from `from` to `to`: keys per second, or the rate of
    // correct keys.
    QChart* ProgressChart(const QString& title, const QString& axisTitle, bool rate, qint64 from, qint64 to);
    void DrawTimeTrials();

    QList<SeriesKey> m_checkedSeries;  // the series the player chose to see
    bool m_seriesChosen = false;

    QListWidget* m_seriesList = nullptr;
    QStackedWidget* m_chartPages = nullptr;
    QChartView* m_speedChart = nullptr;
    QChartView* m_rateChart = nullptr;
    QStackedWidget* m_timesPages = nullptr;
    QChartView* m_timeChart = nullptr;
};

}  // namespace kd::stats
