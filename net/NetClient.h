#pragma once
#include <QHostAddress>
#include <memory>

#include "net/Session.h"

namespace kd::net {

class Link;

struct ClientOptions {
    QString name;
    int chara = 1;
    bool autoPoll = true;
};

// A room joined from this copy of the game: says hello with the room code, then follows what
// the host tells and sends this player's counts.
class NetClient : public Session {
    Q_OBJECT
  public:
    NetClient(TickCounter& clock, const ClientOptions& options, QObject* parent = nullptr);
    ~NetClient() override;

    void Connect(const QHostAddress& address, quint16 port, int code);

    bool IsHost() const override { return false; }
    int LocalLane() const override { return m_lane; }
    void LocalProgress(int correct, int misses) override;
    void Leave() override;
    void Poll() override;

    // Counts sent to the host (for tests and the bench).
    int sentProgress = 0;

  private:
    void OnMessage(const Message& m);
    void Lost(int reason);
    void SendProgress(qint32 now);

    ClientOptions m_options;
    std::unique_ptr<Link> m_link;
    int m_code = 0;
    int m_lane = -1;
    qint32 m_dialled = 0;
    qint32 m_lastSent = 0;
    int m_correct = 0;
    int m_misses = 0;
    bool m_pending = false;
};

QString RejectText(RejectReason reason);

}  // namespace kd::net
