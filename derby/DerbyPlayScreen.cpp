#include "derby/DerbyPlayScreen.h"

#include <QCoreApplication>
#include <QPointer>
#include <QPushButton>

#include "common/DerbyRun.h"
#include "common/GameState.h"
#include "common/GenreFile.h"
#include "common/PlaySteps.h"
#include "common/PlayerFiles.h"
#include "common/SoundSwitches.h"
#include "derby/PowerMeter.h"
#include "platform/core/Audio.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/SpokenParts.h"
#include "platform/widgets/Timer.h"
#include "platform/widgets/TypingPanel.h"

namespace kd {

DerbyPlayScreen::DerbyPlayScreen(AppContext& ctx_, Screen screen, const QString& caption,
                                 const Layout& layout, GameMode mode)
    : PlayScreen(ctx_, screen, mode, 800) {
    SetCaption(caption);
    SetClientSize(layout.client.width(), layout.client.height());
    SetBackgroundColor(Qt::black);

    power = std::make_unique<PowerMeter>(this, layout.powerFrame, layout.powerBar);

    panel->move(layout.panel);
    panel->raise();

    MakeOutline(this, QStringLiteral("buttonsOutline"), layout.buttonFrame, kGrey);
    retryButton = MakeButton(this, QStringLiteral("retryButton"),
                             QCoreApplication::translate("DerbyPlayScreen", "やり直し"), layout.retry.x(),
                             layout.retry.y(), 79, 31);
    backButton =
        MakeButton(this, QStringLiteral("backButton"), QCoreApplication::translate("DerbyPlayScreen", "戻る"),
                   layout.back.x(), layout.back.y(), 79, 31);
    connect(retryButton, &QPushButton::clicked, this, [this] { Retry(); });
    connect(backButton, &QPushButton::clicked, this, [this] { Back(); });

    track = new DrawingArea(this, QStringLiteral("track"), layout.ground.x(), layout.ground.y(),
                            layout.ground.width(), layout.ground.height());
    SetSpokenParts(track, {});  // the lanes or the balls, once drawn

    moveTimer = new Timer(this, QStringLiteral("moveTimer"), 150, [this] { MoveOpponents(); });

    NoFocusButtons(this);
    SetKeysFirst(true);
    DisableInputMethod();
}

DerbyPlayScreen::~DerbyPlayScreen() = default;

void DerbyPlayScreen::ResetPlayControls(const QString& restingText, const PlayerPower& fullPower) {
    RestPlay();
    panel->SetMonitor(QString());
    panel->SetDisplayColor(Qt::white);
    panel->SetDisplay(restingText);
    panel->SetInput(QString());
    power->Show(fullPower);
    moveTimer->Stop();
    retryButton->setEnabled(false);
}

void DerbyPlayScreen::LoadGenre() {
    genreKey = GenreKeyOf(ReadGenreValue(DerbyGenrePath(g)));
    g.questions.SetGenre(genreKey);
}

void DerbyPlayScreen::ReportBegun() {
    const int heat = Mode() == GameMode::Boss ? kBossHeat : g.derby.Heat();
    // A race names its field, so a replay shows who really ran (the co-qualifier included).
    std::array<int, 4> cast{};
    if (Mode() == GameMode::Race)
        for (int j = 0; j < DerbyRun::kLanes; ++j) cast[size_t(j)] = g.derby.Character(j);
    g.play.GameBegun(Mode(), genreKey, g.derby.Player().number, heat, 0, cast);
}

void DerbyPlayScreen::OnGo() {
    retryButton->setEnabled(true);
    PlayMusic(g, MusicName());
    moveTimer->Start();
}

bool DerbyPlayScreen::AfterKey(bool hit) {
    if (hit) return !StepPlayer();
    const bool out = g.derby.Miss();
    power->Show(g.derby.Power());
    if (!out) return true;
    OutOfPower();
    return false;
}

void DerbyPlayScreen::OutOfPower() {
    g.audio.StopMidi();
    moveTimer->Stop();
    EndPlay();
    if (Mode() == GameMode::Boss)
        g.play.BossSettled(false);
    else
        g.play.RaceSettled(0);
    AskToPlayAgain(
        QCoreApplication::translate("DerbyPlayScreen", "パワーがなくなりました。もう一度挑戦しますか?"));
}

void DerbyPlayScreen::AskToPlayAgain(const QString& question) {
    QPointer<DerbyPlayScreen> self(this);
    const MsgAnswer answer = ctx.msg.Show(this, QStringLiteral("You Lose!!"), question, MsgButtons::YesNo);
    // The question waits for the player; by then this screen may have been closed.
    if (!self || self->IsClosing()) return;
    if (answer == MsgAnswer::Yes)
        Init();
    else
        LeaveTo(Screen::Main);
}

void DerbyPlayScreen::EndWithVerdict(const QColor& color, const QString& text, bool clearInput) {
    g.audio.StopMidi();
    moveTimer->Stop();
    ShowVerdict(color, text, clearInput);
}

void DerbyPlayScreen::Retry() {
    Init();
    retryButton->setEnabled(false);
}

void DerbyPlayScreen::Back() {
    LeaveTo(BackScreen());
}

void DerbyPlayScreen::LeaveTo(Screen next) {
    if (IsClosing()) return;
    g.audio.StopMidi();
    PlayScreen::LeaveTo(next);
}

void DerbyPlayScreen::OnClosedByPlayer() {
    g.audio.StopMidi();
    ShowBackTarget();
}

}  // namespace kd
