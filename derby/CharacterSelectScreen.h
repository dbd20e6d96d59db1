#pragma once
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <array>
#include <functional>

#include "platform/widgets/Controls.h"
#include "platform/widgets/ScreenBase.h"
#include "platform/widgets/Timer.h"

namespace kd {

// One of the five selectable pictures: light grey, or yellow with a border when chosen.
class CharaTile : public DrawingArea {
    Q_OBJECT
  public:
    CharaTile(QWidget* parent, const QString& name, int x, int y, std::function<void()> onClick);
    void SetChosen(bool chosen);
    bool Chosen() const { return m_chosen; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    std::function<void()> m_onClick;
    bool m_chosen = false;
};

// The start of every derby: the player picks one of the five playable characters.
class CharacterSelectScreen : public ScreenBase {
    Q_OBJECT
  public:
    explicit CharacterSelectScreen(AppContext& ctx);

    // Where the demo runner is drawn.
    int DemoPosition() const { return DemoX; }

    QLabel* characterName;
    std::array<CharaTile*, 5> characterTiles{};
    QLabel* enduranceValue;
    QLabel* stepSizeValue;
    QProgressBar* enduranceBar;
    QProgressBar* stepSizeBar;
    DrawingArea* demoTrack;
    QPushButton* settingsButton;
    QPushButton* okButton;
    QPushButton* backButton;
    Timer* demoTimer;

    void ChooseCharacter(int index);
    void ConfirmCharacter();
    void ShowGenreDialog();

  protected:
    void OnLoad() override;
    void OnKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    bool MayClose(CloseReason reason) override;
    void OnClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Enter and Space press the focused button; Enter falls back to OK.
    void PressFocusedButton(bool orOK);
    void ShowStats();
    void MoveDemo();
    void LeaveTo(Screen next);

    int DemoX = 62;
    std::array<QPixmap, 5> characterPictures;
};

}  // namespace kd
