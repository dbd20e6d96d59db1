#include "derby/BossScreen.h"

#include <QCoreApplication>
#include <QPointer>

#include "common/GameState.h"
#include "platform/core/Audio.h"
#include "platform/core/Random.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/SpokenParts.h"
#include "platform/widgets/Timer.h"
#include "platform/widgets/TypingPanel.h"

namespace kd {

namespace {

// The arena.
constexpr int H = DerbyPlayScreen::kBossLayout.ground.height();
static_assert(DerbyRun::kArenaWidth == DerbyPlayScreen::kBossLayout.ground.width(),
              "the run's arena is the one drawn");

const QString kWin = QStringLiteral("You Win!!");

}  // namespace

BossScreen::BossScreen(AppContext& ctx_)
    : DerbyPlayScreen(ctx_, Screen::Boss, QStringLiteral("BOSS!!"), kBossLayout, GameMode::Boss) {
    track->SetBackground(Bitmap(QStringLiteral("ARENA")));
    post = Bitmap(QStringLiteral("POST"));
    ballPictures = {Bitmap(QStringLiteral("BALLPLAYER")), Bitmap(QStringLiteral("BALLBOSS"))};
}

void BossScreen::Init() {
    g.audio.StopMidi();
    g.rnd.ReseedFromClock();
    g.derby.SetUpBoss();
    ResetPlayControls(QString(), g.derby.Power());
    LoadGenre();
    g.judge.Reset();
    characterPictures = {CharaBitmap(g.derby.Player().number), Bitmap(QStringLiteral("BOSS"))};
    Redraw();
}

void BossScreen::Redraw() {
    const BossArena& arena = g.derby.Arena();
    track->ClearToBackground();
    track->DrawPixmap(post, arena.postX, H - 230);
    track->DrawPixmap(characterPictures[0], arena.playerX, H - 70);
    track->DrawPixmap(characterPictures[1], arena.bossX, H - 70);
    const std::array<int, 2> stackX = {arena.postX + 5, arena.postX + 55};
    for (int who = 0; who < 2; ++who)
        for (int i = 0; i < arena.balls[who]; ++i)
            track->DrawPixmap(ballPictures[who], stackX[who], H - 55 - 40 * i);
    SetSpokenParts(track, BossTexts(g.derby));
}

void BossScreen::MoveOpponents() {
    const bool bossWon = g.derby.StepBoss(g.rnd);
    Redraw();
    g.play.LanesMoved({g.derby.Arena().playerX, g.derby.Arena().bossX, 0, 0, 0});
    if (!bossWon) return;
    m_won = false;
    EndWithVerdict(kBlue, QStringLiteral("You Lose!!"), true);
    g.play.BossSettled(false);
}

bool BossScreen::StepPlayer() {
    if (!g.derby.StepPlayerAtBoss()) return false;
    m_won = true;
    EndWithVerdict(kRed, kWin, true);
    g.play.BossSettled(true);
    return true;
}

void BossScreen::OnFinished() {
    // A restart in the meantime has stopped the finish timer, so the verdict is still on show.
    if (m_won) {
        QPointer<BossScreen> self(this);
        ctx.msg.Show(this, kWin, QCoreApplication::translate("BossScreen", "ボスを倒した!!"), MsgButtons::OK);
        if (!self || self->IsClosing()) return;
        LeaveTo(Screen::Introduction);
        return;
    }
    AskToPlayAgain(QCoreApplication::translate("BossScreen", "あなたの負けです。もう一度挑戦しますか?"));
}

}  // namespace kd
