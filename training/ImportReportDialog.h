#pragma once
#include <array>

#include "learning/QuestionSetStore.h"
#include "platform/widgets/ScreenBase.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace kd {

// What an import of the player's own questions did: the set it made, and every line it could
// not take with its line number and reason. Modal over the window that started the import.
class ImportReportDialog : public ScreenBase {
    Q_OBJECT
  public:
    ImportReportDialog(AppContext& ctx, QWidget* owner, const ImportReport& report);

    // The report's summary line, also for tests.
    static QString SummaryText(const ImportReport& report);

  protected:
    void OnLoad() override;

  private:
    void Dismiss() { CloseScreen(); }

    std::array<QLabel*, 2> titleTexts{};
    QLabel* fileText;
    QLabel* summaryLine;
    QLabel* refusedCaption;
    QTableWidget* refusedTable;
    QPushButton* okButton;
};

}  // namespace kd
