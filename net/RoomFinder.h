#pragma once
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QUdpSocket>

#include "net/Protocol.h"

namespace kd::net {

struct FoundRoom {
    QHostAddress address;
    quint16 port = 0;
    QString host;
    int players = 1;
};

// Asks the local network which rooms are open: a probe broadcast to the discovery port on
// every interface (and this machine), the rooms' answers collected. Listens only on a port of
// its own choosing, and only while it exists.
class RoomFinder : public QObject {
    Q_OBJECT
  public:
    explicit RoomFinder(quint16 discoveryPort = kDefaultPort, QObject* parent = nullptr);
    void Probe();
    const QList<FoundRoom>& rooms() const { return m_rooms; }
    void Clear() { m_rooms.clear(); }

  signals:
    void roomsChanged();

  private:
    void Read();
    QUdpSocket m_udp;
    quint16 m_port;
    QList<FoundRoom> m_rooms;
};

// The addresses others can reach this machine at (IPv4, not loopback); empty when the only
// network is this machine itself.
QList<QHostAddress> LanAddresses();

}  // namespace kd::net
