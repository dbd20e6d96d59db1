#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <memory>

#include "netui/NetLook.h"
#include "platform/widgets/ScreenBase.h"

namespace kd {

namespace net {
class RoomFinder;
}
class Timer;

// Joining a room: the rooms found on the local network, or an address typed by hand, the
// room code and a character; then waiting in the room until the host starts.
class JoinRoomScreen : public ScreenBase {
    Q_OBJECT
  public:
    explicit JoinRoomScreen(AppContext& ctx);
    ~JoinRoomScreen() override;

    QListWidget* roomList;
    QLineEdit* addressEdit;
    QLineEdit* portEdit;
    QLineEdit* codeEdit;
    CharaPicker* picker;
    QLabel* statusText;
    PlayerLines* players;
    QPushButton* joinButton;
    QPushButton* backButton;
    Timer* findTimer;

  protected:
    void OnLoad() override;
    bool MayClose(CloseReason reason) override;

  private:
    void ShowRooms();
    void JoinRoom();
    void LeaveScreen();
    void Joined();
    void Failed(const QString& why);
    void SetEditing(bool on);
    std::unique_ptr<net::RoomFinder> m_finder;
    std::unique_ptr<PlayerLines> m_players;
    bool m_handedOver = false;
};

}  // namespace kd
