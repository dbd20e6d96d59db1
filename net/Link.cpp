#include "net/Link.h"

#include <QTimer>
#include <atomic>

#include "platform/core/TickCounter.h"

namespace kd::net {

namespace {
std::atomic<int> g_live{0};
}

int Link::Live() {
    return g_live.load();
}

Link::Link(QTcpSocket* socket, TickCounter& clock, QObject* parent)
    : QObject(parent), m_clock(clock), m_socket(socket) {
    ++g_live;
    socket->setParent(this);
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    // The read buffer never holds more than a few frames: a peer cannot make it grow.
    socket->setReadBufferSize(2 * kMaxFrame);
    const qint32 now = m_clock.GetTickCount();
    m_lastHeard = m_lastSent = m_floodWindow = now;
    connect(socket, &QTcpSocket::readyRead, this, [this] { Read(); });
    connect(socket, &QTcpSocket::disconnected, this, [this] { Drop(DropReason::Closed); });
    connect(socket, &QTcpSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError) { Drop(DropReason::Closed); });
}

Link::~Link() {
    --g_live;
    Close();
}

void Link::Send(const Message& m) {
    if (!m_socket) return;
    m_socket->write(EncodeFrame(m));
    m_lastSent = m_clock.GetTickCount();
    if (m_socket->bytesToWrite() > kMaxBacklog) Drop(DropReason::Stall);
}

void Link::Read() {
    QPointer<Link> self(this);
    while (m_socket && m_socket->bytesAvailable() > 0) {
        m_reader.Feed(m_socket->read(2 * kMaxFrame));
        while (self && m_socket) {
            const std::optional<QByteArray> payload = m_reader.Next();
            if (!payload) break;
            DecodeError error;
            const std::optional<Message> m = Decode(*payload, &error);
            if (!m && error == DecodeError::Version) {
                // Say why before going, so an older or newer game can tell its player.
                Send(Reject{RejectReason::Version});
                if (m_socket) m_socket->flush();
                return Drop(DropReason::Version);
            }
            if (!m) return Drop(DropReason::Garbage);
            const qint32 now = m_clock.GetTickCount();
            m_lastHeard = now;
            if (TickDiff(now, m_floodWindow) >= 1000) {
                m_floodWindow = now;
                m_floodCount = 0;
            }
            if (++m_floodCount > kFloodMessages) return Drop(DropReason::Flood);
            if (std::holds_alternative<Bye>(*m)) return Drop(DropReason::Bye);
            if (!std::holds_alternative<Ping>(*m) && onMessage) onMessage(*m);
        }
        if (!self) return;
        if (m_reader.state() == FrameReader::State::Garbage) return Drop(DropReason::Garbage);
    }
    if (!self || !m_socket) return;
    const bool partial = m_reader.Partial();
    if (partial && !m_partial) m_partialSince = m_clock.GetTickCount();
    m_partial = partial;
}

void Link::Poll() {
    if (!m_socket) return;
    const qint32 now = m_clock.GetTickCount();
    if (m_partial && TickDiff(now, m_partialSince) >= kPartialFrameMs) return Drop(DropReason::Garbage);
    if (TickDiff(now, m_lastHeard) >= kSilenceMs) return Drop(DropReason::Stall);
    if (m_socket->state() == QAbstractSocket::ConnectedState && TickDiff(now, m_lastSent) >= kPingEveryMs)
        Send(Ping{});
}

void Link::Close() {
    if (!m_socket) return;
    QTcpSocket* s = m_socket;
    m_socket = nullptr;
    s->disconnect(this);
    s->abort();
    s->deleteLater();
}

QTcpSocket* Link::Release() {
    QTcpSocket* s = m_socket;
    m_socket = nullptr;
    if (s) {
        s->disconnect(this);
        s->setParent(nullptr);
    }
    return s;
}

void CloseGently(QTcpSocket* s) {
    if (!s) return;
    QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    QTimer::singleShot(1000, s, [s] {
        s->abort();
        s->deleteLater();
    });
    s->disconnectFromHost();
}

void Link::Drop(DropReason why) {
    if (!m_socket) return;
    Close();
    if (onDropped) onDropped(why);
}

}  // namespace kd::net
