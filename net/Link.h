#pragma once
#include <QObject>
#include <QPointer>
#include <QTcpSocket>
#include <functional>

#include "net/Protocol.h"

namespace kd {
class TickCounter;
}

namespace kd::net {

// Guards of one connection, in milliseconds and messages.
constexpr qint32 kPartialFrameMs = 750;     // an unfinished frame: garbage, closed within a second
constexpr qint32 kSilenceMs = 5000;         // nothing heard at all: the peer stalls
constexpr qint32 kPingEveryMs = 1000;       // so that a quiet but healthy peer is still heard
constexpr int kFloodMessages = 250;         // more than this in one second: a flood
constexpr qint64 kMaxBacklog = 256 * 1024;  // bytes the peer has not taken: it stalls
constexpr qint32 kConnectMs = 5000;         // from dialling to the host's welcome

// Closes a socket once what was written has gone out, or after a second at most.
void CloseGently(QTcpSocket* socket);

enum class DropReason { None, Closed, Garbage, Flood, Stall, Bye, Version };

// One TCP connection with the rules every peer is held to: frames only through the strict
// parser, garbage and floods closed at once, an unfinished frame or silence closed after a
// while, a peer that does not read closed before its backlog grows. Time comes from the
// tick counter; Poll() applies the time-outs (the owner calls it often).
class Link : public QObject {
    Q_OBJECT
  public:
    Link(QTcpSocket* socket, TickCounter& clock, QObject* parent = nullptr);
    ~Link() override;

    void Send(const Message& m);
    void Poll();
    // Closes without telling the owner (it already knows).
    void Close();
    // Hands the socket over (to be closed gently once what was sent has gone out).
    QTcpSocket* Release();
    bool Open() const { return m_socket != nullptr; }
    QTcpSocket* socket() const { return m_socket; }

    // Links alive in this process (a soak test checks none are left behind).
    static int Live();

    std::function<void(const Message&)> onMessage;
    std::function<void(DropReason)> onDropped;

  private:
    void Read();
    void Drop(DropReason why);
    TickCounter& m_clock;
    QPointer<QTcpSocket> m_socket;
    FrameReader m_reader;
    qint32 m_lastHeard = 0;
    qint32 m_lastSent = 0;
    qint32 m_partialSince = 0;
    bool m_partial = false;
    qint32 m_floodWindow = 0;
    int m_floodCount = 0;
};

}  // namespace kd::net
