#include "net/RoomFinder.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QSet>

namespace kd::net {

namespace {
constexpr int kMaxRooms = 32;
}

RoomFinder::RoomFinder(quint16 discoveryPort, QObject* parent) : QObject(parent), m_port(discoveryPort) {
    m_udp.bind(QHostAddress::AnyIPv4, 0);
    connect(&m_udp, &QUdpSocket::readyRead, this, [this] { Read(); });
}

void RoomFinder::Probe() {
    const QByteArray probe = EncodePayload(net::Probe{});
    QSet<QString> sent;
    auto send = [&](const QHostAddress& to) {
        if (to.isNull() || sent.contains(to.toString())) return;
        sent.insert(to.toString());
        m_udp.writeDatagram(probe, to, m_port);
    };
    send(QHostAddress(QHostAddress::LocalHost));
    send(QHostAddress(QHostAddress::Broadcast));
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        if (!(i.flags() & QNetworkInterface::IsUp) || !(i.flags() & QNetworkInterface::CanBroadcast))
            continue;
        for (const QNetworkAddressEntry& e : i.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol) send(e.broadcast());
    }
}

void RoomFinder::Read() {
    bool changed = false;
    while (m_udp.hasPendingDatagrams()) {
        const QNetworkDatagram d = m_udp.receiveDatagram(kMaxFrame);
        const auto m = Decode(d.data());
        const auto* room = m ? std::get_if<Room>(&*m) : nullptr;
        if (!room) continue;
        // A room on this machine answers both on loopback and on its network address.
        QHostAddress from(d.senderAddress().toIPv4Address());
        FoundRoom found{from, quint16(room->port), room->host, room->players};
        bool known = false;
        for (FoundRoom& r : m_rooms) {
            // One room answering on loopback and on its network address is listed once, at the
            // address others can reach too.
            const bool sameMachine =
                (r.address.isLoopback() || found.address.isLoopback()) && r.host == found.host;
            if (r.port == found.port && (r.address == found.address || sameMachine)) {
                if (!found.address.isLoopback()) r = found;
                known = true;
            }
        }
        if (!known && m_rooms.size() < kMaxRooms) m_rooms.append(found);
        changed = true;
    }
    if (changed) emit roomsChanged();
}

QList<QHostAddress> LanAddresses() {
    QList<QHostAddress> out;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        if (!(i.flags() & QNetworkInterface::IsUp) || (i.flags() & QNetworkInterface::IsLoopBack)) continue;
        for (const QNetworkAddressEntry& e : i.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol && !e.ip().isLoopback())
                out.append(e.ip());
    }
    return out;
}

}  // namespace kd::net
