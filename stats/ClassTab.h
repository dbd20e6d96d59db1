#pragma once
#include <QList>
#include <QWidget>

#include "classroom/ClassServer.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace kd::stats {

// The modes and genres a class ranking is kept for, as shown in the choosers.
struct RankingChoice {
    int mode = 1;  // GameMode
    QString genre = QStringLiteral("kannyouku");
};
// Adds the mode and genre choosers to a row; `changed` is called on every change.
void AddRankingChoosers(QWidget* owner, QLayout* row, QComboBox*& mode, QComboBox*& genre);
RankingChoice ChosenRanking(const QComboBox* mode, const QComboBox* genre);
// 順位, 名前, 記録, ゲーム数: the time for a time trial, keys per second otherwise. The player's
// own row is marked in gold.
QTableWidget* MakeRankingTable();
void FillRanking(QTableWidget* table, const QList<RankRow>& rows, int mode);

// The クラス tab of the statistics window: the class ranking per mode and genre and the player's
// place in it, read from the class server when the player looks at the tab.
class ClassTab : public QWidget {
    Q_OBJECT
  public:
    explicit ClassTab(const QString& learningPath, QWidget* parent = nullptr);

    // Asks the server (the first time the tab is shown, and on 更新 or a new choice).
    void Refresh();
    bool Loading() const { return m_loading; }

  signals:
    void Refreshed();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Show(const std::optional<QList<RankRow>>& rows, const ClassError& error, const RankingChoice& asked);

    QString m_path;
    ClassMembership m_member;
    bool m_asked = false;
    bool m_loading = false;
    QLabel* m_className = nullptr;
    QLabel* m_place = nullptr;
    QComboBox* m_mode = nullptr;
    QComboBox* m_genre = nullptr;
    QPushButton* m_refresh = nullptr;
    QTableWidget* m_table = nullptr;
};

}  // namespace kd::stats
