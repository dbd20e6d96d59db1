#include "netui/HostLobbyScreen.h"

#include <QButtonGroup>
#include <QCoreApplication>

#include "common/GameState.h"
#include "net/NetHost.h"
#include "net/RoomFinder.h"
#include "netui/RoomHolder.h"
#include "platform/core/Audio.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "questions/StringTable.h"

namespace kd {

namespace {
quint16 g_testPort = 0;
bool g_testDiscovery = true;
bool g_testOptions = false;
}  // namespace

void HostLobbyScreen::SetTestOptions(quint16 port, bool discovery) {
    g_testOptions = true;
    g_testPort = port;
    g_testDiscovery = discovery;
}

HostLobbyScreen::HostLobbyScreen(AppContext& ctx_) : ScreenBase(ctx_, Screen::NetHost) {
    SetCaption(QCoreApplication::translate("HostLobbyScreen", "部屋を作る"));
    SetClientSize(520, 430);

    auto* title = MakeLabel(this, QStringLiteral("codeCaption"),
                            QCoreApplication::translate("HostLobbyScreen", "部屋のコード"), 12, 12, 150, 44);
    StyleNote(title, 18);
    roomCode = MakeLabel(this, QStringLiteral("roomCode"), QStringLiteral("----"), 170, 8, 130, 52);
    StyleNote(roomCode, 36);
    SetForeColor(roomCode, kYellow);
    roomCode->setAlignment(Qt::AlignCenter);

    addressText = MakeLabel(this, QStringLiteral("addressText"), QString(), 12, 66, 496, 48);
    StyleNote(addressText, 14);
    addressText->setWordWrap(true);
    addressText->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* who = MakeLabel(this, QStringLiteral("playersCaption"),
                          QCoreApplication::translate("HostLobbyScreen", "参加者"), 12, 122, 60, 24);
    StyleNote(who);
    m_players = std::make_unique<PlayerLines>(this, 12, 150, 320);
    players = m_players.get();

    auto* genre = MakeLabel(this, QStringLiteral("genreCaption"),
                            QCoreApplication::translate("HostLobbyScreen", "ジャンル"), 348, 122, 160, 24);
    StyleNote(genre);
    auto* group = new QButtonGroup(this);
    const char* genres[] = {QT_TRANSLATE_NOOP("HostLobbyScreen", "慣用句"),
                            QT_TRANSLATE_NOOP("HostLobbyScreen", "英単語")};
    for (int i = 0; i < 2; ++i) {
        genreChoices[i] = new QRadioButton(QCoreApplication::translate("HostLobbyScreen", genres[i]), this);
        genreChoices[i]->setObjectName(QStringLiteral("genreChoice%1").arg(i));
        genreChoices[i]->setGeometry(348, 150 + 26 * i, 160, 24);
        genreChoices[i]->setStyleSheet(QStringLiteral(
            "QRadioButton { color: white; background-color: rgba(0,0,0,150); padding-left: 4px; }"));
        group->addButton(genreChoices[i], i);
        connect(genreChoices[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && Host()) Host()->SetGenre(i);
        });
    }

    auto* mine =
        MakeLabel(this, QStringLiteral("characterCaption"),
                  QCoreApplication::translate("HostLobbyScreen", "あなたのキャラクター"), 12, 262, 200, 24);
    StyleNote(mine);
    picker = new CharaPicker(this, 12, 290);
    picker->onChosen = [this](int chara) {
        if (Host()) Host()->SetLocalChara(chara);
    };

    discoveryNote = MakeLabel(this, QStringLiteral("discoveryNote"), QString(), 12, 392, 300, 30);
    StyleNote(discoveryNote, 12);
    discoveryNote->setWordWrap(true);
    discoveryNote->hide();

    startButton = MakeButton(this, QStringLiteral("startButton"),
                             QCoreApplication::translate("HostLobbyScreen", "開始"), 330, 392, 82, 31);
    backButton = MakeButton(this, QStringLiteral("backButton"),
                            QCoreApplication::translate("HostLobbyScreen", "戻る"), 426, 392, 82, 31);
    connect(startButton, &QPushButton::clicked, this, [this] { StartRace(); });
    connect(backButton, &QPushButton::clicked, this, [this] { LeaveScreen(); });
    SetDefaultButtons(startButton, backButton);
}

HostLobbyScreen::~HostLobbyScreen() = default;

net::NetHost* HostLobbyScreen::Host() const {
    return qobject_cast<net::NetHost*>(RoomHolder::Current());
}

void HostLobbyScreen::OnLoad() {
    SetBackgroundPicture(ScaledBitmap(QStringLiteral("BACK"), width(), height()));
    net::HostOptions o;
    o.name = g.player.GetUserName();
    o.chara = picker->Chosen();
    if (g_testOptions) {
        o.port = g_testPort;
        o.discovery = g_testDiscovery;
    }
    auto host = std::make_unique<net::NetHost>(g.clock, o);
    QString error;
    if (!host->Open(&error)) {
        ctx.msg.Show(this, AppTitle(),
                     QCoreApplication::translate("HostLobbyScreen", "部屋を作れませんでした。\n") + error,
                     MsgButtons::OK);
        if (!IsClosing()) ctx.nav.Replace(this, Screen::Main);
        return;
    }
    net::NetHost* h = host.get();
    RoomHolder::Set(std::move(host));
    connect(h, &net::Session::lobbyChanged, this, [this] { ShowLobby(); });
    connect(h, &net::Session::raceStarted, this, [this] {
        if (IsClosing()) return;
        m_handedOver = true;
        ctx.nav.Replace(this, Screen::NetRace);
    });
    roomCode->setText(h->CodeText());
    roomCode->setAccessibleName(QCoreApplication::translate("HostLobbyScreen", "部屋のコード ") +
                                h->CodeText());
    QStringList addresses;
    for (const QHostAddress& a : net::LanAddresses()) addresses << a.toString();
    QString text;
    if (addresses.isEmpty())
        text = NoNetworkNote() + QCoreApplication::translate("HostLobbyScreen", "\nポート %1").arg(h->Port());
    else
        text = QCoreApplication::translate(
                   "HostLobbyScreen",
                   "アドレス %1　ポート %2\n参加する人にアドレス、ポート、コードを伝えてください。")
                   .arg(addresses.join(QStringLiteral(" / ")))
                   .arg(h->Port());
    addressText->setText(text);
    if (!h->DiscoveryOn()) {
        discoveryNote->setText(
            QCoreApplication::translate(
                "HostLobbyScreen",
                "部屋の案内を出せません（UDP %1 が使用中）。アドレスで参加してもらえます。")
                .arg(net::kDefaultPort));
        discoveryNote->show();
    }
    genreChoices[0]->setChecked(true);
    ShowLobby();
}

void HostLobbyScreen::ShowLobby() {
    if (IsClosing() || !Host()) return;
    players->Show(Host()->lobby(), 0);
}

void HostLobbyScreen::StartRace() {
    if (IsClosing() || !Host()) return;
    Host()->StartRace();
}

void HostLobbyScreen::LeaveScreen() {
    if (IsClosing()) return;
    GoBack();
}

void HostLobbyScreen::OnKeyDown(int key, Qt::KeyboardModifiers) {
    if (key == Qt::Key_Backspace) LeaveScreen();
}

bool HostLobbyScreen::MayClose(CloseReason reason) {
    // Leaving the lobby for anything but the race closes the room and its port.
    if (!m_handedOver) RoomHolder::End();
    if (reason == CloseReason::Player) ShowBackTarget();
    return true;
}

}  // namespace kd
