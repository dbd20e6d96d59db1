#pragma once
#include <QStackedWidget>

#include "learning/Statistics.h"
#include "stats/StatsSource.h"

class QLabel;

namespace kd::stats {

// One tab of the statistics window: its figures, or in their place a note that says why there
// are none yet. Figures are drawn only when the player looks at them, so the window opens (and
// a range button answers) at the cost of one tab, not four.
class StatsTab : public QStackedWidget {
    Q_OBJECT
  public:
    // `data` is the window's, read again for every range; the tab only draws it.
    explicit StatsTab(const Snapshot& data, QWidget* parent = nullptr);

    void Explain(const QString& why);
    void ShowFigures(bool shown);
    // The figures changed: every view is drawn again when the player next looks at it.
    void MarkStale() { m_staleViews = ~0u; }
    // Draws the view the player sees if its figures changed since it was last drawn.
    void DrawVisible();

  protected:
    void SetFigures(QWidget* figures);
    // A tab with several views (pages of charts) names the one the player sees.
    virtual int VisibleView() const { return 0; }
    virtual void Draw(int view) = 0;

    const Snapshot& m_data;

  private:
    QLabel* m_note = nullptr;
    unsigned m_staleViews = 0;
};

// A tab of figures per key: for the kana of the idioms or for the letters of English words.
class KeyFiguresTab : public StatsTab {
    Q_OBJECT
  public:
    using StatsTab::StatsTab;
    void SetAlphabet(Alphabet a);

  protected:
    Alphabet m_alphabet = Alphabet::Kana;
};

}  // namespace kd::stats
