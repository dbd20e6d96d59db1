#include "netui/NetRaceScreen.h"

#include <QCoreApplication>
#include <QPointer>
#include <QPushButton>

#include "common/DerbyRun.h"
#include "common/GameState.h"
#include "common/PlaySteps.h"
#include "common/Roster.h"
#include "derby/PowerMeter.h"
#include "derby/RaceScreen.h"
#include "net/QuestionDeck.h"
#include "net/RaceBoard.h"
#include "net/Session.h"
#include "netui/RoomHolder.h"
#include "platform/core/Audio.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/Timer.h"
#include "platform/widgets/TypingPanel.h"
#include "questions/StringTable.h"

namespace kd {

namespace {

static_assert(net::kTrackWidth == DerbyPlayScreen::kRaceLayout.ground.width(),
              "a network race runs on the derby's track");
constexpr int kRedrawMs = 30;

}  // namespace

NetRaceScreen::NetRaceScreen(AppContext& ctx_)
    : DerbyPlayScreen(ctx_, Screen::NetRace, QCoreApplication::translate("NetRaceScreen", "KeyDerby 対戦"),
                      kRaceLayout, GameMode::NetRace) {
    // A race with others cannot be started over; leaving it (Back) leaves the room.
    retryButton->hide();
    for (int j = 0; j < net::kLaneCount; ++j) {
        laneTexts[j] = new QLabel(track);
        laneTexts[j]->setObjectName(QStringLiteral("laneText%1").arg(j));
        laneTexts[j]->setGeometry(330, 65 * j + 44, 240, 18);
        laneTexts[j]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        laneTexts[j]->setTextFormat(Qt::PlainText);
        laneTexts[j]->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
        QFont f = laneTexts[j]->font();
        f.setPixelSize(13);
        f.setBold(true);
        laneTexts[j]->setFont(f);
    }
    noticeText = new QLabel(track);
    noticeText->setObjectName(QStringLiteral("noticeText"));
    noticeText->setGeometry(6, 262, 560, 15);
    noticeText->setTextFormat(Qt::PlainText);
    noticeText->setStyleSheet(
        QStringLiteral("color: rgb(255,255,0); background-color: rgba(0,0,0,160); padding-left: 4px;"));
    noticeText->hide();
    QFont f = noticeText->font();
    f.setPixelSize(12);
    noticeText->setFont(f);
    moveTimer->SetInterval(kRedrawMs);
}

NetRaceScreen::~NetRaceScreen() = default;

net::Session* NetRaceScreen::Room() const {
    return RoomHolder::Current();
}

QString NetRaceScreen::LaneText(const QString& name, int x, net::LaneState state) {
    QString text = QStringLiteral("%1 %2%").arg(name).arg(net::ProgressPercent(x));
    switch (state) {
        case net::LaneState::Finished:
            text += QCoreApplication::translate("NetRaceScreen", " ゴール");
            break;
        case net::LaneState::Out:
            text += QCoreApplication::translate("NetRaceScreen", " パワー切れ");
            break;
        case net::LaneState::Gone:
            text += QCoreApplication::translate("NetRaceScreen", " 切断");
            break;
        case net::LaneState::Racing:
            break;
    }
    return text;
}

void NetRaceScreen::Init() {
    track->SetBackground(Bitmap(QStringLiteral("KEYDERBYBACK")));
    g.audio.StopMidi();
    net::Session* room = Room();
    if (!room) return;
    const net::Start& s = room->start();
    m_local = room->LocalLane();
    for (int j = 0; j < net::kLaneCount; ++j) {
        characterPictures[j] = CharaBitmap(s.lanes[j].chara);
        LaneX[j] = TargetX[j] = 0;
        LaneState[j] = net::LaneState::Racing;
        SetForeColor(laneTexts[j], j == m_local ? kYellow : kWhite);
    }
    // The derby's own characters in the shared state stay as they are.
    m_chara = s.lanes[m_local].chara;
    m_step = PlayableCharacterOf(m_chara).step;
    m_missCost = PlayableCharacterOf(m_chara).missCost;
    m_power.Restore();
    m_deck = std::make_unique<net::QuestionDeck>(g.judge, s.seed, s.genre);
    genreKey = m_deck->GenreKey();
    PlayerFinished = PlayerOut = m_overPending = false;
    ResetPlayControls(QString(), m_power);
    g.judge.Reset();
    noticeText->clear();
    noticeText->hide();
    Redraw();
    connect(room, &net::Session::lanesChanged, this, &NetRaceScreen::OnLanes, Qt::UniqueConnection);
    connect(room, &net::Session::raceOver, this, &NetRaceScreen::OnOver, Qt::UniqueConnection);
    connect(room, &net::Session::peerLeft, this, &NetRaceScreen::OnPeerLeft, Qt::UniqueConnection);
    connect(room, &net::Session::closed, this, &NetRaceScreen::OnClosed, Qt::UniqueConnection);
    // The host said go: the countdown runs on every screen at once.
    StartReadyGo();
}

void NetRaceScreen::ReportBegun() {
    g.play.GameBegun(GameMode::NetRace, genreKey, m_chara);
}

void NetRaceScreen::NextQuestion() {
    if (!m_deck) return;
    m_deck->PutNext(*panel);
    g.play.QuestionShown(m_deck->QuestionId(), panel->Monitor(), panel->Display());
}

bool NetRaceScreen::BeforeKey() {
    return Room() != nullptr;
}

bool NetRaceScreen::AfterKey(bool hit) {
    bool goOn = true;
    if (hit) {
        goOn = !StepPlayer();
    } else {
        const bool out = m_power.Miss(m_missCost);
        power->Show(m_power);
        if (out) {
            RunOutOfPower();
            goOn = false;
        }
    }
    // Every key counts for the others, the last one too.
    if (net::Session* room = Room()) room->LocalProgress(g.judge.GetCorrectCount(), g.judge.GetMissCount());
    return goOn;
}

void NetRaceScreen::RunOutOfPower() {
    PlayerOut = true;
    LaneState[m_local] = net::LaneState::Out;
    g.audio.StopMidi();
    EndPlay();
    g.play.RaceSettled(0);
    panel->SetMonitor(QString());
    panel->SetDisplayColor(kRed);
    panel->SetDisplay(QStringLiteral("You Lose!!"));
    ShowLaneTexts();
    // No question box here: the race goes on for the others and shows it.
    ShowNotice(
        QCoreApplication::translate("NetRaceScreen", "パワーがなくなりました。ほかの人のゴールを待ちます。"));
}

bool NetRaceScreen::StepPlayer() {
    TargetX[m_local] = LaneX[m_local] = qMin(net::kMaxTrackX, TargetX[m_local] + m_step);
    if (LaneX[m_local] < net::kFinishX) {
        Redraw();
        return false;
    }
    PlayerFinished = true;
    LaneState[m_local] = net::LaneState::Finished;
    g.audio.StopMidi();
    // "Finish!!" stays up a moment even when this was the last runner; the others' lanes
    // keep moving meanwhile.
    ShowVerdict(kGreen, QStringLiteral("Finish!!"), true);
    Redraw();
    return true;
}

void NetRaceScreen::MoveOpponents() {
    bool moved = false;
    for (int j = 0; j < net::kLaneCount; ++j) {
        const int d = TargetX[j] - LaneX[j];
        if (d == 0) continue;
        // The others glide to where they were reported instead of jumping a whole update.
        LaneX[j] += d > 0 ? qMax(1, (d + 1) / 2) : d;
        moved = true;
    }
    if (moved) Redraw();
}

void NetRaceScreen::Redraw() {
    track->ClearToBackground();
    for (int y : RaceScreen::kLaneLineY) track->DrawLine(6, y, 639, y, Qt::white);
    for (int j = 0; j < net::kLaneCount; ++j)
        track->DrawPixmap(characterPictures[j], qMin(LaneX[j], net::kTrackWidth - 64), 65 * j);
    ShowLaneTexts();
}

void NetRaceScreen::ShowLaneTexts() {
    net::Session* room = Room();
    if (!room) return;
    QStringList all;
    for (int j = 0; j < net::kLaneCount; ++j) {
        const QString text = LaneText(room->start().lanes[j].name, TargetX[j], LaneState[j]);
        laneTexts[j]->setText(text);
        laneTexts[j]->setAccessibleName(text);
        all << text;
    }
    track->setAccessibleName(all.join(QCoreApplication::translate("NetRaceScreen", "、")));
}

void NetRaceScreen::OnLanes() {
    net::Session* room = Room();
    if (IsClosing() || !room) return;
    const net::Lanes& l = room->lanes();
    for (int j = 0; j < net::kLaneCount; ++j) {
        if (j == m_local) continue;
        TargetX[j] = l.x[j];
        LaneState[j] = l.state[j];
    }
    // Before the start the lanes stand still; the first redraw comes with Go!!.
    if (!moveTimer->Enabled()) ShowLaneTexts();
}

void NetRaceScreen::OnOver() {
    if (IsClosing()) return;
    // Not while "Finish!!" is still up, nor while a question box waits on this screen.
    if (GetPhase() == Phase::Finishing || m_asking) {
        m_overPending = true;
        return;
    }
    g.audio.StopMidi();
    // The place is the host's word; a player still running when the race was called ends here.
    if (!PlayerOut) {
        g.play.GameEnded(false);
        for (const net::ResultRow& row : Room()->result().rows)
            if (row.lane == m_local) g.play.RaceSettled(row.place);
    }
    LeaveTo(Screen::NetResult);
}

void NetRaceScreen::OnFinished() {
    if (m_overPending) OnOver();
}

void NetRaceScreen::Retry() {
    // A race with others is not started over by one of them.
}

void NetRaceScreen::Back() {
    LeaveRace();
}

void NetRaceScreen::OnPeerLeft(int lane, const QString& name, const QString& why) {
    if (IsClosing() || lane < 0 || lane >= net::kLaneCount) return;
    LaneState[lane] = net::LaneState::Gone;
    ShowLaneTexts();
    ShowNotice(QCoreApplication::translate("NetRaceScreen", "%1 さんが切断しました（%2）").arg(name, why));
}

void NetRaceScreen::ShowNotice(const QString& text) {
    noticeText->setText(text);
    noticeText->setAccessibleName(text);
    noticeText->show();
}

void NetRaceScreen::OnClosed(const QString& why) {
    if (IsClosing() || m_leaving) return;
    if (m_asking) {
        m_closedWhy = why;
        return;
    }
    m_leaving = true;
    g.audio.StopMidi();
    moveTimer->Stop();
    readyGoTimer->Stop();
    QPointer<NetRaceScreen> self(this);
    ctx.msg.Show(this, AppTitle(),
                 why + QCoreApplication::translate("NetRaceScreen", "\nレースを終わります。"),
                 MsgButtons::OK);
    if (!self || self->IsClosing()) return;
    RoomHolder::End();
    LeaveTo(Screen::Main);
}

void NetRaceScreen::LeaveRace() {
    if (IsClosing() || m_leaving) return;
    QPointer<NetRaceScreen> self(this);
    m_asking = true;
    const MsgAnswer answer = ctx.msg.Show(
        this, AppTitle(), QCoreApplication::translate("NetRaceScreen", "レースをやめて部屋を出ますか？"),
        MsgButtons::YesNo);
    if (!self || self->IsClosing() || m_leaving) return;
    m_asking = false;
    if (answer != MsgAnswer::Yes) {
        // What happened while the question was up.
        if (!m_closedWhy.isEmpty())
            OnClosed(m_closedWhy);
        else if (m_overPending && GetPhase() != Phase::Finishing)
            OnOver();
        return;
    }
    m_leaving = true;
    RoomHolder::End();
    LeaveTo(Screen::Main);
}

void NetRaceScreen::OnClosedByPlayer() {
    m_leaving = true;
    g.audio.StopMidi();
    RoomHolder::End();
    ShowBackTarget();
}

}  // namespace kd
