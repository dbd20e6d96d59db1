#include "practice/frmPractice.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>

#include "common/FileSystem.h"
#include "common/Format.h"
#include "common/GameState.h"
#include "common/PlaySteps.h"
#include "platform/core/Random.h"
#include "platform/core/TickCounter.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/Timer.h"
#include "platform/widgets/TypingPanel.h"
#include "practice/frmSettingPractice.h"
#include "questions/StringTable.h"

namespace kd {

namespace {

const QString kStartText = QStringLiteral("スペースでスタート");
const QString kFinishText = QStringLiteral("FINISH!!");
// Only until the first tick, which sets the wait until the shown time changes.
constexpr int kFirstTickMs = 16;

// Milliseconds until the remaining time shown with one decimal ("##0.0", halves up) next
// changes, or until the time is up. Waking exactly then keeps the display to the
// millisecond while the process sleeps in between: ten wakes a second instead of sixty.
int MsUntilShownChange(qint32 remainingMs) {
    const qint32 shownTenths = (remainingMs + 50) / 100;
    const qint32 nextChange = remainingMs - (shownTenths * 100 - 51);
    return qMax(1, qMin(nextChange, remainingMs));
}

QFrame* Box(QWidget* parent, const QString& name, const QRect& r, const QColor& line) {
    auto* f = new QFrame(parent);
    f->setObjectName(name);
    f->setGeometry(r);
    f->setStyleSheet(QStringLiteral("QFrame#%1 { border: 1px solid %2; }").arg(name, line.name()));
    return f;
}

}  // namespace

frmPractice::frmPractice(AppContext& ctx_) : FormBase(ctx_, QStringLiteral("frmPractice")) {
    BuildControls();
    SetKeyPreview(true);
    DisableInputMethod();
    NoFocusButtons(this);
}

void frmPractice::BuildControls() {
    SetClientSize(647, 250);
    SetBackgroundColor(QColor(224, 230, 238));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    auto* Shape1 = new QWidget(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(0, 0, 647, 142);
    SetBackColor(Shape1, QColor(16, 40, 96));

    // Remaining time, left of the question panel.
    Box(this, QStringLiteral("Shape2"), QRect(6, 9, 121, 121), QColor(160, 176, 208));
    lblNokoriJikan = MakeLabel(this, QStringLiteral("lblNokoriJikan"), QStringLiteral("残り時間："), 12, 24);
    SetPixelFont(lblNokoriJikan, 14, true);
    lblNokoriJikan->adjustSize();
    SetForeColor(lblNokoriJikan, Qt::white);
    lblNokori = MakeLabel(this, QStringLiteral("lblNokori"), QString(), 9, 66, 94, 24);
    lblNokori->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetPixelFont(lblNokori, 18, true);
    SetForeColor(lblNokori, QColor(128, 255, 128));
    SetBackColor(lblNokori, QColor(64, 64, 64));
    Label1 = MakeLabel(this, QStringLiteral("Label1"), QStringLiteral("秒"), 105, 69);
    SetPixelFont(Label1, 14, true);
    Label1->adjustSize();
    SetForeColor(Label1, Qt::white);

    Picture2 = new TypingPanel(this);
    Picture2->move(129, 9);

    // The keys of this screen, right of the panel.
    Box(this, QStringLiteral("Image1"), QRect(540, 9, 100, 121), QColor(160, 176, 208));
    auto* keys =
        MakeLabel(this, QStringLiteral("lblKeys"),
                  QStringLiteral("Space\n　スタート\nEsc\n　やり直し\nBackSpace\n　戻る"), 548, 15, 88, 110);
    SetPixelFont(keys, 12);
    SetForeColor(keys, QColor(208, 216, 240));

    // The setting summary and the buttons.
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("pctStateShow"));
    panel->setGeometry(6, 150, 635, 92);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    SetBackColor(panel, QColor(246, 247, 250));
    pctStateShow = panel;
    lblGuide =
        MakeLabel(panel, QStringLiteral("lblGuide"), QStringLiteral("-----設定内容-----"), 16, 8, 300, 20);
    lblPracticeTime = MakeLabel(panel, QStringLiteral("lblPracticeTime"), QString(), 16, 34, 320, 20);
    lblGenre = MakeLabel(panel, QStringLiteral("lblGenre"), QString(), 16, 58, 320, 20);
    for (QLabel* l : {lblGuide, lblPracticeTime, lblGenre}) SetPixelFont(l, 14, l == lblGuide);
    cmdPracticeTime = MakeButton(panel, QStringLiteral("cmdPracticeTime"), QStringLiteral("設定"), 362, 34);
    cmdRetry = MakeButton(panel, QStringLiteral("cmdRetry"), QStringLiteral("やり直し"), 452, 34);
    cmdBack = MakeButton(panel, QStringLiteral("cmdBack"), QStringLiteral("戻る"), 542, 34);
    connect(cmdPracticeTime, &QPushButton::clicked, this, [this] { cmdPracticeTime_Click(); });
    connect(cmdRetry, &QPushButton::clicked, this, [this] { cmdRetry_Click(); });
    connect(cmdBack, &QPushButton::clicked, this, [this] { cmdBack_Click(); });

    tmrReadyGo = new Timer(this, QStringLiteral("tmrReadyGo"), 1000, [this] { tmrReadyGo_Timer(); });
    tmrFinish = new Timer(this, QStringLiteral("tmrFinish"), 1000, [this] { tmrFinish_Timer(); });
    tmrCountdown =
        new Timer(this, QStringLiteral("tmrCountdown"), kFirstTickMs, [this] { tmrCountdown_Timer(); });
}

void frmPractice::Init() {
    g.play.Abandon();
    SetCaption(AppTitle() + QStringLiteral(" -PRACTICE-"));
    g.objTypingSystem.Reset();
    Playing = false;
    StopCountdown();
    tmrReadyGo->Stop();
    Picture2->SetMonitor(QString());
    Picture2->SetDisplay(kStartText);  // the colour stays as it was
    Picture2->SetInput(QString());
    lblNokori->setText(QString());
    tmrReadyGo->SetInterval(1000);
    cmdPracticeTime->setEnabled(true);
    cmdRetry->setEnabled(false);
}

void frmPractice::Form_Load() {
    Init();
    const QString user = g.objUser.GetUserName();
    if (!ExistFile(PracticeTimePath(g, user))) {
        if (!ExistFolder(g.PlayerFolder())) MakeFolder(g.PlayerFolder());
        if (!ExistFolder(g.PlayerPath(QStringLiteral("DATA"))))
            MakeFolder(g.PlayerPath(QStringLiteral("DATA")));
        (void)SavePracticeTime(g, user, PracticeTimeData{60, QStringLiteral("kannyouku")});
    }
    PracticeTimeData setting = LoadPracticeTime(g, user);
    // A file that exists but holds no usable setting (left empty, or damaged) would give a
    // screen without questions that finishes at once; play the nearest sound setting instead
    // and store it, so the dialog and the result screen see the same.
    if (!IsPlayableSetting(setting)) {
        setting = PlayableSetting(setting);
        (void)SavePracticeTime(g, user, setting);
    }
    ShowSetting(setting);
}

void frmPractice::ShowSetting(const PracticeTimeData& setting) {
    g.objMondai.SetGenre(setting.GenreKey);
    if (setting.PracticeSec == kNoLimit) {
        lblPracticeTime->setText(QStringLiteral("練習時間：無制限"));
        lblNokori->setText(QStringLiteral("無制限"));
    } else {
        lblPracticeTime->setText(QStringLiteral("練習時間：") + MinutesSecondsText(setting.PracticeSec));
        lblNokori->setText(FormatNumber(setting.PracticeSec, QStringLiteral("##0.0")));
    }
    lblGenre->setText(QStringLiteral("ジャンル：") + g.objMondai.GetGenre());
    Tag = setting.GenreKey;
}

void frmPractice::Form_KeyDown(int KeyCode, int Shift) {
    Q_UNUSED(Shift);
    // Not while "FINISH!!" waits for the result: a game started then would keep the
    // finished game's counts and never show its result.
    if (KeyCode == 32 && !Playing && !tmrReadyGo->Enabled() && Picture2->Display() != kFinishText) {
        g.rnd.Randomize();
        cmdPracticeTime->setEnabled(false);
        BeginReadyGo(*Picture2, *tmrReadyGo);
    } else if (KeyCode == 27) {
        cmdRetry_Click();
    } else if (KeyCode == 8) {
        cmdBack_Click();
    }
}

void frmPractice::Form_KeyPress(int KeyAscii) {
    if (!Playing) return;
    // A key that arrives after the limit belongs to no game.
    if (tmrCountdown->Enabled()) {
        tmrCountdown_Timer();
        if (!Playing) return;
    }
    JudgeKey(g, *Picture2, Tag, KeyAscii);
    if (Picture2->Display().isEmpty()) PutNextQuestion(g, *Picture2, Tag);
}

void frmPractice::tmrReadyGo_Timer() {
    if (ReadyGoTick(*Picture2, *tmrReadyGo) != ReadyGoStep::Start) return;
    const PracticeTimeData setting = LoadPracticeTime(g, g.objUser.GetUserName());
    // The record's 0 means no limit.
    g.play.GameBegun(GameMode::Practice, Tag, -1, 0, setting.PracticeSec == kNoLimit ? 0 : setting.PracticeSec);
    PutNextQuestion(g, *Picture2, Tag);
    tmrReadyGo->Stop();
    cmdRetry->setEnabled(true);
    Playing = true;
    StartTick = g.clock.GetTickCount();

    if (setting.PracticeSec == kNoLimit) return;  // plays until back or retry
    m_limitMs = qint32(setting.PracticeSec) * 1000;
    tmrCountdown->Start();
    tmrCountdown_Timer();
}

// The remaining time comes from the tick counter on every tick, so a late tick never
// shows a wrong time, and nothing runs between ticks.
void frmPractice::tmrCountdown_Timer() {
    if (StartTick == -1) {
        tmrCountdown->Stop();
        return;
    }
    const qint32 elapsed = TickDiff(g.clock.GetTickCount(), StartTick);
    if (elapsed >= m_limitMs) {
        TimeUp();
        return;
    }
    const qint32 remaining = m_limitMs - elapsed;
    lblNokori->setText(FormatNumber(remaining / 1000.0, QStringLiteral("##0.0")));
    tmrCountdown->SetInterval(MsUntilShownChange(remaining));
}

void frmPractice::StopCountdown() {
    StartTick = -1;
    tmrCountdown->Stop();
}

void frmPractice::TimeUp() {
    tmrCountdown->Stop();
    Playing = false;
    g.play.GameEnded(false);
    lblNokori->setText(FormatNumber(0, QStringLiteral("##0.0")));
    Picture2->SetDisplayColor(QColor(0, 255, 0));
    Picture2->SetDisplay(kFinishText);
    Picture2->SetMonitor(QString());
    Picture2->SetInput(QString());
    // A full second from now, also when it kept running since an earlier game.
    tmrFinish->Stop();
    tmrFinish->Start();
}

void frmPractice::Form_Unload() {
    g.play.Abandon();
}

void frmPractice::tmrFinish_Timer() {
    if (Picture2->Display() != kFinishText) return;
    tmrFinish->Stop();
    ctx.nav.Replace(this, QStringLiteral("frmResultPractice"));
}

void frmPractice::cmdBack_Click() {
    g.play.Abandon();
    StopCountdown();
    ctx.nav.Replace(this, QStringLiteral("frmMain"));
}

void frmPractice::cmdPracticeTime_Click() {
    ctx.nav.ShowModal(new frmSettingPractice(ctx, this));
}

bool frmPractice::Form_QueryUnload(UnloadMode mode) {
    if (mode == UnloadMode::UserClosed) {
        g.play.Abandon();
        StopCountdown();
        ctx.nav.Show(QStringLiteral("frmMain"));
    }
    return true;
}

}  // namespace kd
