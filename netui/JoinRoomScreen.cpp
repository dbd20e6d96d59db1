#include "netui/JoinRoomScreen.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QIntValidator>
#include <QRegularExpressionValidator>

#include "common/GameState.h"
#include "net/NetClient.h"
#include "net/RoomFinder.h"
#include "netui/RoomHolder.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/Timer.h"
#include "questions/StringTable.h"

namespace kd {

namespace {
QLineEdit* MakeField(QWidget* parent, const QString& name, int x, int y, int w) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setGeometry(x, y, w, 24);
    return e;
}
}  // namespace

// Long by choice: the form laid out in reading order, one control after the other.
JoinRoomScreen::JoinRoomScreen(AppContext& ctx_) : ScreenBase(ctx_, Screen::NetJoin) {
    SetCaption(QCoreApplication::translate("JoinRoomScreen", "部屋に入る"));
    SetClientSize(520, 500);

    auto* found = MakeLabel(this, QStringLiteral("roomsCaption"),
                            QCoreApplication::translate("JoinRoomScreen", "見つかった部屋"), 12, 10, 140, 24);
    StyleNote(found);
    roomList = new QListWidget(this);
    roomList->setObjectName(QStringLiteral("roomList"));
    roomList->setGeometry(12, 38, 496, 84);
    connect(roomList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_finder || row < 0 || row >= m_finder->rooms().size()) return;
        const net::FoundRoom& r = m_finder->rooms()[row];
        addressEdit->setText(r.address.toString());
        portEdit->setText(QString::number(r.port));
        codeEdit->setFocus();
    });

    const struct {
        const char* caption;
        const char* name;
        const char* spoken;  // what a screen reader has always announced for the field
        int x, labelWidth, w;
    } fields[] = {{QT_TRANSLATE_NOOP("JoinRoomScreen", "アドレス"), "addressEdit", "txtAddress", 12, 68, 140},
                  {QT_TRANSLATE_NOOP("JoinRoomScreen", "ポート"), "portEdit", "txtPort", 236, 56, 62},
                  {QT_TRANSLATE_NOOP("JoinRoomScreen", "コード"), "codeEdit", "txtCode", 368, 56, 76}};
    QLineEdit* edits[3];
    for (int i = 0; i < 3; ++i) {
        auto* l = MakeLabel(this, QStringLiteral("fieldCaption%1").arg(i),
                            QCoreApplication::translate("JoinRoomScreen", fields[i].caption), fields[i].x,
                            132, fields[i].labelWidth, 24);
        StyleNote(l);
        edits[i] = MakeField(this, QString::fromLatin1(fields[i].name),
                             fields[i].x + fields[i].labelWidth + 4, 132, fields[i].w);
    }
    addressEdit = edits[0];
    portEdit = edits[1];
    codeEdit = edits[2];
    addressEdit->setText(QStringLiteral("127.0.0.1"));
    addressEdit->setMaxLength(64);
    portEdit->setText(QString::number(net::kDefaultPort));
    portEdit->setValidator(new QIntValidator(1, 65535, portEdit));
    codeEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), codeEdit));
    codeEdit->setMaxLength(4);
    for (int i = 0; i < 3; ++i) edits[i]->setAccessibleName(QString::fromLatin1(fields[i].spoken));

    auto* mine =
        MakeLabel(this, QStringLiteral("characterCaption"),
                  QCoreApplication::translate("JoinRoomScreen", "あなたのキャラクター"), 12, 166, 200, 24);
    StyleNote(mine);
    picker = new CharaPicker(this, 12, 194);

    statusText = MakeLabel(this, QStringLiteral("statusText"), QString(), 12, 298, 496, 40);
    StyleNote(statusText);
    statusText->setWordWrap(true);
    m_players = std::make_unique<PlayerLines>(this, 12, 346, 320);
    players = m_players.get();
    for (QLabel* l : players->playerTexts) l->hide();

    joinButton = MakeButton(this, QStringLiteral("joinButton"),
                            QCoreApplication::translate("JoinRoomScreen", "参加"), 330, 458, 82, 31);
    backButton = MakeButton(this, QStringLiteral("backButton"),
                            QCoreApplication::translate("JoinRoomScreen", "戻る"), 426, 458, 82, 31);
    connect(joinButton, &QPushButton::clicked, this, [this] { JoinRoom(); });
    connect(backButton, &QPushButton::clicked, this, [this] { LeaveScreen(); });
    SetDefaultButtons(joinButton, backButton);

    findTimer = new Timer(this, QStringLiteral("findTimer"), 2000, [this] {
        if (m_finder) m_finder->Probe();
    });
}

JoinRoomScreen::~JoinRoomScreen() = default;

void JoinRoomScreen::OnLoad() {
    SetBackgroundPicture(ScaledBitmap(QStringLiteral("BACK"), width(), height()));
    m_finder = std::make_unique<net::RoomFinder>();
    connect(m_finder.get(), &net::RoomFinder::roomsChanged, this, [this] { ShowRooms(); });
    m_finder->Probe();
    findTimer->Start();
    const QString note = NoNetworkNote();
    statusText->setText(
        note.isEmpty()
            ? QCoreApplication::translate("JoinRoomScreen",
                                          "部屋を選ぶか、アドレスとポートを入れて、コードを入れてください。")
            : note);
    codeEdit->setFocus();
}

void JoinRoomScreen::ShowRooms() {
    if (IsClosing()) return;
    const int row = roomList->currentRow();
    roomList->clear();
    for (const net::FoundRoom& r : m_finder->rooms()) {
        auto* item =
            new QListWidgetItem(QCoreApplication::translate("JoinRoomScreen", "%1 の部屋　%2:%3　%4人")
                                    .arg(r.host, r.address.toString())
                                    .arg(r.port)
                                    .arg(r.players));
        roomList->addItem(item);
    }
    if (row >= 0 && row < roomList->count()) {
        const QSignalBlocker block(roomList);
        roomList->setCurrentRow(row);
    }
}

void JoinRoomScreen::SetEditing(bool on) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{roomList, addressEdit, portEdit, codeEdit, picker, joinButton})
        w->setEnabled(on);
}

void JoinRoomScreen::JoinRoom() {
    if (IsClosing() || !joinButton->isEnabled()) return;
    QHostAddress address(addressEdit->text().trimmed());
    if (addressEdit->text().trimmed() == QLatin1String("localhost"))
        address = QHostAddress(QHostAddress::LocalHost);
    bool portOk = false, codeOk = false;
    const int port = portEdit->text().toInt(&portOk);
    const int code = codeEdit->text().toInt(&codeOk);
    QString problem;
    if (address.isNull() || address.protocol() != QAbstractSocket::IPv4Protocol)
        problem = QCoreApplication::translate("JoinRoomScreen",
                                              "アドレスは 192.168.1.5 のような数字で入れてください。");
    else if (!portOk || port < 1 || port > 65535)
        problem =
            QCoreApplication::translate("JoinRoomScreen", "ポートは 1 から 65535 の数で入れてください。");
    else if (!codeOk || codeEdit->text().size() != 4)
        problem =
            QCoreApplication::translate("JoinRoomScreen", "コードはホストの画面に出ている4けたの数字です。");
    if (!problem.isEmpty()) {
        ctx.msg.Show(this, AppTitle(), problem, MsgButtons::OK);
        return;
    }
    findTimer->Stop();
    net::ClientOptions o{g.player.GetUserName(), picker->Chosen(), true};
    auto client = std::make_unique<net::NetClient>(g.clock, o);
    net::NetClient* c = client.get();
    RoomHolder::Set(std::move(client));
    connect(c, &net::Session::lobbyChanged, this, [this] { Joined(); });
    connect(c, &net::Session::closed, this, [this](const QString& why) { Failed(why); });
    connect(c, &net::Session::raceStarted, this, [this] {
        if (IsClosing()) return;
        m_handedOver = true;
        ctx.nav.Replace(this, Screen::NetRace);
    });
    SetEditing(false);
    statusText->setText(QCoreApplication::translate("JoinRoomScreen", "%1:%2 に接続しています…")
                            .arg(address.toString())
                            .arg(port));
    c->Connect(address, quint16(port), code);
}

void JoinRoomScreen::Joined() {
    net::Session* s = RoomHolder::Current();
    if (IsClosing() || !s) return;
    statusText->setText(QCoreApplication::translate("JoinRoomScreen",
                                                    "部屋に入りました。ホストが開始するのを待っています。"));
    players->Show(s->lobby(), s->LocalLane());
    for (QLabel* l : players->playerTexts) l->setVisible(!s->lobby().players.empty());
}

void JoinRoomScreen::Failed(const QString& why) {
    if (IsClosing()) return;
    RoomHolder::End();
    SetEditing(true);
    for (QLabel* l : players->playerTexts) l->hide();
    statusText->setText(why);
    findTimer->Start();
    ctx.msg.Show(this, AppTitle(), why, MsgButtons::OK);
}

void JoinRoomScreen::LeaveScreen() {
    if (IsClosing()) return;
    GoBack();
}

bool JoinRoomScreen::MayClose(CloseReason reason) {
    findTimer->Stop();
    if (!m_handedOver) RoomHolder::End();
    m_finder.reset();
    if (reason == CloseReason::Player) ShowBackTarget();
    return true;
}

}  // namespace kd
