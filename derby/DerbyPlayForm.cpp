#include "derby/DerbyPlayForm.h"

#include <QFrame>
#include <QPointer>

#include "common/GameState.h"
#include "common/GenreFile.h"
#include "common/PlaySteps.h"
#include "derby/Cast.h"
#include "derby/PowerMeter.h"
#include "platform/core/Audio.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"

namespace kd {

DerbyPlayForm::DerbyPlayForm(AppContext& ctx_, const QString& formName, const QString& caption,
                             const Layout& layout)
    : FormBase(ctx_, formName) {
    SetCaption(caption);
    SetClientSize(layout.client.width(), layout.client.height());
    SetBackgroundColor(Qt::black);

    power = new PowerMeter(this, layout.powerFrame, layout.powerBar);

    panel = new TypingPanel(this);
    panel->move(layout.panel);

    auto* shape1 = new QFrame(this);
    shape1->setObjectName(QStringLiteral("Shape1"));
    shape1->setGeometry(layout.buttonFrame);
    shape1->setStyleSheet(QStringLiteral("#Shape1 { border: 1px solid rgb(128,128,128); }"));
    cmdRetry = MakeButton(this, QStringLiteral("cmdRetry"), QStringLiteral("やり直し"), layout.retry.x(),
                          layout.retry.y(), 79, 31);
    backButton =
        MakeButton(this, layout.backName, QStringLiteral("戻る"), layout.back.x(), layout.back.y(), 79, 31);
    connect(cmdRetry, &QPushButton::clicked, this, [this] { cmdRetry_Click(); });
    connect(backButton, &QPushButton::clicked, this, [this] { GoBack(); });

    pctGround = new PictureBox(this, QStringLiteral("pctGround"), layout.ground.x(), layout.ground.y(),
                               layout.ground.width(), layout.ground.height());

    tmrReadyGo = new Timer(this, QStringLiteral("tmrReadyGo"), 1000, [this] { tmrReadyGo_Timer(); });
    tmrCharaMove = new Timer(this, QStringLiteral("tmrCharaMove"), 150, [this] { tmrCharaMove_Timer(); });
    tmrFinish = new Timer(this, QStringLiteral("tmrFinish"), 800, [this] { tmrFinish_Timer(); });

    NoFocusButtons(this);
    SetKeyPreview(true);
    DisableInputMethod();
}

DerbyPlayForm::~DerbyPlayForm() {
    delete power;
}

void DerbyPlayForm::Form_Load() {
    Init();
}

void DerbyPlayForm::ResetPlayControls(const QString& restingText) {
    g.play.Abandon();
    panel->SetMonitor(QString());
    panel->SetDisplayColor(Qt::white);
    panel->SetDisplay(restingText);
    panel->SetInput(QString());
    power->Reset();
    tmrReadyGo->Stop();
    tmrReadyGo->SetInterval(1000);
    tmrCharaMove->Stop();
    tmrFinish->Stop();
    cmdRetry->setEnabled(false);
}

void DerbyPlayForm::Read_GenreData() {
    Tag = GenreKeyOf(ReadGenreValue(g.PlayerPath(QStringLiteral("DATA/genderby"))));
    g.objMondai.SetGenre(Tag);
}

bool DerbyPlayForm::AllTimersStopped() const {
    return !tmrReadyGo->Enabled() && !tmrCharaMove->Enabled() && !tmrFinish->Enabled();
}

void DerbyPlayForm::Form_KeyDown(int KeyCode, int) {
    if (KeyCode == 32 && AllTimersStopped()) {
        BeginReadyGo(*panel, *tmrReadyGo);
    } else if (KeyCode == 27) {
        cmdRetry_Click();
    } else if (KeyCode == 8) {
        GoBack();
    }
}

void DerbyPlayForm::tmrReadyGo_Timer() {
    if (ReadyGoTick(*panel, *tmrReadyGo) != ReadyGoStep::Start) return;
    cmdRetry->setEnabled(true);
    const bool boss = Mode() == GameMode::Boss;
    g.play.GameBegun(Mode(), Tag, g.Chara[0].CharaNo, boss ? kBossHeat : int(g.Heat.HeatNo));
    PutNextQuestion(g, *panel, Tag);
    if (g.BgmOn == -1) g.audio.PlayMidi(MusicName());
    tmrCharaMove->Start();
    tmrReadyGo->Stop();
}

void DerbyPlayForm::Form_KeyPress(int KeyAscii) {
    if (!JudgingKeys()) return;
    if (JudgeKey(g, *panel, Tag, KeyAscii)) {
        if (StepPlayer()) return;
    } else if (power->Miss(g.Chara[0].MissCost)) {
        OutOfPower();
        return;
    }
    if (panel->Display().isEmpty()) PutNextQuestion(g, *panel, Tag);
}

void DerbyPlayForm::OutOfPower() {
    g.audio.StopMidi();
    tmrCharaMove->Stop();
    g.play.GameEnded(false);
    if (Mode() == GameMode::Boss)
        g.play.BossSettled(false);
    else
        g.play.RaceSettled(0);
    QPointer<DerbyPlayForm> self(this);
    const MsgAnswer answer =
        ctx.msg.Show(this, QStringLiteral("You Lose!!"),
                     QStringLiteral("パワーがなくなりました。もう一度挑戦しますか?"), MsgButtons::YesNo);
    // The question waits for the player; by then this screen may have been closed.
    if (!self || self->Unloading()) return;
    if (answer == MsgAnswer::Yes)
        Init();
    else
        LeaveTo(QStringLiteral("frmMain"));
}

void DerbyPlayForm::EndPlay(const QColor& color, const QString& text, bool clearInput) {
    g.audio.StopMidi();
    tmrCharaMove->Stop();
    g.play.GameEnded(false);
    panel->SetMonitor(QString());
    panel->SetDisplayColor(color);
    panel->SetDisplay(text);
    if (clearInput) panel->SetInput(QString());
    tmrFinish->Start();
}

void DerbyPlayForm::cmdRetry_Click() {
    Init();
    cmdRetry->setEnabled(false);
}

void DerbyPlayForm::GoBack() {
    LeaveTo(QStringLiteral("frmSelectChara"));
}

void DerbyPlayForm::LeaveTo(const QString& next) {
    if (Unloading()) return;
    g.play.Abandon();
    g.audio.StopMidi();
    ctx.nav.Replace(this, next);
}

bool DerbyPlayForm::Form_QueryUnload(UnloadMode mode) {
    if (mode == UnloadMode::UserClosed) {
        g.play.Abandon();
        g.audio.StopMidi();
        ctx.nav.Show(QStringLiteral("frmSelectChara"));
    }
    return true;
}

void DerbyPlayForm::Form_Unload() {
    // A closed screen lingers until deleted; its ticks must not act any more.
    g.play.Abandon();
    tmrReadyGo->Stop();
    tmrCharaMove->Stop();
    tmrFinish->Stop();
}

}  // namespace kd
