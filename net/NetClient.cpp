#include "net/NetClient.h"

#include <QCoreApplication>
#include <QTcpSocket>

#include "net/Link.h"
#include "platform/core/TickCounter.h"

namespace kd::net {

QString RejectText(RejectReason reason) {
    switch (reason) {
        case RejectReason::WrongCode:
            return QCoreApplication::translate("NetClient", "部屋のコードが違います。");
        case RejectReason::Full:
            return QCoreApplication::translate("NetClient", "部屋はもう満員です。");
        case RejectReason::Version:
            return QCoreApplication::translate("NetClient",
                                               "ホストとゲームのバージョンが違うため参加できません。");
        case RejectReason::Racing:
            return QCoreApplication::translate("NetClient",
                                               "レースの最中です。終わってからもう一度参加してください。");
    }
    return QString();
}

NetClient::NetClient(TickCounter& clock, const ClientOptions& options, QObject* parent)
    : Session(clock, options.autoPoll, parent), m_options(options) {
    m_options.name = CleanName(options.name);
    m_options.chara = qBound(1, options.chara, 5);
}

NetClient::~NetClient() {
    Leave();
}

void NetClient::Connect(const QHostAddress& address, quint16 port, int code) {
    m_code = code;
    m_dialled = m_clock.GetTickCount();
    auto* socket = new QTcpSocket;
    m_link = std::make_unique<Link>(socket, m_clock);
    m_link->onMessage = [this](const Message& m) { OnMessage(m); };
    m_link->onDropped = [this](DropReason why) { Lost(int(why)); };
    connect(socket, &QTcpSocket::connected, this, [this] {
        if (m_link) m_link->Send(Hello{m_code, m_options.name, m_options.chara});
    });
    socket->connectToHost(address, port);
}

void NetClient::Lost(int reason) {
    if (m_link) {
        m_link->onMessage = nullptr;
        m_link->onDropped = nullptr;
        m_link.release()->deleteLater();  // its handler may be what called us
    }
    if (m_phase == Phase::Connecting)
        CloseWith(QCoreApplication::translate(
            "NetClient", "部屋に接続できませんでした。\nアドレス、ポート、コードを確かめてください。"));
    else
        CloseWith(QCoreApplication::translate("NetClient", "ホストとの接続が切れました（%1）。")
                      .arg(DropText(reason)));
}

void NetClient::OnMessage(const Message& m) {
    if (m_phase == Phase::Connecting) {
        if (const auto* w = std::get_if<Welcome>(&m)) {
            m_lane = w->lane;
            SetPhase(Phase::Lobby);
            emit lobbyChanged();
            return;
        }
        if (const auto* r = std::get_if<Reject>(&m)) {
            if (m_link) m_link->Close();
            CloseWith(RejectText(r->reason));
            return;
        }
        return Lost(int(DropReason::Garbage));
    }
    if (const auto* l = std::get_if<Lobby>(&m)) {
        m_lobby = *l;
        emit lobbyChanged();
    } else if (const auto* s = std::get_if<Start>(&m)) {
        // A start that leaves this player out of the race is not one the host could send.
        if (s->lanes[m_lane].kind != LaneKind::Human) return Lost(int(DropReason::Garbage));
        m_start = *s;
        m_lanes = Lanes{};
        m_lanes.race = s->race;
        m_correct = m_misses = 0;
        m_pending = false;
        SetPhase(Phase::Racing);
        emit raceStarted();
    } else if (const auto* l = std::get_if<Lanes>(&m)) {
        if (l->race != m_start.race || m_phase != Phase::Racing) return;
        m_lanes = *l;
        emit lanesChanged();
    } else if (const auto* r = std::get_if<Result>(&m)) {
        if (r->race != m_start.race || m_phase != Phase::Racing) return;
        m_result = *r;
        SetPhase(Phase::Results);
        emit raceOver();
    } else if (const auto* left = std::get_if<Left>(&m)) {
        QString name;
        if (m_phase == Phase::Racing || m_phase == Phase::Results) name = m_start.lanes[left->lane].name;
        emit peerLeft(left->lane, name, DropText(int(DropReason::Closed)));
    } else {
        // Hello, progress, probes: not the host's to send.
        if (m_link) m_link->Close();
        Lost(int(DropReason::Garbage));
    }
}

void NetClient::LocalProgress(int correct, int misses) {
    if (m_phase != Phase::Racing) return;
    m_correct = correct;
    m_misses = misses;
    m_pending = true;
    const qint32 now = m_clock.GetTickCount();
    const qint32 since = TickDiff(now, m_lastSent);
    if (since >= kSendEveryMs)
        SendProgress(now);
    else
        PollIn(kSendEveryMs - since);
}

void NetClient::SendProgress(qint32 now) {
    if (!m_link) return;
    m_link->Send(Progress{m_start.race, qMin(m_correct, kMaxCount), qMin(m_misses, kMaxCount)});
    ++sentProgress;
    m_lastSent = now;
    m_pending = false;
}

void NetClient::Poll() {
    if (m_phase == Phase::Closed) return;
    const qint32 now = m_clock.GetTickCount();
    if (m_phase == Phase::Connecting && TickDiff(now, m_dialled) >= kConnectMs) {
        if (m_link) m_link->Close();
        return Lost(int(DropReason::Stall));
    }
    if (m_pending && m_phase == Phase::Racing && TickDiff(now, m_lastSent) >= kSendEveryMs) SendProgress(now);
    if (m_link) m_link->Poll();
}

void NetClient::Leave() {
    if (m_phase == Phase::Closed) return;
    if (m_link) {
        m_link->Send(Bye{});
        CloseGently(m_link->Release());
        m_link->onMessage = nullptr;
        m_link->onDropped = nullptr;
        m_link.release()->deleteLater();
    }
    CloseWith(QCoreApplication::translate("NetClient", "部屋を出ました。"));
}

}  // namespace kd::net
