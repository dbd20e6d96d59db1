#pragma once
#include <QObject>
#include <QString>
#include <QTimer>

#include "net/Protocol.h"

namespace kd {
class TickCounter;
}

namespace kd::net {

enum class Phase { Connecting, Lobby, Racing, Results, Closed };

// What the screens see of a room, whether this copy of the game holds it (NetHost) or joined
// it (NetClient): the lobby, the start of each race, the lanes as they move, the result.
class Session : public QObject {
    Q_OBJECT
  public:
    Session(TickCounter& clock, bool autoPoll, QObject* parent);

    virtual bool IsHost() const = 0;
    // The lane this copy's player runs in.
    virtual int LocalLane() const = 0;
    // This player's counts; sent on at most every kSendEveryMs while they change.
    virtual void LocalProgress(int correct, int misses) = 0;
    // Leaves the room (a host closes it) and tells the others.
    virtual void Leave() = 0;
    // Applies time-outs and sends what waits; called by the session's own timer, or by a test.
    virtual void Poll() = 0;

    Phase phase() const { return m_phase; }
    const Lobby& lobby() const { return m_lobby; }
    const Start& start() const { return m_start; }
    const Lanes& lanes() const { return m_lanes; }
    const Result& result() const { return m_result; }
    // Why the room ended for this copy (shown to the player).
    QString closedReason() const { return m_closedReason; }

  signals:
    void lobbyChanged();
    void raceStarted();
    void lanesChanged();
    void raceOver();
    // Another player left (lane, name, a text saying why).
    void peerLeft(int lane, const QString& name, const QString& why);
    void closed(const QString& why);

  protected:
    void SetPhase(Phase p) { m_phase = p; }
    // Something waits to be sent in this many milliseconds: poll then rather than at the next
    // regular poll (only when the session polls itself; tests poll by hand).
    void PollIn(qint32 ms);
    void CloseWith(const QString& why);
    TickCounter& m_clock;
    Phase m_phase = Phase::Connecting;
    Lobby m_lobby;
    Start m_start;
    Lanes m_lanes;
    Result m_result;
    QString m_closedReason;
    QTimer m_pollTimer;
    QTimer m_soonTimer;
    bool m_autoPoll = false;
};

constexpr int kPollEveryMs = 20;
// A player's counts go out at most this often, so updates while typing are well within 50 ms
// of each other without one message per key.
constexpr qint32 kSendEveryMs = 25;
// The host passes lanes on at most this often (players' keys and computer steps together).
constexpr qint32 kRelayEveryMs = 10;

QString DropText(int reason);

}  // namespace kd::net
