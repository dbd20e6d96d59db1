#pragma once
#include "stats/StatsTab.h"

class QChartView;
class QTableWidget;

namespace kd::stats {

// 連続キー: the pairs of keys that are slow to type one after the other, slowest first, with
// the slowest sure ones as bars.
class KeyPairsTab : public KeyFiguresTab {
    Q_OBJECT
  public:
    explicit KeyPairsTab(const Snapshot& data, QWidget* parent = nullptr);

  protected:
    void Draw(int view) override;

  private:
    QChartView* m_pairChart = nullptr;
    QTableWidget* m_pairsTable = nullptr;
};

}  // namespace kd::stats
