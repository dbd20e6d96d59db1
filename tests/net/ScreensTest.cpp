// The room screens with one copy of the game on screen and the other peers as bare sessions:
// the lobby shows who joined, the race names every lane, keys reach the others, the result
// lists every place, and a host that goes away ends the race with a message.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>

#include "common/GameState.h"
#include "common/PlayNotifier.h"
#include "derby/CharacterSelectScreen.h"
#include "net/RaceBoard.h"
#include "netui/HostLobbyScreen.h"
#include "netui/JoinRoomScreen.h"
#include "netui/NetRaceScreen.h"
#include "netui/NetResultScreen.h"
#include "netui/Register.h"
#include "netui/RoomHolder.h"
#include "shell/Register.h"
#include "support/QStringPrint.h"
#include "support/TestApp.h"
#include "tests/net/NetKit.h"

namespace kd::net::test {
namespace {

using kd::test::Click;
using kd::test::Find;
using kd::test::Fire;
using kd::test::TestApp;
using kd::test::Type;

QString Display(QObject* race) {
    return Find<QLabel>(race, QStringLiteral("readingText"))->text();
}

struct ScreenRoom : TestApp {
    ScreenRoom() {
        UsePlayer(QStringLiteral("たろう"));
        RegisterNetScreens(nav);
        HostLobbyScreen::SetTestOptions(0, false);
    }
    ~ScreenRoom() {
        for (ScreenBase* f : nav.OpenForms()) f->CloseScreen();
        RoomHolder::End();
        Settle();
    }
    NetHost* Host() { return qobject_cast<NetHost*>(RoomHolder::Current()); }
    // The sessions poll on their own timers here, as in the game; the game's clock follows
    // the time that really passes while bytes travel, so no time-out fires early.
    bool Wait(const std::function<bool()>& done) {
        QElapsedTimer real;
        real.start();
        qint64 last = 0;
        return Pump([&] {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            const qint64 now = real.elapsed();
            clock.advance(qint32(now - last));
            last = now;
            return done();
        });
    }
    // Through Ready... and Go!! to the first question.
    void Go(NetRaceScreen* race) {
        Fire(race, QStringLiteral("readyGoTimer"), 2);
        ASSERT_FALSE(Display(race).isEmpty());
    }
};

// What the play listeners (the learning record) hear of a network race.
struct Listener : PlayObserver {
    void OnGameBegun(const GameBegun& e) override { begun << e.mode; }
    void OnGameEnded(const GameEnded& e) override { ended << e.correct; }
    void OnGameSettled(const GameSettled& e) override { places << e.racePlace; }
    QList<GameMode> begun;
    QList<int> ended, places;
};

TEST(NetScreens, TheLobbyShowsWhoJoinedAndTheRaceNamesEveryLane) {
    Listener listener;  // outlives the screens that tell it
    ScreenRoom app;
    app.g.play.Add(&listener);
    auto* lobby = app.Open<HostLobbyScreen>(Screen::NetHost);
    ASSERT_NE(lobby, nullptr);
    NetHost* host = app.Host();
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(lobby->roomCode->text(), host->CodeText());
    EXPECT_EQ(lobby->roomCode->text().size(), 4);
    EXPECT_NE(lobby->addressText->text().indexOf(QString::number(host->Port())), -1);

    NetClient jiro(app.clock, ClientOptions{QStringLiteral("じろう"), 4, true});
    jiro.Connect(QHostAddress(QHostAddress::LocalHost), host->Port(), host->Code());
    ASSERT_TRUE(
        app.Wait([&] { return lobby->players->playerTexts[1]->text().contains(QStringLiteral("じろう")); }));
    EXPECT_TRUE(lobby->players->playerTexts[1]->text().contains(QStringLiteral("Mouse")));
    EXPECT_TRUE(lobby->players->playerTexts[2]->text().contains(QStringLiteral("コンピューター")));
    Click(lobby->genreChoices[1]);
    ASSERT_EQ(lobby->startButton->text(), QStringLiteral("開始"));
    Click(lobby->startButton);

    auto* race = app.Current<NetRaceScreen>();
    ASSERT_NE(race, nullptr);
    ASSERT_TRUE(app.Wait([&] { return jiro.phase() == Phase::Racing; }));
    EXPECT_EQ(jiro.start().genre, 1);
    app.Go(race);
    EXPECT_EQ(race->laneTexts[0]->accessibleName(), QStringLiteral("たろう 0%"));
    EXPECT_EQ(race->laneTexts[2]->text(), QStringLiteral("CrazyPhone 0%"));

    // Keys typed here move this lane for the joiner...
    for (int i = 0; i < 5; ++i) {
        const QString word = Display(race);
        Type(race, word.left(1));
    }
    ASSERT_TRUE(app.Wait([&] { return jiro.lanes().x[0] == 5 * PlayableCharacterOf(1).step; }));
    // ...and the joiner's keys move its lane here, named with its progress.
    jiro.LocalProgress(29, 1);  // Mouse, 8 px a key: 232 of 582 px
    ASSERT_TRUE(app.Wait([&] {
        Fire(race, QStringLiteral("moveTimer"), 1);
        return race->LaneX[1] == 232;
    }));
    EXPECT_EQ(race->laneTexts[1]->accessibleName(), QStringLiteral("じろう 39%"));
    EXPECT_TRUE(Find<QWidget>(race, QStringLiteral("track"))
                    ->accessibleName()
                    .contains(QStringLiteral("じろう 39%")));

    // The joiner finishes first; this player next; the result lists all four.
    jiro.LocalProgress(73, 1);
    ASSERT_TRUE(app.Wait([&] { return host->board().State(1) == LaneState::Finished; }));
    while (app.Current<NetRaceScreen>() == race && !race->PlayerFinished) Type(race, Display(race).left(1));
    ASSERT_TRUE(app.Wait([&] { return host->phase() == Phase::Results; }));
    Fire(race, QStringLiteral("finishTimer"), 1);
    auto* result = app.Current<NetResultScreen>();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->tableCells[1][0]->text(), QStringLiteral("1位"));
    EXPECT_EQ(result->tableCells[1][1]->text(), QStringLiteral("じろう"));
    EXPECT_EQ(result->tableCells[1][3]->text(), QStringLiteral("73"));
    EXPECT_EQ(result->tableCells[1][4]->text(), QStringLiteral("1"));
    EXPECT_EQ(result->tableCells[2][1]->text(), QStringLiteral("たろう"));
    EXPECT_EQ(result->tableCells[2][0]->text(), QStringLiteral("2位"));
    EXPECT_EQ(result->tableCells[3][2]->text(), QStringLiteral("コンピューター"));
    EXPECT_EQ(listener.begun, QList<GameMode>{GameMode::NetRace});
    ASSERT_EQ(listener.ended.size(), 1);
    EXPECT_EQ(listener.places, QList<int>{2});

    // もう一度: the same room, a new race, on both sides.
    Click(result->raceAgainButton);
    ASSERT_NE(app.Current<NetRaceScreen>(), nullptr);
    ASSERT_TRUE(app.Wait([&] { return jiro.start().race == 2 && jiro.phase() == Phase::Racing; }));
    app.g.play.Remove(&listener);
}

TEST(NetScreens, JoiningByAddressWaitsInTheRoomAndAWrongCodeSaysSo) {
    ScreenRoom app;
    HostOptions o;
    o.name = QStringLiteral("はなこ");
    o.port = 0;
    o.discovery = false;
    o.code = 1234;
    NetHost host(app.clock, o);
    ASSERT_TRUE(host.Open(nullptr));

    auto* join = app.Open<JoinRoomScreen>(Screen::NetJoin);
    ASSERT_NE(join, nullptr);
    join->addressEdit->setText(QStringLiteral("127.0.0.1"));
    join->portEdit->setText(QString::number(host.Port()));
    join->codeEdit->setText(QStringLiteral("4321"));
    Click(join->picker->characterTiles[2]);
    Click(join->joinButton);
    ASSERT_TRUE(app.Wait([&] { return !app.msg.asked.isEmpty(); }));
    EXPECT_EQ(app.msg.asked.last().text, QStringLiteral("部屋のコードが違います。"));
    EXPECT_TRUE(join->joinButton->isEnabled());

    join->codeEdit->setText(QStringLiteral("1234"));
    Click(join->joinButton);
    ASSERT_TRUE(app.Wait([&] { return host.PlayerCount() == 2; }));
    EXPECT_EQ(host.lobby().players[1].name, QStringLiteral("たろう"));
    EXPECT_EQ(host.lobby().players[1].chara, 3);
    ASSERT_TRUE(
        app.Wait([&] { return join->players->playerTexts[0]->text().contains(QStringLiteral("はなこ")); }));
    EXPECT_FALSE(join->joinButton->isEnabled());

    host.StartRace();
    ASSERT_TRUE(app.Wait([&] { return app.Current<NetRaceScreen>() != nullptr; }));
    auto* race = app.Current<NetRaceScreen>();
    app.Go(race);
    EXPECT_EQ(race->laneTexts[1]->text(), QStringLiteral("たろう 0%"));

    // The host goes: the race ends with a message and the main menu opens.
    host.Leave();
    ASSERT_TRUE(app.Wait([&] { return app.nav.LastShown() == Screen::Main; }));
    EXPECT_TRUE(app.msg.asked.last().text.contains(QStringLiteral("ホストとの接続が切れました")));
    EXPECT_EQ(RoomHolder::Current(), nullptr);
}

TEST(NetScreens, BadEntriesAreExplainedBeforeAnythingIsSent) {
    ScreenRoom app;
    auto* join = app.Open<JoinRoomScreen>(Screen::NetJoin);
    const struct {
        const char *address, *port, *code, *says;
    } cases[] = {
        {"my-friend", "47810", "1234", "アドレス"},
        {"127.0.0.1", "0", "1234", "ポート"},
        {"127.0.0.1", "47810", "12", "コード"},
    };
    for (const auto& c : cases) {
        join->addressEdit->setText(QString::fromUtf8(c.address));
        join->portEdit->setText(QString::fromUtf8(c.port));
        join->codeEdit->setText(QString::fromUtf8(c.code));
        Click(join->joinButton);
        ASSERT_FALSE(app.msg.asked.isEmpty());
        EXPECT_TRUE(app.msg.asked.last().text.contains(QString::fromUtf8(c.says))) << c.address;
        EXPECT_EQ(RoomHolder::Current(), nullptr);
    }
}

TEST(NetScreens, LeavingTheLobbyClosesThePort) {
    ScreenRoom app;
    auto* lobby = app.Open<HostLobbyScreen>(Screen::NetHost);
    const quint16 port = app.Host()->Port();
    Click(lobby->backButton);
    EXPECT_EQ(app.nav.LastShown(), Screen::Main);
    EXPECT_EQ(RoomHolder::Current(), nullptr);
    QTcpSocket probe;
    probe.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
    EXPECT_TRUE(app.Wait([&] { return probe.state() == QAbstractSocket::UnconnectedState; }));
}

TEST(NetScreens, PowerRunsOutWithoutStoppingTheRaceAndLeavingClosesTheRoom) {
    ScreenRoom app;
    auto* lobby = app.Open<HostLobbyScreen>(Screen::NetHost);
    NetHost* host = app.Host();
    NetClient jiro(app.clock, ClientOptions{QStringLiteral("じろう"), 2, true});
    jiro.Connect(QHostAddress(QHostAddress::LocalHost), host->Port(), host->Code());
    ASSERT_TRUE(app.Wait([&] { return host->PlayerCount() == 2; }));
    Click(lobby->genreChoices[1]);
    Click(lobby->startButton);
    auto* race = app.Current<NetRaceScreen>();
    ASSERT_NE(race, nullptr);
    app.Go(race);
    // CrazyBallRed: the seventh miss empties the power.
    Type(race, QStringLiteral("000000"));
    EXPECT_FALSE(race->PlayerOut);
    Type(race, QStringLiteral("0"));
    EXPECT_TRUE(race->PlayerOut);
    EXPECT_EQ(Display(race), QStringLiteral("You Lose!!"));
    EXPECT_EQ(race->laneTexts[0]->text(), QStringLiteral("たろう 0% パワー切れ"));
    EXPECT_TRUE(app.msg.asked.isEmpty());
    // Neither Esc nor Space starts a race of this player's own again.
    kd::test::Press(race, Qt::Key_Escape);
    kd::test::Press(race, Qt::Key_Space);
    EXPECT_EQ(Fire(race, QStringLiteral("readyGoTimer")), 0);
    EXPECT_EQ(Display(race), QStringLiteral("You Lose!!"));
    ASSERT_TRUE(app.Wait([&] { return jiro.lanes().state[0] == LaneState::Out; }));
    EXPECT_EQ(jiro.phase(), Phase::Racing);
    // Backspace, and yes: the room closes for everyone.
    app.msg.Answer(MsgAnswer::Yes);
    kd::test::Press(race, Qt::Key_Backspace);
    EXPECT_EQ(app.nav.LastShown(), Screen::Main);
    ASSERT_TRUE(app.Wait([&] { return jiro.phase() == Phase::Closed; }));
}

TEST(NetScreens, TheMainMenuOpensRoomsFromAMenuOfItsOwn) {
    ScreenRoom app;
    RegisterShellScreens(app.nav);
    ScreenBase* menu = app.nav.Show(Screen::Main);
    ASSERT_NE(menu, nullptr);
    auto* net = Find<QMenu>(menu, QStringLiteral("netMenu"));
    ASSERT_NE(net, nullptr);
    EXPECT_EQ(net->title(), QStringLiteral("対戦(&N)"));
    const struct {
        const char *action, *text;
        Screen screen;
    } items[] = {{"hostRoomAction", "部屋を作る(&H)", Screen::NetHost},
                 {"joinRoomAction", "部屋に入る(&J)", Screen::NetJoin}};
    for (const auto& item : items) {
        menu = app.nav.Current();
        auto* action = Find<QAction>(menu, QString::fromLatin1(item.action));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromUtf8(item.text));
        action->trigger();
        EXPECT_EQ(app.nav.LastShown(), item.screen);
        Click(Find<QPushButton>(app.nav.Current(), QStringLiteral("backButton")));
        EXPECT_EQ(app.nav.LastShown(), Screen::Main);
        TestApp::Flush();
    }
    EXPECT_EQ(RoomHolder::Current(), nullptr);
}

}  // namespace
}  // namespace kd::net::test
