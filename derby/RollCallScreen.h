#pragma once
#include <QLabel>
#include <QPixmap>
#include <array>

#include "platform/widgets/Controls.h"
#include "platform/widgets/ScreenBase.h"
#include "platform/widgets/Timer.h"

namespace kd {

// The roll call after the boss: every character's picture with its name typed out, round
// and round until the player presses Space or Enter.
class RollCallScreen : public ScreenBase {
    Q_OBJECT
  public:
    explicit RollCallScreen(AppContext& ctx);

    // The character on show (1-17) and its name as typed out so far.
    int ShownCharacter() const { return CharaIndex; }
    const QString& NameSoFar() const { return ShownName; }

    DrawingArea* characterPicture;
    QLabel* characterName;
    QLabel* pressEnterHint;
    Timer* typeOutTimer;

  protected:
    void OnLoad() override;
    void OnKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    bool MayClose(CloseReason reason) override;
    void OnClose() override;

  private:
    void Init();
    void PutUp(int item);
    void TypeNextLetter();

    QString ShownName;
    int ShownLen = 0;
    int CharaIndex = 1;
    std::array<QPixmap, 17> characterPictures;
};

}  // namespace kd
