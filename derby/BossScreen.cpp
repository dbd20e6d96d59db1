#include "derby/BossScreen.h"

#include <QPointer>

#include "common/Format.h"
#include "common/GameState.h"
#include "platform/core/Audio.h"
#include "platform/core/Random.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Timer.h"
#include "platform/widgets/TypingPanel.h"

namespace kd {

namespace {

// The arena.
constexpr int W = DerbyPlayScreen::kBossLayout.ground.width();
constexpr int H = DerbyPlayScreen::kBossLayout.ground.height();

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
    ResetPlayControls(QString());
    BossX = W - 65;
    PlayerX = 0;
    BossMaxStep = 17;
    PlayerStep = g.Chara[0].StepSize;
    PostX = qint16(RoundHalfEven((W - 100) / 2.0));
    Balls = {0, 0};
    LoadGenre();
    g.judge.Reset();
    characterPictures = {CharaBitmap(g.Chara[0].CharaNo), Bitmap(QStringLiteral("BOSS"))};
    Redraw();
}

void BossScreen::Redraw() {
    track->ClearToBackground();
    track->DrawPixmap(post, PostX, H - 230);
    track->DrawPixmap(characterPictures[0], PlayerX, H - 70);
    track->DrawPixmap(characterPictures[1], BossX, H - 70);
    const std::array<int, 2> stackX = {PostX + 5, PostX + 55};
    for (int who = 0; who < 2; ++who)
        for (int i = 0; i < Balls[who]; ++i)
            track->DrawPixmap(ballPictures[who], stackX[who], H - 55 - 40 * i);
}

void BossScreen::MoveOpponents() {
    // The boss's step is worked out in single precision and rounded half to even.
    const float r = g.rnd.NextFloat();
    const float x = float(BossX) - float(BossMaxStep) * r;
    BossX = qint16(RoundHalfEven(x));
    if (BossX < PostX + 90) {
        BossX = qint16(W - 65);
        ++Balls[1];
    }
    Redraw();
    g.play.LanesMoved({PlayerX, BossX, 0, 0, 0});
    if (Balls[1] == kBallsToWin && Balls[0] < kBallsToWin) {
        m_won = false;
        EndWithVerdict(kBlue, QStringLiteral("You Lose!!"), true);
        g.play.BossSettled(false);
    }
}

bool BossScreen::StepPlayer() {
    PlayerX = qint16(PlayerX + PlayerStep);
    if (PlayerX < PostX - 54) return false;
    PlayerX = 0;
    ++Balls[0];
    if (Balls[0] < kBallsToWin || Balls[1] >= kBallsToWin) return false;
    m_won = true;
    EndWithVerdict(kRed, kWin, true);
    g.play.BossSettled(true);
    return true;
}

void BossScreen::OnFinished() {
    // A restart in the meantime has stopped the finish timer, so the verdict is still on show.
    if (m_won) {
        QPointer<BossScreen> self(this);
        ctx.msg.Show(this, kWin, QStringLiteral("ボスを倒した!!"), MsgButtons::OK);
        if (!self || self->IsClosing()) return;
        LeaveTo(Screen::Introduction);
        return;
    }
    AskToPlayAgain(QStringLiteral("あなたの負けです。もう一度挑戦しますか?"));
}

}  // namespace kd
