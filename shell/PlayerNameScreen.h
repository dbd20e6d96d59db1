#pragma once
#include <QComboBox>
#include <QStringList>

#include "platform/widgets/ScreenBase.h"

class QLabel;
class QPushButton;

namespace kd {

// The editable list of player names. Tells a pick from the drop-down list apart from a name
// typed by hand that happens to match an entry: only a pick reorders the list.
class UserNameBox : public QComboBox {
    Q_OBJECT
  public:
    explicit UserNameBox(QWidget* parent);
    void showPopup() override;
    void hidePopup() override;

  signals:
    void picked(int index);

  private:
    bool m_popupClosing = false;
};

// The player-name screen: lists the players whose folders still exist, lets the player pick
// or type a name, creates the player's folder and remembers the name in Data.dat.
class PlayerNameScreen : public ScreenBase {
    Q_OBJECT
  public:
    explicit PlayerNameScreen(AppContext& ctx);

    QStringList UserNames;  // 21 slots, most recent first

  protected:
    void OnLoad() override;
    bool MayClose(CloseReason reason) override;

  private:
    void PickUserName(int index);
    void ConfirmName();
    void SaveUserName();
    // Shows a refusal, selects the whole name and puts the focus back on the box.
    void Refuse(const QString& text);

    QLabel* namePrompt;
    QLabel* separatorLine;
    UserNameBox* userNameBox;
    QPushButton* okButton;
};

}  // namespace kd
