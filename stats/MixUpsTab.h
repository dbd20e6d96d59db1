#pragma once
#include "stats/StatsTab.h"

class QLabel;
class QTableWidget;

namespace kd::stats {

// 打ち間違い: which key was typed where another was wanted, most frequent first, with the
// fingers of both.
class MixUpsTab : public KeyFiguresTab {
    Q_OBJECT
  public:
    explicit MixUpsTab(const Snapshot& data, QWidget* parent = nullptr);

  protected:
    void Draw(int view) override;

  private:
    QLabel* m_mixUpHeadline = nullptr;
    QTableWidget* m_mixUpsTable = nullptr;
};

}  // namespace kd::stats
