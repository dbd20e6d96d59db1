#include "timetrial/frmTimeTrial.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <limits>

#include "common/Format.h"
#include "common/GameState.h"
#include "common/GenreFile.h"
#include "common/PlaySteps.h"
#include "learning/LearningFile.h"
#include "platform/core/Random.h"
#include "platform/core/TickCounter.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/Timer.h"
#include "platform/widgets/TypingPanel.h"
#include "questions/StringTable.h"
#include "timetrial/CenterOnScreen.h"
#include "timetrial/GhostRunner.h"
#include "timetrial/frmResultTimeTrial.h"
#include "timetrial/frmSettingTimeTrial.h"

namespace kd {

namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kBand(36, 52, 104);

QFrame* Rectangle(QWidget* parent, const QString& name, int x, int y, int w, int h) {
    auto* f = new QFrame(parent);
    f->setObjectName(name);
    f->setGeometry(x, y, w, h);
    f->setStyleSheet(
        QStringLiteral("QFrame { border: 1px solid rgb(200,210,240); background: transparent; }"));
    return f;
}

}  // namespace

frmTimeTrial::frmTimeTrial(AppContext& ctx) : FormBase(ctx, QStringLiteral("frmTimeTrial")) {
    SetClientSize(647, 335);
    CenterOnScreen(this);

    auto* Shape1 = new QLabel(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(0, 0, 647, 142);
    SetBackColor(Shape1, kBand);

    Rectangle(this, QStringLiteral("Shape2(1)"), 6, 9, 121, 121);
    QLabel* Label2 = MakeLabel(this, QStringLiteral("Label2"), QStringLiteral("経過時間："), 9, 24);
    SetPixelFont(Label2, 15, true);
    Label2->adjustSize();
    SetForeColor(Label2, Qt::white);

    lblKeikaJikan = MakeLabel(this, QStringLiteral("lblKeikaJikan"), QString(), 9, 66, 94, 24);
    lblKeikaJikan->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetPixelFont(lblKeikaJikan, 20, true);
    SetForeColor(lblKeikaJikan, QColor(144, 255, 144));
    SetBackColor(lblKeikaJikan, QColor(64, 64, 64));

    QLabel* Label1 = MakeLabel(this, QStringLiteral("Label1"), QStringLiteral("秒"), 105, 69);
    SetPixelFont(Label1, 15, true);
    Label1->adjustSize();
    SetForeColor(Label1, Qt::white);

    Picture2 = new TypingPanel(this);
    Picture2->move(129, 9);

    Rectangle(this, QStringLiteral("Shape2(0)"), 540, 9, 100, 121);
    cmdSetting = MakeButton(this, QStringLiteral("cmdSetting"), QStringLiteral("設定"), 552, 33);
    cmdRetry = MakeButton(this, QStringLiteral("cmdRetry"), QStringLiteral("やり直し"), 552, 63);
    Command1 = MakeButton(this, QStringLiteral("Command1"), QStringLiteral("戻る"), 552, 93);
    connect(cmdSetting, &QPushButton::clicked, this, [this] { cmdSetting_Click(); });
    connect(cmdRetry, &QPushButton::clicked, this, [this] { cmdRetry_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    pctBack = new PictureBox(this, QStringLiteral("pctBack"), 0, 144, kTrackWidth, 190);
    pctChara = new QLabel(this);
    pctChara->setObjectName(QStringLiteral("pctChara"));
    pctChara->hide();

    tmrReadyGo = new Timer(this, QStringLiteral("tmrReadyGo"), 1000, [this] { tmrReadyGo_Timer(); });
    tmrFinish = new Timer(this, QStringLiteral("tmrFinish"), 1000, [this] { tmrFinish_Timer(); });
    // Refreshes the clock only; the recorded time is read at the finishing key itself.
    tmrClock = new Timer(this, QStringLiteral("tmrClock"), 50, [this] { tmrClock_Timer(); });
    m_ghost = new GhostRunner(this, g.clock, [this] { Redraw(); });

    NoFocusButtons(this);
    SetKeyPreview(true);
    DisableInputMethod();
}

frmTimeTrial::~frmTimeTrial() {
    g.play.Remove(&m_run);
}

void frmTimeTrial::Form_Load() {
    SetCaption(AppTitle() + QStringLiteral(" -TIME TRIAL-"));
    Read_GenreData();
    Playing = false;
    StartTick = 0;
    CharaX = 5;
    g.objTypingSystem.Reset();
    g.objMondai.SetGenre(Tag);
    objChara.SetCharaName(QStringLiteral("CrazyBallRed"));
    objChara.SetCharaStepSize(5);

    pctBack->SetBackground(Bitmap(QStringLiteral("TRACK")));
    pctChara->setPixmap(CharaBitmap(1));
    imlChara = pctChara->pixmap();
    m_ghost->SetPicture(imlChara);
    LoadGhost();
    tmrReadyGo->Stop();
    tmrReadyGo->SetInterval(1000);
    tmrFinish->Stop();
    cmdRetry->setEnabled(false);
    Picture2->SetDisplay(QStringLiteral("スペースでスタート"));
    Redraw();
}

void frmTimeTrial::Read_GenreData() {
    Tag = GenreKeyOf(ReadGenreValue(g.PlayerPath(QStringLiteral("DATA/gen"))));
}

void frmTimeTrial::ApplyGenre(const QString& genreKey) {
    Tag = genreKey;
    g.objMondai.SetGenre(genreKey);
    if (m_ghost->Enabled()) LoadGhost();
}

void frmTimeTrial::LoadGhost() {
    if (ReadBoolSetting(LearningFilePath(g), kGhostSetting, false)) {
        m_ghost->Load(LoadBestTimeTrial(LearningFilePath(g), Tag));
        // This run as it is played, for the splits against the best.
        g.play.Add(&m_run);
    } else {
        m_ghost->Disable();
        g.play.Remove(&m_run);
    }
    Redraw();
}

void frmTimeTrial::Form_KeyDown(int KeyCode, int) {
    if (KeyCode == 32 && !Playing && !tmrReadyGo->Enabled() && !tmrFinish->Enabled()) {
        g.rnd.Randomize();
        cmdSetting->setEnabled(false);
        BeginReadyGo(*Picture2, *tmrReadyGo);
    } else if (KeyCode == 27) {
        cmdRetry_Click();
    } else if (KeyCode == 8) {
        Command1_Click();
    }
}

void frmTimeTrial::Form_KeyPress(int KeyAscii) {
    if (!Playing) return;
    if (JudgeKey(g, *Picture2, Tag, KeyAscii)) {
        CharaX = qint16(CharaX + objChara.GetCharaStepSize());
        m_ghost->OnCorrectKey(g.objTypingSystem.GetCorrectCount(), Elapsed());
        Redraw();
        if (CharaX > kFinishX) {
            Finish();
            return;
        }
    }
    if (Picture2->Display().isEmpty()) PutNextQuestion(g, *Picture2, Tag);
}

void frmTimeTrial::tmrReadyGo_Timer() {
    if (ReadyGoTick(*Picture2, *tmrReadyGo) != ReadyGoStep::Start) return;
    g.play.GameBegun(GameMode::TimeTrial, Tag);
    PutNextQuestion(g, *Picture2, Tag);
    tmrReadyGo->Stop();
    StartRun();
}

void frmTimeTrial::StartRun() {
    Playing = true;
    StartTick = g.clock.GetTickCount();
    m_ghost->Begin(StartTick);
    cmdRetry->setEnabled(true);
    ShowClock(0);
    ScheduleClock(0);
    tmrClock->Start();
}

qint32 frmTimeTrial::Elapsed() const {
    const qint32 ms = TickDiff(g.clock.GetTickCount(), StartTick);
    // Past 24.8 days the counter's difference turns negative; such a run is simply very long.
    return ms < 0 ? std::numeric_limits<qint32>::max() : ms;
}

void frmTimeTrial::ShowClock(qint32 elapsedMs) {
    // "##0.0" rounds halves up, so the text changes only when the rounded tenth does; the
    // 16 ms refresh then costs an integer comparison on most ticks.
    const qint64 tenths = (qint64(elapsedMs) + 50) / 100;
    if (tenths == m_shownTenths) return;
    m_shownTenths = tenths;
    lblKeikaJikan->setText(FormatNumber(double(tenths) / 10.0, QStringLiteral("##0.0")));
}

void frmTimeTrial::tmrClock_Timer() {
    if (!Playing) {
        tmrClock->Stop();
        return;
    }
    const qint32 ms = Elapsed();
    ShowClock(ms);
    ScheduleClock(ms);
}

void frmTimeTrial::ScheduleClock(qint32 elapsedMs) {
    // Wake when the shown tenth is next due to change (at the next x.x50 ms) instead of
    // polling: the display stays exact and an idle run costs ten wake-ups a second.
    const qint64 next = ((qint64(elapsedMs) + 50) / 100 + 1) * 100 - 50;
    tmrClock->SetInterval(int(std::clamp<qint64>(next - elapsedMs, 1, 100)));
}

void frmTimeTrial::Finish() {
    const qint32 time = Elapsed();
    g.objUser.SetTimeTrialTime(time);
    Playing = false;
    g.play.GameEnded(false);
    tmrClock->Stop();
    m_ghost->Stop();
    ShowClock(time);
    Picture2->SetDisplayColor(kGreen);
    Picture2->SetDisplay(QStringLiteral("Goal!!"));
    Picture2->SetMonitor(QString());
    Picture2->SetInput(QString());
    tmrFinish->Start();
}

void frmTimeTrial::tmrFinish_Timer() {
    if (Picture2->Display() != QLatin1String("Goal!!")) return;
    tmrFinish->Stop();
    const QString genreKey = Tag;
    // The result screen records the entry's genre from the run's genre key.
    const bool ghost = m_ghost->Enabled();
    const std::optional<PlayedGame> best = m_ghost->Best();
    PlayedGame run = m_run.Game();
    run.timeMs = g.objUser.GetTimeTrialTime();
    if (FormBase* result = ctx.nav.Replace(this, QStringLiteral("frmResultTimeTrial"))) {
        result->Tag = genreKey;
        // With the ghost on, the result also measures the run against the best it raced.
        if (auto* r = qobject_cast<frmResultTimeTrial*>(result); r && ghost) r->ShowBestComparison(run, best);
    }
}

void frmTimeTrial::cmdRetry_Click() {
    g.play.Abandon();
    cmdSetting->setEnabled(true);
    cmdRetry->setEnabled(false);
    Playing = false;
    StartTick = -1;
    g.objTypingSystem.Reset();
    CharaX = 5;
    m_ghost->Reset();
    Redraw();
    tmrReadyGo->Stop();
    tmrFinish->Stop();
    tmrClock->Stop();
    tmrReadyGo->SetInterval(1000);
    Picture2->SetMonitor(QString());
    Picture2->SetDisplay(QStringLiteral("スペースでスタート"));
    Picture2->SetInput(QString());
    lblKeikaJikan->setText(QString());
    m_shownTenths = -1;
}

void frmTimeTrial::Command1_Click() {
    g.play.Abandon();
    StartTick = -1;
    Playing = false;
    ctx.nav.Replace(this, QStringLiteral("frmMain"));
}

void frmTimeTrial::cmdSetting_Click() {
    ctx.nav.ShowModal(new frmSettingTimeTrial(ctx, this));
}

bool frmTimeTrial::Form_QueryUnload(UnloadMode mode) {
    if (mode == UnloadMode::UserClosed) {
        g.play.Abandon();
        StartTick = -1;
        Playing = false;
        ctx.nav.Show(QStringLiteral("frmMain"));
    }
    return true;
}

void frmTimeTrial::Form_Unload() {
    g.play.Abandon();
    g.play.Remove(&m_run);
    m_ghost->Stop();
    tmrReadyGo->Stop();
    tmrFinish->Stop();
    tmrClock->Stop();
}

void frmTimeTrial::Redraw() {
    pctBack->Cls();
    if (m_ghost->HasGhost()) pctBack->DrawPicture(m_ghost->Picture(), m_ghost->X(), kBallY);
    pctBack->DrawPicture(imlChara, CharaX, kBallY);
}

}  // namespace kd
