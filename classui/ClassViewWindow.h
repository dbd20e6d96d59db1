#pragma once
#include <QWidget>
#include <functional>

#include "classroom/ClassServer.h"

class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTabWidget;

namespace kd {

class MessageBoxes;
namespace stats {
class KeyboardView;
}

// Where the CSV export is saved: a file dialog in the program, the test's own answer in tests.
using CsvFileChooser = std::function<QString(QWidget* parent)>;
CsvFileChooser& ClassCsvChooser();

// The teacher's view of one class: the students with their games, best figures and a progress
// chart each; the class's weak keys and kana on the keyboard heat map; the class ranking; the
// CSV export; removing a student. Every change asks the server again.
class ClassViewWindow : public QWidget {
    Q_OBJECT
  public:
    enum Tab { kStudents, kWeakKeys, kRanking };

    ClassViewWindow(const TeacherLogin& login, const ClassView& view, MessageBoxes& msg,
                    QWidget* parent = nullptr);

    const ClassView& View() const { return view_; }
    QTabWidget* Tabs() const { return tabs_; }
    // The selected student's row (the progress chart follows it).
    void SelectStudent(int row);
    bool ExportCsv();
    void RemoveSelectedStudent();
    void RefreshRanking();
    void Reload();

  signals:
    void Updated();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QWidget* BuildStudentsPage();
    QWidget* BuildWeakKeysPage();
    QWidget* BuildRankingPage();
    void Show(const ClassView& view);
    void ShowProgress(int row);
    void Tell(const QString& text);

    TeacherLogin login_;
    ClassView view_;
    MessageBoxes& msg_;
    QTabWidget* tabs_ = nullptr;
    QLabel* status_ = nullptr;
    QTableWidget* students_ = nullptr;
    QChartView* progress_ = nullptr;
    QPushButton* remove_ = nullptr;
    stats::KeyboardView* keyboard_ = nullptr;
    QTableWidget* weakKana_ = nullptr;
    QComboBox* rankingMode_ = nullptr;
    QComboBox* rankingGenre_ = nullptr;
    QTableWidget* ranking_ = nullptr;
};

}  // namespace kd
