#pragma once
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QTcpSocket>
#include <functional>
#include <memory>
#include <vector>

#include "net/Link.h"
#include "net/NetClient.h"
#include "net/NetHost.h"
#include "platform/core/TickCounter.h"

namespace kd::net::test {

// Lets the loopback sockets deliver until the condition holds. Time-outs in the game come from
// the manual clock; this only waits for bytes in flight, and gives up after a few seconds of
// them not arriving so a broken test fails instead of hanging.
inline bool Pump(const std::function<bool()>& done) {
    QElapsedTimer guard;
    guard.start();
    while (!done()) {
        if (guard.elapsed() > 5000) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// Bytes in flight and deferred deletions settle.
inline void Settle() {
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

inline int OpenFiles() {
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::NoDotAndDotDot | QDir::System | QDir::Files)
                   .size());
}

// A room on loopback with up to three joiners, all on one manual clock. Nothing polls by
// itself: Tick() advances the clock and polls every peer.
struct Room {
    explicit Room(int code = 4321) {
        HostOptions o;
        o.name = QStringLiteral("たろう");
        o.chara = 1;
        o.port = 0;  // any free port: tests run side by side
        o.address = QHostAddress(QHostAddress::LocalHost);
        o.discovery = false;
        o.code = code;
        o.autoPoll = false;
        host = std::make_unique<NetHost>(clock, o);
        QString error;
        EXPECT_TRUE(host->Open(&error)) << error.toStdString();
    }
    ~Room() {
        clients.clear();
        host.reset();
        Settle();
    }

    NetClient* Join(const QString& name, int chara, int code = -1) {
        ClientOptions o{name, chara, false};
        clients.push_back(std::make_unique<NetClient>(clock, o));
        NetClient* c = clients.back().get();
        c->Connect(QHostAddress(QHostAddress::LocalHost), host->Port(), code < 0 ? host->Code() : code);
        Pump([c] { return c->phase() != Phase::Connecting; });
        return c;
    }
    // Joins and waits until the host's lobby has counted the newcomer.
    NetClient* JoinAndWait(const QString& name, int chara) {
        const int before = host->PlayerCount();
        NetClient* c = Join(name, chara);
        Pump([&] { return host->PlayerCount() > before; });
        return c;
    }
    void Tick(qint32 ms) {
        clock.advance(ms);
        host->Poll();
        for (auto& c : clients) c->Poll();
    }
    bool AllRacing() {
        return Pump([this] {
            for (auto& c : clients)
                if (c->phase() != Phase::Closed && c->phase() != Phase::Racing) return false;
            return true;
        });
    }
    bool AllOver() {
        return Pump([this] {
            for (auto& c : clients)
                if (c->phase() != Phase::Closed && c->phase() != Phase::Results) return false;
            return host->phase() == Phase::Results;
        });
    }

    ManualTickCounter clock;
    std::unique_ptr<NetHost> host;
    std::vector<std::unique_ptr<NetClient>> clients;
};

}  // namespace kd::net::test
