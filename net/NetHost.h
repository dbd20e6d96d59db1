#pragma once
#include <QHostAddress>
#include <QList>
#include <QTcpServer>
#include <QUdpSocket>
#include <memory>

#include "net/RaceBoard.h"
#include "net/Session.h"
#include "platform/core/Random.h"

namespace kd::net {

class Link;

struct HostOptions {
    QString name;
    int chara = 1;
    quint16 port = kDefaultPort;  // the first port tried; the next ones if it is taken
    int portTries = kPortTries;
    QHostAddress address = QHostAddress::AnyIPv4;
    bool discovery = true;  // answer the joiners' broadcast on the UDP port
    quint16 discoveryPort = kDefaultPort;
    int code = -1;  // -1: a random four-digit code
    bool autoPoll = true;
    int countdownMs = 1500;  // Ready... 1000 ms, Go!! 500 ms
};

// A room held by this copy of the game. It listens only while it is open, decides who is in
// which lane, starts the races, runs the computer lanes, and settles the finishing order.
class NetHost : public Session {
    Q_OBJECT
  public:
    NetHost(TickCounter& clock, const HostOptions& options, QObject* parent = nullptr);
    ~NetHost() override;

    // Starts listening; false with a message when no port could be had.
    bool Open(QString* error);
    quint16 Port() const { return m_server.serverPort(); }
    int Code() const { return m_code; }
    // The code as the lobby shows it: always four digits.
    QString CodeText() const { return QStringLiteral("%1").arg(m_code, 4, 10, QLatin1Char('0')); }
    bool DiscoveryOn() const { return m_udp != nullptr; }
    int PlayerCount() const { return int(m_lobby.players.size()); }

    void SetGenre(int genre);
    void SetLocalChara(int chara);
    // Starts a race with everyone in the room (from the lobby or after a result).
    bool StartRace();

    bool IsHost() const override { return true; }
    int LocalLane() const override { return 0; }
    void LocalProgress(int correct, int misses) override;
    void Leave() override;
    void Poll() override;

    const RaceBoard& board() const { return m_board; }

  private:
    struct Guest {
        std::unique_ptr<Link> link;
        int lane = -1;  // -1 until welcomed
        QString name;
        int chara = 1;
        qint32 since = 0;
    };
    void Accept();
    void OnMessage(Guest* guest, const Message& m);
    void OnHello(Guest* guest, const Hello& h);
    void DropGuest(Guest* guest, int reason);
    void Refuse(Guest* guest, RejectReason reason);
    void Retire(Guest* guest);
    void SendAll(const Message& m);
    void UpdateLobby();
    void FlushLanes(qint32 now);
    void AnswerProbes();
    Guest* InLane(int lane) const;

    HostOptions m_options;
    QTcpServer m_server;
    QUdpSocket* m_udp = nullptr;
    QList<Guest*> m_guests;
    LcgRandom m_computerRnd;
    RaceBoard m_board;
    int m_code = 0;
    int m_raceNo = 0;
    qint32 m_startTick = 0;
    qint32 m_lastComputerTick = 0;
    qint32 m_lastLanesSent = 0;
    bool m_lanesDirty = false;
    qint32 m_probeWindow = 0;
    int m_probeAnswers = 0;
};

}  // namespace kd::net
