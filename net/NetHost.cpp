#include "net/NetHost.h"

#include <QCoreApplication>
#include <QNetworkDatagram>
#include <QRandomGenerator>
#include <QTcpSocket>

#include "common/Roster.h"
#include "net/Link.h"
#include "platform/core/TickCounter.h"

namespace kd::net {

namespace {

constexpr int kMaxWaitingGuests = 8;  // connections that have not said hello yet
constexpr int kProbeAnswersPerSecond = 50;

}  // namespace

NetHost::NetHost(TickCounter& clock, const HostOptions& options, QObject* parent)
    : Session(clock, options.autoPoll, parent),
      m_options(options),
      m_computerRnd(QRandomGenerator::global()->generate()) {
    m_options.name = CleanName(options.name);
    m_options.chara = qBound(1, options.chara, 5);
    m_code = options.code >= 0 ? options.code % 10000 : int(QRandomGenerator::global()->bounded(10000));
    m_server.setMaxPendingConnections(kMaxWaitingGuests);
    connect(&m_server, &QTcpServer::newConnection, this, [this] { Accept(); });
}

NetHost::~NetHost() {
    Leave();
}

bool NetHost::Open(QString* error) {
    for (int i = 0; i < qMax(1, m_options.portTries); ++i) {
        const quint16 port = m_options.port == 0 ? 0 : quint16(m_options.port + i);
        if (m_server.listen(m_options.address, port)) break;
    }
    if (!m_server.isListening()) {
        if (error)
            *error = QCoreApplication::translate("NetHost", "ポート %1 から %2 を開けませんでした。\n%3")
                         .arg(m_options.port)
                         .arg(m_options.port + m_options.portTries - 1)
                         .arg(m_server.errorString());
        return false;
    }
    if (m_options.discovery) {
        m_udp = new QUdpSocket(this);
        // Several rooms on one machine share the discovery port.
        if (m_udp->bind(QHostAddress::AnyIPv4, m_options.discoveryPort,
                        QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
            connect(m_udp, &QUdpSocket::readyRead, this, [this] { AnswerProbes(); });
        } else {
            // Joining by address still works.
            delete m_udp;
            m_udp = nullptr;
        }
    }
    SetPhase(Phase::Lobby);
    UpdateLobby();
    return true;
}

void NetHost::SetGenre(int genre) {
    m_lobby.genre = genre == 0 ? 0 : 1;
    if (m_phase != Phase::Racing) UpdateLobby();
}

void NetHost::SetLocalChara(int chara) {
    m_options.chara = qBound(1, chara, 5);
    if (m_phase != Phase::Racing) UpdateLobby();
}

NetHost::Guest* NetHost::InLane(int lane) const {
    for (Guest* g : m_guests)
        if (g->lane == lane) return g;
    return nullptr;
}

void NetHost::Accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        int waiting = 0;
        for (Guest* g : m_guests)
            if (g->lane < 0) ++waiting;
        if (waiting >= kMaxWaitingGuests || m_phase == Phase::Closed) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto* guest = new Guest;
        guest->link = std::make_unique<Link>(socket, m_clock);
        guest->since = m_clock.GetTickCount();
        guest->link->onMessage = [this, guest](const Message& m) { OnMessage(guest, m); };
        guest->link->onDropped = [this, guest](DropReason why) { DropGuest(guest, int(why)); };
        m_guests.append(guest);
    }
}

void NetHost::OnMessage(Guest* guest, const Message& m) {
    if (guest->lane < 0) {
        if (const auto* h = std::get_if<Hello>(&m)) return OnHello(guest, *h);
        return DropGuest(guest, int(DropReason::Garbage));
    }
    if (const auto* p = std::get_if<Progress>(&m)) {
        // Counts of an earlier race arrive late now and then; they no longer matter.
        if (m_phase != Phase::Racing || p->race != m_board.race()) return;
        const qint32 now = m_clock.GetTickCount();
        m_board.PlayerCounts(guest->lane, p->correct, p->misses, now);
        m_lanesDirty = true;
        // Passed on at once: the others should see the key while it is fresh.
        FlushLanes(now);
        return;
    }
    // Nothing else is a player's to send.
    DropGuest(guest, int(DropReason::Garbage));
}

void NetHost::OnHello(Guest* guest, const Hello& h) {
    if (h.code != m_code) return Refuse(guest, RejectReason::WrongCode);
    if (m_phase == Phase::Racing) return Refuse(guest, RejectReason::Racing);
    int lane = -1;
    for (int l = 1; l < kLaneCount && lane < 0; ++l)
        if (!InLane(l)) lane = l;
    if (lane < 0) return Refuse(guest, RejectReason::Full);
    guest->lane = lane;
    guest->name = CleanName(h.name);
    guest->chara = h.chara;
    guest->link->Send(Welcome{lane});
    UpdateLobby();
}

void NetHost::Refuse(Guest* guest, RejectReason reason) {
    // The refusal is sent before the line is closed, so the joiner can say why.
    guest->link->Send(Reject{reason});
    CloseGently(guest->link->Release());
    Retire(guest);
}

void NetHost::Retire(Guest* guest) {
    m_guests.removeOne(guest);
    guest->link->onDropped = nullptr;
    guest->link->onMessage = nullptr;
    guest->link->Close();
    guest->link.release()->deleteLater();  // its handler may be what called us
    delete guest;
}

void NetHost::DropGuest(Guest* guest, int reason) {
    if (!m_guests.contains(guest)) return;
    const int lane = guest->lane;
    const QString name = guest->name;
    Retire(guest);
    if (lane < 0) return;
    if (m_phase == Phase::Racing) {
        m_board.Drop(lane, m_clock.GetTickCount());
        m_lanesDirty = true;
        SendAll(Left{lane});
    } else {
        UpdateLobby();
    }
    emit peerLeft(lane, name, DropText(reason));
}

void NetHost::SendAll(const Message& m) {
    const QList<Guest*> guests = m_guests;
    for (Guest* g : guests)
        if (g->lane >= 0 && m_guests.contains(g)) g->link->Send(m);
}

void NetHost::UpdateLobby() {
    m_lobby.players.clear();
    m_lobby.players.push_back({0, m_options.name, m_options.chara});
    for (int lane = 1; lane < kLaneCount; ++lane)
        if (Guest* g = InLane(lane)) m_lobby.players.push_back({lane, g->name, g->chara});
    SendAll(m_lobby);
    emit lobbyChanged();
}

bool NetHost::StartRace() {
    if (m_phase != Phase::Lobby && m_phase != Phase::Results) return false;
    Start s;
    s.race = ++m_raceNo;
    s.seed = QRandomGenerator::global()->generate() & 0xFFFFFFu;
    s.genre = m_lobby.genre;
    s.countdownMs = m_options.countdownMs;
    int computer = 0;
    for (int lane = 0; lane < kLaneCount; ++lane) {
        StartLane& l = s.lanes[lane];
        if (lane == 0) {
            l = {LaneKind::Human, m_options.name, m_options.chara};
        } else if (Guest* g = InLane(lane)) {
            l = {LaneKind::Human, g->name, g->chara};
        } else {
            const int chara = kComputerField.laneCharacters[size_t(computer++)];
            l = {LaneKind::Computer, CharacterName(chara), chara};
        }
    }
    m_start = s;
    m_computerRnd.Seed(s.seed ^ 0x5A5A5Au);
    const qint32 now = m_clock.GetTickCount();
    m_startTick = qint32(quint32(now) + quint32(s.countdownMs));
    m_lastComputerTick = m_startTick;
    m_board.Begin(s.lanes, s.race, m_startTick);
    m_lanes = m_board.Snapshot();
    m_lanesDirty = false;
    m_lastLanesSent = now;
    SetPhase(Phase::Racing);
    SendAll(s);
    emit raceStarted();
    return true;
}

void NetHost::LocalProgress(int correct, int misses) {
    if (m_phase != Phase::Racing) return;
    m_board.PlayerCounts(0, correct, misses, m_clock.GetTickCount());
    m_lanesDirty = true;
    FlushLanes(m_clock.GetTickCount());
}

void NetHost::FlushLanes(qint32 now) {
    if (!m_lanesDirty) return;
    const qint32 since = TickDiff(now, m_lastLanesSent);
    if (since < kRelayEveryMs) return PollIn(kRelayEveryMs - since);
    m_lanesDirty = false;
    m_lastLanesSent = now;
    m_lanes = m_board.Snapshot();
    SendAll(m_lanes);
    emit lanesChanged();
}

void NetHost::Poll() {
    if (m_phase == Phase::Closed) return;
    const qint32 now = m_clock.GetTickCount();
    const QList<Guest*> guests = m_guests;
    for (Guest* g : guests) {
        if (!m_guests.contains(g)) continue;
        if (g->lane < 0 && TickDiff(now, g->since) >= kConnectMs) {
            DropGuest(g, int(DropReason::Stall));
            continue;
        }
        g->link->Poll();
    }
    if (m_phase != Phase::Racing) return;
    // A late poll catches up, but never runs the computers for more than a second at once.
    for (int n = 0; n < 8 && TickDiff(now, m_lastComputerTick) >= kComputerTickMs; ++n) {
        m_lastComputerTick = qint32(quint32(m_lastComputerTick) + kComputerTickMs);
        m_board.ComputerTick(m_computerRnd, now);
        m_lanesDirty = true;
    }
    if (TickDiff(now, m_lastComputerTick) >= kComputerTickMs) m_lastComputerTick = now;
    if (m_board.Over(now)) {
        m_lanesDirty = true;
        m_lastLanesSent = qint32(quint32(now) - kRelayEveryMs);
        FlushLanes(now);
        m_result = m_board.Settle(now);
        SetPhase(Phase::Results);
        SendAll(m_result);
        emit raceOver();
        UpdateLobby();
        return;
    }
    FlushLanes(now);
}

void NetHost::AnswerProbes() {
    while (m_udp && m_udp->hasPendingDatagrams()) {
        const QNetworkDatagram d = m_udp->receiveDatagram(kMaxFrame);
        const qint32 now = m_clock.GetTickCount();
        if (TickDiff(now, m_probeWindow) >= 1000) {
            m_probeWindow = now;
            m_probeAnswers = 0;
        }
        const auto m = Decode(d.data());
        if (!m || !std::holds_alternative<Probe>(*m) || ++m_probeAnswers > kProbeAnswersPerSecond) continue;
        Room r{m_options.name, int(m_server.serverPort()), qBound(1, PlayerCount(), kLaneCount)};
        m_udp->writeDatagram(EncodePayload(r), d.senderAddress(), quint16(d.senderPort()));
    }
}

void NetHost::Leave() {
    if (m_phase == Phase::Closed) return;
    SendAll(Bye{});
    const QList<Guest*> guests = m_guests;
    for (Guest* g : guests) {
        // Bye is on its way; the socket closes once it is written.
        CloseGently(g->link->Release());
        Retire(g);
    }
    m_server.close();
    delete m_udp;
    m_udp = nullptr;
    CloseWith(QCoreApplication::translate("NetHost", "部屋を閉じました。"));
}

}  // namespace kd::net
