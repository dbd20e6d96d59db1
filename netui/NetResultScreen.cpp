#include "netui/NetResultScreen.h"

#include <QCoreApplication>
#include <QTimer>

#include "common/GameState.h"
#include "net/NetHost.h"
#include "netui/NetLook.h"
#include "netui/RoomHolder.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "questions/StringTable.h"

namespace kd {

namespace {
constexpr std::array<int, NetResultScreen::kColumns> kColumnX = {12, 70, 230, 350, 420, 480};
constexpr std::array<int, NetResultScreen::kColumns> kColumnW = {54, 156, 116, 66, 56, 76};
const char* const kHeadings[] = {
    QT_TRANSLATE_NOOP("NetResultScreen", "順位"),   QT_TRANSLATE_NOOP("NetResultScreen", "名前"),
    QT_TRANSLATE_NOOP("NetResultScreen", "キャラ"), QT_TRANSLATE_NOOP("NetResultScreen", "打鍵数"),
    QT_TRANSLATE_NOOP("NetResultScreen", "ミス"),   QT_TRANSLATE_NOOP("NetResultScreen", "打鍵/秒")};
}  // namespace

QString NetResultScreen::KeysPerSecond(int keys, qint32 ms) {
    if (ms <= 0 || keys <= 0) return QStringLiteral("-");
    return QString::number(double(keys) * 1000.0 / double(ms), 'f', 1);
}

NetResultScreen::NetResultScreen(AppContext& ctx_) : ScreenBase(ctx_, Screen::NetResult) {
    SetCaption(QCoreApplication::translate("NetResultScreen", "対戦結果"));
    SetClientSize(568, 300);
    SetBackgroundColor(kSkyBlue);
    for (int row = 0; row <= net::kLaneCount; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            QLabel* l = MakeLabel(
                this, QStringLiteral("tableCell%1_%2").arg(row).arg(col),
                row == 0 ? QCoreApplication::translate("NetResultScreen", kHeadings[col]) : QString(),
                kColumnX[col], 14 + 44 * row, kColumnW[col], 36);
            l->setTextFormat(Qt::PlainText);
            SetPixelFont(l, row == 0 ? 14 : 18, true);
            l->setAlignment((col >= 3 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            SetForeColor(l, row == 0 ? kNavy : kBlack);
            tableCells[row][col] = l;
        }
    }
    statusText = MakeLabel(this, QStringLiteral("statusText"), QString(), 12, 236, 300, 56);
    statusText->setWordWrap(true);
    SetPixelFont(statusText, 13);
    raceAgainButton =
        MakeButton(this, QStringLiteral("raceAgainButton"),
                   QCoreApplication::translate("NetResultScreen", "もう一度"), 378, 256, 82, 31);
    backButton = MakeButton(this, QStringLiteral("backButton"),
                            QCoreApplication::translate("NetResultScreen", "戻る"), 474, 256, 82, 31);
    connect(raceAgainButton, &QPushButton::clicked, this, [this] { RaceAgain(); });
    connect(backButton, &QPushButton::clicked, this, [this] { LeaveScreen(); });
    SetDefaultButtons(raceAgainButton, backButton);
}

void NetResultScreen::OnLoad() {
    net::Session* room = RoomHolder::Current();
    if (!room) return;
    const net::Result& r = room->result();
    const net::Start& s = room->start();
    for (int place = 0; place < net::kLaneCount; ++place) {
        const net::ResultRow& row = r.rows[place];
        const net::StartLane& lane = s.lanes[row.lane];
        const bool computer = lane.kind == net::LaneKind::Computer;
        QString placeText = QCoreApplication::translate("NetResultScreen", "%1位").arg(row.place);
        if (row.state == net::LaneState::Out)
            placeText = QCoreApplication::translate("NetResultScreen", "%1位 ✕").arg(row.place);
        QString name = lane.name;
        if (row.state == net::LaneState::Gone)
            name += QCoreApplication::translate("NetResultScreen", "（切断）");
        const QString cells[kColumns] = {
            placeText,
            name,
            computer ? QCoreApplication::translate("NetResultScreen", "コンピューター")
                     : CharaName(lane.chara),
            computer ? QStringLiteral("-") : QString::number(row.correct),
            computer ? QStringLiteral("-") : QString::number(row.misses),
            computer ? QStringLiteral("-") : KeysPerSecond(row.correct, row.ms),
        };
        QStringList spoken;
        for (int col = 0; col < kColumns; ++col) {
            QLabel* l = tableCells[place + 1][col];
            l->setText(cells[col]);
            SetPixelFont(l, col == 2 ? 13 : 18, true);
            // This player's row in red, as in every ranking of the game.
            SetForeColor(l, row.lane == room->LocalLane() ? kRed : kBlack);
            spoken << QCoreApplication::translate("NetResultScreen", kHeadings[col]) + QStringLiteral(" ") +
                          cells[col];
        }
        tableCells[place + 1][1]->setAccessibleName(
            spoken.join(QCoreApplication::translate("NetResultScreen", "、")));
    }
    if (room->IsHost()) {
        statusText->setText(
            QCoreApplication::translate("NetResultScreen", "「もう一度」で同じ部屋のみんなとまた走ります。"));
    } else {
        statusText->setText(QCoreApplication::translate(
            "NetResultScreen", "ホストが「もう一度」を押すと次のレースが始まります。"));
    }
    auto toRace = [this] {
        if (IsClosing()) return;
        m_handedOver = true;
        ctx.nav.Replace(this, Screen::NetRace);
    };
    connect(room, &net::Session::raceStarted, this, toRace);
    // The host may have started the next race while "Finish!!" was still up here.
    if (room->phase() == net::Phase::Racing) QTimer::singleShot(0, this, toRace);
    connect(room, &net::Session::closed, this, [this](const QString& why) {
        if (IsClosing()) return;
        raceAgainButton->setEnabled(false);
        statusText->setText(why);
    });
}

void NetResultScreen::RaceAgain() {
    net::Session* room = RoomHolder::Current();
    if (IsClosing() || !room) return;
    if (auto* host = qobject_cast<net::NetHost*>(room)) {
        host->StartRace();
        return;
    }
    if (room->phase() == net::Phase::Closed) return;
    raceAgainButton->setEnabled(false);
    statusText->setText(QCoreApplication::translate("NetResultScreen", "ホストが開始するのを待っています…"));
}

void NetResultScreen::LeaveScreen() {
    if (IsClosing()) return;
    GoBack();
}

void NetResultScreen::OnKeyDown(int key, Qt::KeyboardModifiers) {
    if (key == Qt::Key_Backspace) LeaveScreen();
}

bool NetResultScreen::MayClose(CloseReason reason) {
    if (!m_handedOver) RoomHolder::End();
    if (reason == CloseReason::Player) ShowBackTarget();
    return true;
}

}  // namespace kd
