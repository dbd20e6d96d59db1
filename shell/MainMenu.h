#pragma once
#include <array>

#include "platform/widgets/ScreenBase.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;

namespace kd {

class PictureBox;

// The main menu: the player's data folder, derby progress and sound switches, the title music,
// and the three modes plus the end of the program.
class MainMenu : public ScreenBase {
    Q_OBJECT
  public:
    explicit MainMenu(AppContext& ctx);

    static constexpr int kItemCount = 4;
    static constexpr int kClientWidth = 640;
    static constexpr int kClientHeight = 480;

    // The highlighted item, 0 (PRACTICE) to 3 (END); Enter opens it.
    int Selected() const { return m_selected; }

  protected:
    void OnLoad() override;
    void OnKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    bool MayClose(CloseReason reason) override;

  private:
    // The loading steps; record deletion runs them again.
    void LoadMenu();
    void lblSelectButton_MouseMove(int index);
    void lblSelectButton_Click(int index);
    void mnuDel_Click();
    void mnuExport_Click();
    void mnuEnd_Click() { lblSelectButton_Click(3); }
    void mnuOn_Click();
    void mnuOff_Click();
    void mnuEffectOn_Click();
    void mnuEffectOff_Click();
    void mnuVersion_Click();
    void mnuStatsView_Click();
    void ShowSwitches();
    void Warn(const QString& text);

    QMenuBar* menuBar;
    QMenu* mnuFile;
    QAction* mnuDel;
    QAction* mnuExport;
    QAction* mnuEnd;
    QMenu* mnuEffect;
    QAction* mnuEffectOn;
    QAction* mnuEffectOff;
    QMenu* mnuBgm;
    QAction* mnuOn;
    QAction* mnuOff;
    QMenu* mnuView;  // zoom and full screen; other view switches join it
    QAction* mnuVersion;
    QMenu* mnuStats;
    QAction* mnuStatsView;
    QMenu* mnuNet;

    PictureBox* picClient;  // the 640x480 area below the menu bar
    QLabel* lblTitle;
    QLabel* lblTitleShadow;
    std::array<QLabel*, 2> lblVersion{};
    std::array<QLabel*, kItemCount> lblSelectButton{};
    int m_selected = 0;
    QLabel* lblShadow;
    QLabel* lblKaisetsu;
};

}  // namespace kd
