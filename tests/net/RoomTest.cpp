// Two to four copies of the game in one process over loopback: joining, the room code, the
// same questions for all, the finishing order, and every way a peer can go away.
#include <QSignalSpy>

#include "engine/PlayLabels.h"
#include "engine/TypingJudge.h"
#include "net/QuestionDeck.h"
#include "net/RaceBoard.h"
#include "net/RoomFinder.h"
#include "tests/net/NetKit.h"

namespace kd::net::test {
namespace {

int KeysToFinish(int chara) {
    const int step = PlayableCharacterOf(chara).step;
    return (kFinishX + step - 1) / step;
}

TEST(NetRoom, PlayersJoinWithNameAndCharacterAndEveryoneSeesTheLobby) {
    Room room;
    QSignalSpy lobby(room.host.get(), &Session::lobbyChanged);
    NetClient* a = room.JoinAndWait(QStringLiteral("じろう"), 3);
    NetClient* b = room.JoinAndWait(QStringLiteral("Hanako"), 5);
    ASSERT_EQ(a->phase(), Phase::Lobby);
    EXPECT_EQ(a->LocalLane(), 1);
    EXPECT_EQ(b->LocalLane(), 2);
    ASSERT_EQ(room.host->PlayerCount(), 3);
    const auto& players = room.host->lobby().players;
    EXPECT_EQ(players[1].name, QStringLiteral("じろう"));
    EXPECT_EQ(players[1].chara, 3);
    EXPECT_EQ(players[2].name, QStringLiteral("Hanako"));
    EXPECT_GE(lobby.count(), 2);
    room.host->SetGenre(1);
    ASSERT_TRUE(Pump([&] { return a->lobby().players.size() == 3 && a->lobby().genre == 1; }));
    EXPECT_EQ(a->lobby().players[0].name, QStringLiteral("たろう"));
}

TEST(NetRoom, AWrongCodeAFullRoomAndARaceUnderWayKeepJoinersOut) {
    Room room(1234);
    NetClient* wrong = room.Join(QStringLiteral("よそ者"), 1, 4321);
    ASSERT_EQ(wrong->phase(), Phase::Closed);
    EXPECT_EQ(wrong->closedReason(), QStringLiteral("部屋のコードが違います。"));
    EXPECT_EQ(room.host->PlayerCount(), 1);

    for (int i = 0; i < 3; ++i) room.JoinAndWait(QStringLiteral("p%1").arg(i), 2);
    NetClient* fifth = room.Join(QStringLiteral("五人目"), 1);
    EXPECT_EQ(fifth->closedReason(), QStringLiteral("部屋はもう満員です。"));
    EXPECT_EQ(room.host->PlayerCount(), 4);

    room.clients[1]->Leave();
    ASSERT_TRUE(Pump([&] { return room.host->PlayerCount() == 3; }));
    ASSERT_TRUE(room.host->StartRace());
    NetClient* late = room.Join(QStringLiteral("遅刻"), 1);
    EXPECT_EQ(late->phase(), Phase::Closed);
    EXPECT_NE(late->closedReason().indexOf(QStringLiteral("レースの最中")), -1);
}

TEST(NetRoom, EveryoneGetsTheSameLanesAndTheSameQuestions) {
    Room room;
    room.JoinAndWait(QStringLiteral("じろう"), 3);
    room.JoinAndWait(QStringLiteral("さぶろう"), 4);
    for (int genre : {0, 1}) {
        room.host->SetGenre(genre);
        ASSERT_TRUE(room.host->StartRace());
        ASSERT_TRUE(room.AllRacing());
        const Start& s = room.host->start();
        EXPECT_EQ(s.lanes[0].kind, LaneKind::Human);
        EXPECT_EQ(s.lanes[2].name, QStringLiteral("さぶろう"));
        EXPECT_EQ(s.lanes[3].kind, LaneKind::Computer);
        std::vector<QStringList> seen;
        for (const Start* st : {&s, &room.clients[0]->start(), &room.clients[1]->start()}) {
            EXPECT_EQ(st->seed, s.seed);
            EXPECT_EQ(st->genre, genre);
            TypingJudge judge;
            QuestionDeck deck(judge, st->seed, st->genre);
            StringPlayLabels labels;
            QStringList questions;
            for (int i = 0; i < 20; ++i) {
                deck.PutNext(labels);
                questions << labels.monitor + labels.display;
            }
            seen.push_back(questions);
        }
        EXPECT_EQ(seen[1], seen[0]);
        EXPECT_EQ(seen[2], seen[0]);
        // End this race: everyone finishes.
        room.host->LocalProgress(KeysToFinish(1), 0);
        room.clients[0]->LocalProgress(KeysToFinish(3), 0);
        room.clients[1]->LocalProgress(KeysToFinish(4), 0);
        room.Tick(50);
        ASSERT_TRUE(Pump([&] {
            room.Tick(50);
            return room.host->phase() == Phase::Results;
        }));
        ASSERT_TRUE(room.AllOver());
    }
}

TEST(NetRoom, TheHostSettlesTheFinishingOrderAndEveryoneSeesIt) {
    Room room;
    NetClient* a = room.JoinAndWait(QStringLiteral("じろう"), 4);
    NetClient* b = room.JoinAndWait(QStringLiteral("さぶろう"), 2);
    ASSERT_TRUE(room.host->StartRace());
    ASSERT_TRUE(room.AllRacing());
    room.Tick(1500);
    // b crosses first, then the host, then a; all three send as they type.
    b->LocalProgress(KeysToFinish(2), 1);
    ASSERT_TRUE(Pump([&] {
        room.Tick(10);
        return room.host->board().State(2) == LaneState::Finished;
    }));
    room.host->LocalProgress(KeysToFinish(1), 0);
    a->LocalProgress(20, 0);
    ASSERT_TRUE(Pump([&] {
        room.Tick(10);
        return a->lanes().x[0] >= kFinishX && room.host->board().X(1) == 20 * PlayableCharacterOf(4).step;
    }));
    EXPECT_EQ(b->lanes().state[2], LaneState::Finished);
    a->LocalProgress(KeysToFinish(4), 3);
    ASSERT_TRUE(Pump([&] {
        room.Tick(10);
        return room.host->phase() == Phase::Results;
    }));
    ASSERT_TRUE(room.AllOver());
    for (const Session* s :
         {static_cast<Session*>(room.host.get()), static_cast<Session*>(a), static_cast<Session*>(b)}) {
        const Result& r = s->result();
        EXPECT_EQ(r.rows[0].lane, 2);
        EXPECT_EQ(r.rows[1].lane, 0);
        EXPECT_EQ(r.rows[2].lane, 1);
        EXPECT_EQ(r.rows[2].misses, 3);
        EXPECT_EQ(r.rows[3].lane, 3);  // the computer lane, still running
    }
    // "もう一度": the same room races again with everyone in it.
    ASSERT_TRUE(room.host->StartRace());
    ASSERT_TRUE(room.AllRacing());
    EXPECT_EQ(a->start().race, 2);
}

TEST(NetRoom, UpdatesWhileTypingAreNeverMoreThanFiftyMillisecondsApart) {
    Room room;
    NetClient* a = room.JoinAndWait(QStringLiteral("じろう"), 1);
    ASSERT_TRUE(room.host->StartRace());
    ASSERT_TRUE(room.AllRacing());
    QSignalSpy moved(room.host.get(), &Session::lanesChanged);
    // A fast typist: a key every 8 ms for 400 ms; the joiner's poll runs every 20 ms.
    int sentAt = -1, widest = 0, sends = 0;
    for (int t = 0; t <= 400; t += 4) {
        if (t % 8 == 0) a->LocalProgress(t / 8, 0);
        if (t % kPollEveryMs == 0) a->Poll();
        if (a->sentProgress != sends) {
            sends = a->sentProgress;
            if (sentAt >= 0) widest = std::max(widest, t - sentAt);
            sentAt = t;
        }
        room.clock.advance(4);
    }
    EXPECT_GT(sends, 5);
    EXPECT_LE(widest, 50);
    EXPECT_LT(sends, 50);  // coalesced, not one per key
    // The last keys go out at the next poll after the pause.
    room.clock.advance(kSendEveryMs);
    a->Poll();
    ASSERT_TRUE(Pump([&] {
        room.host->Poll();
        return room.host->board().X(1) == 50 * PlayableCharacterOf(1).step;
    }));
}

TEST(NetRoom, APlayerLeavingMidRaceLeavesTheOthersRacing) {
    Room room;
    NetClient* a = room.JoinAndWait(QStringLiteral("じろう"), 1);
    NetClient* b = room.JoinAndWait(QStringLiteral("さぶろう"), 1);
    ASSERT_TRUE(room.host->StartRace());
    ASSERT_TRUE(room.AllRacing());
    QSignalSpy hostSaw(room.host.get(), &Session::peerLeft);
    QSignalSpy bSaw(b, &Session::peerLeft);
    a->LocalProgress(5, 0);
    room.Tick(50);
    a->Leave();
    ASSERT_TRUE(Pump([&] { return hostSaw.count() == 1 && bSaw.count() == 1; }));
    EXPECT_EQ(hostSaw.at(0).at(0).toInt(), 1);
    EXPECT_EQ(hostSaw.at(0).at(1).toString(), QStringLiteral("じろう"));
    EXPECT_EQ(bSaw.at(0).at(1).toString(), QStringLiteral("じろう"));
    ASSERT_TRUE(Pump([&] {
        room.Tick(50);
        return b->lanes().state[1] == LaneState::Gone;
    }));
    b->LocalProgress(KeysToFinish(1), 0);
    room.host->LocalProgress(KeysToFinish(1), 0);
    ASSERT_TRUE(Pump([&] {
        room.Tick(50);
        return b->phase() == Phase::Results;
    }));
    EXPECT_EQ(b->result().rows[3].lane, 1);
    EXPECT_EQ(b->result().rows[3].state, LaneState::Gone);
    // Back in the lobby the lane is free again.
    EXPECT_EQ(room.host->PlayerCount(), 2);
}

TEST(NetRoom, TheHostLeavingEndsTheRoomForEveryoneAtEveryPhase) {
    for (int phase = 0; phase < 3; ++phase) {
        Room room;
        NetClient* a = room.JoinAndWait(QStringLiteral("じろう"), 1);
        NetClient* b = room.JoinAndWait(QStringLiteral("さぶろう"), 1);
        if (phase >= 1) {
            ASSERT_TRUE(room.host->StartRace());
            ASSERT_TRUE(room.AllRacing());
        }
        if (phase == 2) {
            for (auto* c : {a, b}) c->LocalProgress(KeysToFinish(1), 0);
            room.host->LocalProgress(KeysToFinish(1), 0);
            ASSERT_TRUE(Pump([&] {
                room.Tick(50);
                return room.host->phase() == Phase::Results;
            }));
            ASSERT_TRUE(room.AllOver());
        }
        const quint16 port = room.host->Port();
        room.host->Leave();
        ASSERT_TRUE(Pump([&] { return a->phase() == Phase::Closed && b->phase() == Phase::Closed; }))
            << phase;
        EXPECT_NE(a->closedReason().indexOf(QStringLiteral("ホストとの接続が切れました")), -1);
        // The port is closed with the room.
        QTcpSocket probe;
        probe.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
        EXPECT_TRUE(Pump([&] { return probe.state() == QAbstractSocket::UnconnectedState; }));
    }
}

TEST(NetRoom, AHostThatStallsIsLeftAndAHostThatNeverAnswersTimesOut) {
    Room room;
    NetClient* a = room.JoinAndWait(QStringLiteral("じろう"), 1);
    // The host stops polling (no pings); the joiner gives up after the silence limit.
    room.clock.advance(kSilenceMs);
    a->Poll();
    EXPECT_EQ(a->phase(), Phase::Closed);

    QTcpServer mute;
    ASSERT_TRUE(mute.listen(QHostAddress(QHostAddress::LocalHost)));
    ClientOptions o{QStringLiteral("じろう"), 1, false};
    NetClient c(room.clock, o);
    c.Connect(QHostAddress(QHostAddress::LocalHost), mute.serverPort(), 1);
    ASSERT_TRUE(Pump([&] { return mute.hasPendingConnections(); }));
    room.clock.advance(kConnectMs - 1);
    c.Poll();
    EXPECT_EQ(c.phase(), Phase::Connecting);
    room.clock.advance(1);
    c.Poll();
    EXPECT_EQ(c.phase(), Phase::Closed);
    EXPECT_NE(c.closedReason().indexOf(QStringLiteral("接続できませんでした")), -1);
}

// A stranger on the port: raw bytes, no game.
struct Stranger {
    explicit Stranger(quint16 port) {
        socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
        EXPECT_TRUE(Pump([this] { return socket.state() == QAbstractSocket::ConnectedState; }));
    }
    bool Cut() {
        return Pump([this] { return socket.state() == QAbstractSocket::UnconnectedState; });
    }
    QTcpSocket socket;
};

TEST(NetRoom, GarbageOversizedAndUnfinishedFramesAreCutOffWhileTheRaceGoesOn) {
    Room room;
    NetClient* a = room.JoinAndWait(QStringLiteral("じろう"), 1);
    ASSERT_TRUE(room.host->StartRace());
    ASSERT_TRUE(room.AllRacing());

    QByteArray noise(5000, '\0');
    for (int i = 0; i < noise.size(); ++i) noise[i] = char((i * 7919 + 13) & 0xFF);
    QByteArray oversized = QByteArray::fromHex("00002000") + QByteArray(8192, 'x');
    QByteArray validFrameThenGarbage = EncodeFrame(Ping{}) + QByteArray::fromHex("00000003ffffff");
    const QByteArray cases[] = {noise, oversized, validFrameThenGarbage, EncodeFrame(Start{})};
    for (const QByteArray& bytes : cases) {
        Stranger s(room.host->Port());
        s.socket.write(bytes);
        // Cut at once: no clock needs to move.
        EXPECT_TRUE(s.Cut());
    }
    {
        // Half a frame, then nothing: cut once the partial-frame limit passes (under a second).
        Stranger s(room.host->Port());
        QByteArray half = EncodeFrame(Hello{room.host->Code(), QStringLiteral("x"), 1});
        s.socket.write(half.left(half.size() - 2));
        Settle();
        room.Tick(kPartialFrameMs - 10);
        EXPECT_EQ(s.socket.state(), QAbstractSocket::ConnectedState);
        room.Tick(10);
        EXPECT_TRUE(s.Cut());
    }
    // The real player never noticed.
    EXPECT_EQ(a->phase(), Phase::Racing);
    a->LocalProgress(12, 0);
    ASSERT_TRUE(Pump([&] {
        room.Tick(20);
        return room.host->board().X(1) == 120;
    }));
}

TEST(NetRoom, APlayerWhoVanishesMisbehavesOrStallsIsDroppedAndMarkedForTheOthers) {
    enum How { Vanishes, SendsWhatOnlyAHostMay, Stalls };
    for (How how : {Vanishes, SendsWhatOnlyAHostMay, Stalls}) {
        Room room;
        NetClient* a = room.JoinAndWait(QStringLiteral("じろう"), 1);
        // The second joiner is a bare socket, so it can misbehave in ways the game never does.
        Stranger bad(room.host->Port());
        bad.socket.write(EncodeFrame(Hello{room.host->Code(), QStringLiteral("わるもの"), 2}));
        ASSERT_TRUE(Pump([&] { return room.host->PlayerCount() == 3; }));
        ASSERT_TRUE(room.host->StartRace());
        ASSERT_TRUE(room.AllRacing());
        QSignalSpy aSaw(a, &Session::peerLeft);
        if (how == Vanishes) bad.socket.abort();
        if (how == SendsWhatOnlyAHostMay) bad.socket.write(EncodeFrame(Left{1}));
        if (how == Stalls) {
            for (int t = 0; t < kSilenceMs; t += 500) {
                room.clock.advance(500);
                room.host->Poll();
                a->Poll();
                Settle();  // the host's pings keep reaching the good joiner
            }
        }
        ASSERT_TRUE(Pump([&] { return aSaw.count() == 1; })) << how;
        EXPECT_EQ(aSaw.at(0).at(0).toInt(), 2);
        EXPECT_EQ(aSaw.at(0).at(1).toString(), QStringLiteral("わるもの"));
        ASSERT_TRUE(Pump([&] {
            room.Tick(kSendEveryMs);
            return a->lanes().state[2] == LaneState::Gone;
        })) << how;
        EXPECT_EQ(a->phase(), Phase::Racing);
    }
}

TEST(NetRoom, AFloodOfMessagesIsCutOff) {
    Room room;
    NetClient* a = room.JoinAndWait(QStringLiteral("じろう"), 1);
    Stranger raw(room.host->Port());
    raw.socket.write(EncodeFrame(Hello{room.host->Code(), QStringLiteral("洪水"), 1}));
    ASSERT_TRUE(Pump([&] { return room.host->PlayerCount() == 3; }));
    QSignalSpy aSaw(a, &Session::lobbyChanged);
    QByteArray flood;
    for (int i = 0; i < kFloodMessages + 10; ++i) flood += EncodeFrame(Ping{});
    raw.socket.write(flood);
    EXPECT_TRUE(raw.Cut());
    EXPECT_EQ(room.host->PlayerCount(), 2);
    EXPECT_TRUE(Pump([&] { return a->lobby().players.size() == 2; }));
}

TEST(NetRoom, JoinersFindOpenRoomsOnTheNetworkButNotTheirCodes) {
    ManualTickCounter clock;
    HostOptions o;
    o.name = QStringLiteral("たろう");
    o.port = 0;
    o.discoveryPort = quint16(40000 + QCoreApplication::applicationPid() % 20000);
    o.autoPoll = false;
    NetHost host(clock, o);
    ASSERT_TRUE(host.Open(nullptr));
    ASSERT_TRUE(host.DiscoveryOn());
    RoomFinder finder(o.discoveryPort);
    finder.Probe();
    ASSERT_TRUE(Pump([&] { return !finder.rooms().isEmpty(); }));
    Settle();
    ASSERT_EQ(finder.rooms().size(), 1);  // loopback and network answers are one room
    EXPECT_EQ(finder.rooms()[0].port, host.Port());
    EXPECT_EQ(finder.rooms()[0].host, QStringLiteral("たろう"));
    // Garbage on the discovery port is ignored; the room still answers.
    QUdpSocket stranger;
    stranger.writeDatagram(QByteArray(3000, '\x9f'), QHostAddress(QHostAddress::LocalHost), o.discoveryPort);
    stranger.writeDatagram(EncodePayload(Hello{host.Code(), QStringLiteral("x"), 1}),
                           QHostAddress(QHostAddress::LocalHost), o.discoveryPort);
    finder.Clear();
    finder.Probe();
    EXPECT_TRUE(Pump([&] { return finder.rooms().size() == 1; }));
    // Closed with the room.
    host.Leave();
    finder.Clear();
    finder.Probe();
    Settle();
    EXPECT_TRUE(finder.rooms().isEmpty());
}

TEST(NetRoom, AHundredRacesBetweenFourPeersLeaveNothingBehind) {
    const int filesBefore = OpenFiles();
    {
        Room room;
        for (const char* n : {"じろう", "さぶろう", "しろう"})
            room.JoinAndWait(QString::fromUtf8(n), 1 + room.host->PlayerCount());
        const int linksInRoom = Link::Live();
        const int filesInRoom = OpenFiles();
        for (int race = 1; race <= 100; ++race) {
            ASSERT_TRUE(room.host->StartRace());
            ASSERT_TRUE(room.AllRacing()) << race;
            room.Tick(1500);
            // Everyone types in bursts; the finishing order rotates from race to race.
            for (int step = 1; step <= 4; ++step) {
                for (int p = 0; p < 4; ++p) {
                    const int chara = p == 0 ? 1 : room.host->start().lanes[p].chara;
                    const int keys = KeysToFinish(chara) * std::min(4, step + ((p + race) % 4 == 0)) / 4;
                    if (p == 0)
                        room.host->LocalProgress(keys, step);
                    else
                        room.clients[p - 1]->LocalProgress(keys, step);
                }
                room.Tick(kSendEveryMs);
            }
            ASSERT_TRUE(Pump([&] {
                room.Tick(kSendEveryMs);
                return room.host->phase() == Phase::Results;
            })) << race;
            ASSERT_TRUE(room.AllOver()) << race;
            EXPECT_EQ(room.clients[2]->result().race, race);
            EXPECT_EQ(Link::Live(), linksInRoom);
        }
        Settle();
        EXPECT_EQ(OpenFiles(), filesInRoom);
    }
    Settle();
    EXPECT_EQ(Link::Live(), 0);
    EXPECT_EQ(OpenFiles(), filesBefore);
}

}  // namespace
}  // namespace kd::net::test
