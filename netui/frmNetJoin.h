#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <memory>

#include "netui/NetLook.h"
#include "platform/widgets/FormBase.h"

namespace kd {

namespace net {
class RoomFinder;
}
class Timer;

// Joining a room: the rooms found on the local network, or an address typed by hand, the
// room code and a character; then waiting in the room until the host starts.
class frmNetJoin : public FormBase {
    Q_OBJECT
  public:
    explicit frmNetJoin(AppContext& ctx);
    ~frmNetJoin() override;

    QListWidget* lstRooms;
    QLineEdit* txtAddress;
    QLineEdit* txtPort;
    QLineEdit* txtCode;
    CharaPicker* picker;
    QLabel* lblStatus;
    PlayerLines* players;
    QPushButton* cmdJoin;
    QPushButton* cmdBack;
    Timer* tmrFind;

  protected:
    void Form_Load() override;
    bool Form_QueryUnload(UnloadMode mode) override;

  private:
    void ShowRooms();
    void cmdJoin_Click();
    void cmdBack_Click();
    void Joined();
    void Failed(const QString& why);
    void SetEditing(bool on);
    std::unique_ptr<net::RoomFinder> m_finder;
    std::unique_ptr<PlayerLines> m_players;
    bool m_handedOver = false;
};

}  // namespace kd
