#pragma once
#include "stats/KeyboardView.h"
#include "stats/StatsTab.h"

class QButtonGroup;
class QHBoxLayout;
class QLabel;
class QTableWidget;

namespace kd::stats {

// 苦手: the kana (or letters) and keys missed most, and a keyboard coloured by misses or by
// slowness.
class WeakSpotsTab : public KeyFiguresTab {
    Q_OBJECT
  public:
    explicit WeakSpotsTab(const Snapshot& data, QWidget* parent = nullptr);

    // Shows the layout the record remembers, without taking it for the player's choice.
    void ShowKeyboardLayout(KeyboardLayout layout);

  signals:
    void KeyboardLayoutChosen(KeyboardLayout layout);

  protected:
    void Draw(int view) override;

  private:
    QHBoxLayout* BuildKeyboardSwitches();

    QLabel* m_weakUnitsTitle = nullptr;
    QTableWidget* m_weakUnitsTable = nullptr;
    QTableWidget* m_weakKeysTable = nullptr;
    QButtonGroup* m_layoutGroup = nullptr;
    QButtonGroup* m_colouringGroup = nullptr;
    KeyboardView* m_keyboard = nullptr;
};

}  // namespace kd::stats
