#pragma once
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <memory>

#include "netui/NetLook.h"
#include "platform/widgets/ScreenBase.h"

namespace kd {

namespace net {
class NetHost;
}

// The room this player opened: its code, address and port, who joined, the genre and the
// start. The port is open exactly as long as the room is.
class HostLobbyScreen : public ScreenBase {
    Q_OBJECT
  public:
    explicit HostLobbyScreen(AppContext& ctx);
    ~HostLobbyScreen() override;

    QLabel* roomCode;
    QLabel* addressText;
    QLabel* discoveryNote;
    PlayerLines* players;
    std::array<QRadioButton*, 2> genreChoices{};
    CharaPicker* picker;
    QPushButton* startButton;
    QPushButton* backButton;

    // Port and address options, for tests (the real game uses the defaults).
    static void SetTestOptions(quint16 port, bool discovery);

  protected:
    void OnLoad() override;
    void OnKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    bool MayClose(CloseReason reason) override;

  private:
    void ShowLobby();
    void StartRace();
    void LeaveScreen();
    net::NetHost* Host() const;
    std::unique_ptr<PlayerLines> m_players;
    bool m_handedOver = false;
};

}  // namespace kd
