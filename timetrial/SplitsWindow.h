#pragma once
#include <QDialog>
#include <QList>

#include "learning/GhostRun.h"

class QTableWidget;

namespace kd {

// A finished run question by question against the best run's question at the same place:
// the time on each, the difference and the running difference; the largest losses marked.
class SplitsWindow : public QDialog {
    Q_OBJECT
  public:
    SplitsWindow(QWidget* parent, const QList<Split>& splits, qint64 totalGapMs);
    QTableWidget* Table() const { return m_table; }

    static QString Seconds(qint64 ms);  // "1.23"

  private:
    QTableWidget* m_table;
};

}  // namespace kd
