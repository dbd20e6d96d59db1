#pragma once
#include <array>

#include "platform/widgets/ScreenBase.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;

namespace kd {

class DrawingArea;

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
    void BuildMenuBar();
    void ConnectMenus();
    void BuildClientArea();
    void OnKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    bool MayClose(CloseReason reason) override;

  private:
    // The loading steps; record deletion runs them again.
    void LoadMenu();
    void SelectItem(int index);
    void OpenItem(int index);
    void DeleteAllRecords();
    void ExportLearning();
    void AskToEnd() { OpenItem(3); }
    void TurnMusicOn();
    void TurnMusicOff();
    void TurnEffectsOn();
    void TurnEffectsOff();
    void ShowAbout();
    void OpenStats();
    void ShowSwitches();
    void Warn(const QString& text);

    QMenuBar* menuBar;
    QMenu* fileMenu;
    QAction* deleteRecordsAction;
    QAction* exportLearningAction;
    QAction* exitAction;
    QMenu* effectsMenu;
    QAction* effectsOnAction;
    QAction* effectsOffAction;
    QMenu* musicMenu;
    QAction* musicOnAction;
    QAction* musicOffAction;
    QMenu* viewMenu;  // zoom and full screen; other view switches join it
    QAction* aboutAction;
    QMenu* statsMenu;
    QAction* showStatsAction;
    QMenu* netMenu;

    DrawingArea* clientArea;  // the 640x480 area below the menu bar
    QLabel* titleText;
    QLabel* titleShadow;
    std::array<QLabel*, 2> versionTexts{};
    std::array<QLabel*, kItemCount> menuItems{};
    int m_selected = 0;
    QLabel* itemShadow;
    QLabel* modeDescription;
};

}  // namespace kd
