#pragma once
#include <QWidget>

#include "stats/KeyboardView.h"
#include "stats/StatsSource.h"

class QButtonGroup;
class QCheckBox;
class QHBoxLayout;
class QLabel;
class QTabWidget;

namespace kd::stats {

class ClassTab;
class KeyFiguresTab;
class KeyPairsTab;
class MixUpsTab;
class ProgressTab;
class WeakSpotsTab;

// The player's record as a good teacher would show it: progress over time, weak kana and
// keys, what is typed instead of what, and which key pairs are slow. A window of its own
// beside the game: it never blocks a screen and closes with Esc. The window holds the
// choices every tab follows (alphabet, range, abandoned games) and reads the record; each tab
// draws its own figures.
class StatsWindow : public QWidget {
    Q_OBJECT
  public:
    enum class Loading { Background, Now };
    enum Tab { kProgress, kWeakSpots, kMixUps, kKeyPairs, kClass };

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
    QHBoxLayout* BuildFilters();
    void BuildTabs();
    // The tabs of figures per key; progress is the same in either alphabet.
    QList<KeyFiguresTab*> KeyTabs() const;

    void Reload();
    void Show(Snapshot data);
    void ShowStatus();
    void ShowVisible();
    void ShowKeyPages();
    void SaveKeyboardLayout(KeyboardLayout layout);

    QString m_path;
    QString m_player;
    Loading m_loading;
    int m_days = 0;
    qint64 m_nowMs = 0;
    Alphabet m_alphabet = Alphabet::Kana;
    int m_generation = 0;
    bool m_loaded = false;
    Snapshot m_data;  // the tabs draw from it
    QString m_why;    // why a tab has nothing to show

    QButtonGroup* m_alphabetGroup = nullptr;
    QButtonGroup* m_rangeGroup = nullptr;
    QCheckBox* m_includeAbandoned = nullptr;
    QTabWidget* m_tabs = nullptr;
    ProgressTab* m_progressTab = nullptr;
    WeakSpotsTab* m_weakSpotsTab = nullptr;
    MixUpsTab* m_mixUpsTab = nullptr;
    KeyPairsTab* m_keyPairsTab = nullptr;
    ClassTab* m_classTab = nullptr;
    QLabel* m_status = nullptr;
};

}  // namespace kd::stats
