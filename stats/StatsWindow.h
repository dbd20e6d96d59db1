#pragma once
#include <QPointer>
#include <QWidget>
#include <array>

#include "stats/KeyboardView.h"
#include "stats/StatsSource.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QListWidget;
class QStackedWidget;
class QTabWidget;
class QTableWidget;
class QVBoxLayout;

class QChartView;

namespace kd::stats {

// The player's record as a good teacher would show it: progress over time, weak kana and
// keys, what is typed instead of what, and which key pairs are slow. A window of its own
// beside the game: it never blocks a screen and closes with Esc.
class StatsWindow : public QWidget {
    Q_OBJECT
  public:
    enum class Loading { Background, Now };
    enum Tab { kProgress, kWeak, kMixUps, kPairs };

    StatsWindow(const QString& playerName, const QString& databasePath, Loading loading = Loading::Background,
                QWidget* parent = nullptr);
    ~StatsWindow() override;

    // The range buttons: 7 or 30 days, or 0 for the whole record.
    void SetRangeDays(int days);
    int RangeDays() const { return m_days; }
    void SetAlphabet(Alphabet a);
    bool IsLoaded() const { return m_loaded; }
    const Snapshot& Data() const { return m_data; }

    // "now" for the range buttons; tests pin it.
    void SetNow(qint64 nowMs) { m_nowMs = nowMs; }

  signals:
    void Loaded();
    // 記録の再生: the player wants to choose a recorded game to replay.
    void ReplaysWanted();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void BuildTop(QVBoxLayout* layout);
    QWidget* BuildProgressTab();
    QWidget* BuildWeakTab();
    QWidget* BuildMixUpTab();
    QWidget* BuildPairTab();
    QWidget* Explained(QWidget* content, QLabel** note);

    void Reload();
    void Show(Snapshot data);
    void ShowProgress();
    void ShowTimeTrials();
    void ShowWeak();
    void ShowMixUps();
    void ShowPairs();
    void ShowStatus();
    void ShowVisible();
    void ShowKeyPages();
    QString m_why;  // why a tab has nothing to show
    enum View {
        kProgressView = 1,
        kTimeView = 2,
        kWeakView = 4,
        kMixUpView = 8,
        kPairView = 16,
        kAllViews = 31
    };
    int m_dirty = 0;
    QVector<SeriesKey> ChosenSeries() const;

    QString m_path;
    QString m_player;
    Loading m_loading;
    int m_days = 0;
    qint64 m_nowMs = 0;
    Alphabet m_alphabet = Alphabet::Kana;
    int m_generation = 0;
    bool m_loaded = false;
    Snapshot m_data;
    QList<SeriesKey> m_checked;  // the series the player chose to see
    bool m_seriesChosen = false;

    QTabWidget* m_tabs = nullptr;
    QButtonGroup* m_range = nullptr;
    QButtonGroup* m_alpha = nullptr;
    QCheckBox* m_abandoned = nullptr;
    QLabel* m_status = nullptr;

    // 推移
    QStackedWidget* m_progressPages = nullptr;
    QLabel* m_progressNote = nullptr;
    QListWidget* m_seriesList = nullptr;
    QChartView* m_speedChart = nullptr;
    QChartView* m_rateChart = nullptr;
    QChartView* m_timeChart = nullptr;
    QStackedWidget* m_progressCharts = nullptr;
    QLabel* m_timeNote = nullptr;
    QStackedWidget* m_timePages = nullptr;

    // 苦手
    QStackedWidget* m_weakPages = nullptr;
    QLabel* m_weakNote = nullptr;
    QTableWidget* m_unitTable = nullptr;
    QTableWidget* m_keyTable = nullptr;
    QLabel* m_unitTitle = nullptr;
    KeyboardView* m_keyboard = nullptr;
    QButtonGroup* m_layoutGroup = nullptr;
    QButtonGroup* m_colouringGroup = nullptr;

    // 打ち間違い
    QStackedWidget* m_mixPages = nullptr;
    QLabel* m_mixNote = nullptr;
    QLabel* m_mixHeadline = nullptr;
    QTableWidget* m_mixTable = nullptr;

    // 連続キー
    QStackedWidget* m_pairPages = nullptr;
    QLabel* m_pairNote = nullptr;
    QTableWidget* m_pairTable = nullptr;
    QChartView* m_pairChart = nullptr;
};

// Names shown for a mode and a genre ("練習", "慣用句").
QString ModeName(int mode);
QString GenreName(const QString& genre);

}  // namespace kd::stats
