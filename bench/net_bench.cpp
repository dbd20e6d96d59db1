// How soon a key typed in one copy of the game shows in another's race: three peers in one
// process on loopback with real timers and the real clock. A joiner types; the time is taken
// from its key to the moment a second joiner has the new position of that lane, the whole road
// of host relay, coalescing and polling. Prints "measure|value|worst" lines for bench/run.sh.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "net/NetClient.h"
#include "net/NetHost.h"
#include "net/RaceBoard.h"
#include "platform/core/TickCounter.h"

namespace {

using namespace kd::net;

void RunUntil(const std::function<bool()>& done, int limitMs) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

// Types `keys` keys `everyMs` apart; returns the delays in milliseconds.
std::vector<double> Measure(int keys, int everyMs) {
    kd::SteadyTickCounter clock;
    HostOptions ho;
    ho.name = QStringLiteral("host");
    ho.port = 0;
    ho.address = QHostAddress(QHostAddress::LocalHost);
    ho.discovery = false;
    ho.countdownMs = 0;
    NetHost host(clock, ho);
    if (!host.Open(nullptr)) return {};
    NetClient typist(clock, ClientOptions{QStringLiteral("typist"), 3, true});
    NetClient watcher(clock, ClientOptions{QStringLiteral("watcher"), 3, true});
    for (NetClient* c : {&typist, &watcher}) {
        c->Connect(QHostAddress(QHostAddress::LocalHost), host.Port(), host.Code());
        RunUntil([&] { return host.PlayerCount() == (c == &typist ? 2 : 3); }, 3000);
    }
    host.StartRace();
    RunUntil([&] { return typist.phase() == Phase::Racing && watcher.phase() == Phase::Racing; }, 3000);

    QElapsedTimer clockMs;
    clockMs.start();
    std::vector<double> typedAt(keys + 1, -1), seenAt(keys + 1, -1);
    const int step = kd::PlayableCharacterOf(3).step;
    QObject::connect(&watcher, &Session::lanesChanged, [&] {
        const int k = watcher.lanes().x[typist.LocalLane()] / step;
        for (int i = 1; i <= std::min(k, keys); ++i)
            if (seenAt[i] < 0 && typedAt[i] >= 0) seenAt[i] = double(clockMs.nsecsElapsed()) / 1e6;
    });
    int typed = 0;
    QTimer keyTimer;
    keyTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&keyTimer, &QTimer::timeout, [&] {
        if (typed == keys) return keyTimer.stop();
        ++typed;
        typedAt[typed] = double(clockMs.nsecsElapsed()) / 1e6;
        typist.LocalProgress(typed, 0);
    });
    keyTimer.start(everyMs);
    RunUntil([&] { return typed == keys && seenAt[keys] >= 0; }, keys * everyMs + 3000);
    std::vector<double> delays;
    for (int i = 1; i <= keys; ++i)
        delays.push_back(seenAt[i] >= 0 && typedAt[i] >= 0 ? seenAt[i] - typedAt[i] : 1e9);
    return delays;
}

void Print(const char* name, std::vector<double> d) {
    if (d.empty()) {
        std::printf("%s|failed|1e9\n", name);
        return;
    }
    std::sort(d.begin(), d.end());
    auto at = [&](double q) { return d[std::min(d.size() - 1, size_t(q * double(d.size())))]; };
    std::printf("%s (p50/p99/max ms)|%.1f / %.1f / %.1f|%.1f\n", name, at(0.5), at(0.99), d.back(), at(0.99));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Print("network race: key -> remote lane, 10 keys/s", Measure(60, 100));
    Print("network race: key -> remote lane, 25 keys/s", Measure(120, 40));
    return 0;
}
