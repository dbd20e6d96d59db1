#include "netui/HostLobbyScreen.h"

#include <QButtonGroup>

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
    SetCaption(QStringLiteral("部屋を作る"));
    SetClientSize(520, 430);

    auto* title =
        MakeLabel(this, QStringLiteral("lblTitle"), QStringLiteral("部屋のコード"), 12, 12, 150, 44);
    StyleNote(title, 18);
    lblCode = MakeLabel(this, QStringLiteral("lblCode"), QStringLiteral("----"), 170, 8, 130, 52);
    StyleNote(lblCode, 36);
    SetForeColor(lblCode, kYellow);
    lblCode->setAlignment(Qt::AlignCenter);

    lblAddress = MakeLabel(this, QStringLiteral("lblAddress"), QString(), 12, 66, 496, 48);
    StyleNote(lblAddress, 14);
    lblAddress->setWordWrap(true);
    lblAddress->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* who = MakeLabel(this, QStringLiteral("lblPlayers"), QStringLiteral("参加者"), 12, 122, 60, 24);
    StyleNote(who);
    m_players = std::make_unique<PlayerLines>(this, 12, 150, 320);
    players = m_players.get();

    auto* genre = MakeLabel(this, QStringLiteral("lblGenre"), QStringLiteral("ジャンル"), 348, 122, 160, 24);
    StyleNote(genre);
    auto* group = new QButtonGroup(this);
    const char* genres[] = {"慣用句", "英単語"};
    for (int i = 0; i < 2; ++i) {
        optGenre[i] = new QRadioButton(QString::fromUtf8(genres[i]), this);
        optGenre[i]->setObjectName(QStringLiteral("optGenre(%1)").arg(i));
        optGenre[i]->setGeometry(348, 150 + 26 * i, 160, 24);
        optGenre[i]->setStyleSheet(QStringLiteral(
            "QRadioButton { color: white; background-color: rgba(0,0,0,150); padding-left: 4px; }"));
        group->addButton(optGenre[i], i);
        connect(optGenre[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && Host()) Host()->SetGenre(i);
        });
    }

    auto* mine =
        MakeLabel(this, QStringLiteral("lblChara"), QStringLiteral("あなたのキャラクター"), 12, 262, 200, 24);
    StyleNote(mine);
    picker = new CharaPicker(this, 12, 290);
    picker->onChosen = [this](int chara) {
        if (Host()) Host()->SetLocalChara(chara);
    };

    lblNote = MakeLabel(this, QStringLiteral("lblNote"), QString(), 12, 392, 300, 30);
    StyleNote(lblNote, 12);
    lblNote->setWordWrap(true);
    lblNote->hide();

    cmdStart = MakeButton(this, QStringLiteral("cmdStart"), QStringLiteral("開始"), 330, 392, 82, 31);
    cmdBack = MakeButton(this, QStringLiteral("cmdBack"), QStringLiteral("戻る"), 426, 392, 82, 31);
    connect(cmdStart, &QPushButton::clicked, this, [this] { cmdStart_Click(); });
    connect(cmdBack, &QPushButton::clicked, this, [this] { cmdBack_Click(); });
    SetDefaultButtons(cmdStart, cmdBack);
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
        ctx.msg.Show(this, AppTitle(), QStringLiteral("部屋を作れませんでした。\n") + error, MsgButtons::OK);
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
    lblCode->setText(h->CodeText());
    lblCode->setAccessibleName(QStringLiteral("部屋のコード ") + h->CodeText());
    QStringList addresses;
    for (const QHostAddress& a : net::LanAddresses()) addresses << a.toString();
    QString text;
    if (addresses.isEmpty())
        text = NoNetworkNote() + QStringLiteral("\nポート %1").arg(h->Port());
    else
        text =
            QStringLiteral("アドレス %1　ポート %2\n参加する人にアドレス、ポート、コードを伝えてください。")
                .arg(addresses.join(QStringLiteral(" / ")))
                .arg(h->Port());
    lblAddress->setText(text);
    if (!h->DiscoveryOn()) {
        lblNote->setText(
            QStringLiteral("部屋の案内を出せません（UDP %1 が使用中）。アドレスで参加してもらえます。")
                .arg(net::kDefaultPort));
        lblNote->show();
    }
    optGenre[0]->setChecked(true);
    ShowLobby();
}

void HostLobbyScreen::ShowLobby() {
    if (IsClosing() || !Host()) return;
    players->Show(Host()->lobby(), 0);
}

void HostLobbyScreen::cmdStart_Click() {
    if (IsClosing() || !Host()) return;
    Host()->StartRace();
}

void HostLobbyScreen::cmdBack_Click() {
    if (IsClosing()) return;
    GoBack();
}

void HostLobbyScreen::OnKeyDown(int key, Qt::KeyboardModifiers) {
    if (key == Qt::Key_Backspace) cmdBack_Click();
}

bool HostLobbyScreen::MayClose(CloseReason reason) {
    // Leaving the lobby for anything but the race closes the room and its port.
    if (!m_handedOver) RoomHolder::End();
    if (reason == CloseReason::Player) ShowBackTarget();
    return true;
}

}  // namespace kd
