#include "timetrial/TimeTrialScreen.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include "common/Format.h"
#include "common/GameState.h"
#include "common/GenreFile.h"
#include "common/PlaySteps.h"
#include "common/PlayerFiles.h"
#include "learning/GhostSetting.h"
#include "platform/core/Random.h"
#include "platform/core/TickCounter.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/CenterOnScreen.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/SpokenParts.h"
#include "platform/widgets/Timer.h"
#include "platform/widgets/TypingPanel.h"
#include "questions/StringTable.h"
#include "timetrial/GhostRunner.h"
#include "timetrial/TimeTrialGenreDialog.h"
#include "timetrial/TimeTrialResultScreen.h"

namespace kd {

namespace {

const QColor kBand(36, 52, 104);
const QColor kBoxLine(200, 210, 240);

}  // namespace

TimeTrialScreen::TimeTrialScreen(AppContext& ctx)
    : PlayScreen(ctx, Screen::TimeTrial, GameMode::TimeTrial, 1000) {
    SetClientSize(647, 335);
    CenterOnScreen(this);

    auto* playBand = new QLabel(this);
    playBand->setObjectName(QStringLiteral("playBand"));
    playBand->setGeometry(0, 0, 647, 142);
    SetBackColor(playBand, kBand);

    MakeOutline(this, QStringLiteral("clockOutline"), {6, 9, 121, 121}, kBoxLine);
    elapsedTime =
        MakeClockBox({"elapsedTimeCaption", QCoreApplication::translate("TimeTrialScreen", "経過時間："), 9,
                      15, "elapsedTime", 20, QColor(144, 255, 144), 15});

    panel->move(129, 9);
    panel->raise();

    MakeOutline(this, QStringLiteral("buttonsOutline"), {540, 9, 100, 121}, kBoxLine);
    settingsButton = MakeButton(this, QStringLiteral("settingsButton"),
                                QCoreApplication::translate("TimeTrialScreen", "設定"), 552, 33);
    retryButton = MakeButton(this, QStringLiteral("retryButton"),
                             QCoreApplication::translate("TimeTrialScreen", "やり直し"), 552, 63);
    backButton = MakeButton(this, QStringLiteral("backButton"),
                            QCoreApplication::translate("TimeTrialScreen", "戻る"), 552, 93);
    connect(settingsButton, &QPushButton::clicked, this, [this] { ShowGenreDialog(); });
    connect(retryButton, &QPushButton::clicked, this, [this] { Retry(); });
    connect(backButton, &QPushButton::clicked, this, [this] { Back(); });

    track = new DrawingArea(this, QStringLiteral("track"), 0, 144, kTrackWidth, 190);
    SetSpokenParts(track, {});
    ballSource = new QLabel(this);
    ballSource->setObjectName(QStringLiteral("ballSource"));
    ballSource->hide();

    // Refreshes the clock only; the recorded time is read at the finishing key itself.
    m_clock = std::make_unique<PlayClock>(this, QStringLiteral("clockTimer"), elapsedTime, g.clock);
    m_ghost = new GhostRunner(this, g.clock, [this] { Redraw(); });

    NoFocusButtons(this);
    SetKeysFirst(true);
    DisableInputMethod();
}

TimeTrialScreen::~TimeTrialScreen() {
    g.play.Remove(&m_run);
}

void TimeTrialScreen::OnLoad() {
    SetCaption(AppTitle() + QStringLiteral(" -TIME TRIAL-"));
    LoadGenre();
    RestPlay();
    CharaX = 5;
    g.judge.Reset();
    g.questions.SetGenre(genreKey);
    runner.SetCharaName(QStringLiteral("CrazyBallRed"));
    runner.SetCharaStepSize(5);

    track->SetBackground(Bitmap(QStringLiteral("TRACK")));
    ballSource->setPixmap(CharaBitmap(1));
    ballPicture = ballSource->pixmap();
    m_ghost->SetPicture(ballPicture);
    LoadGhost();
    retryButton->setEnabled(false);
    panel->SetDisplay(QCoreApplication::translate("TimeTrialScreen", "スペースでスタート"));
    Redraw();
}

void TimeTrialScreen::LoadGenre() {
    genreKey = GenreKeyOf(ReadGenreValue(TimeTrialGenrePath(g)));
}

void TimeTrialScreen::ApplyGenre(const QString& key) {
    genreKey = key;
    g.questions.SetGenre(key);
    if (m_ghost->Enabled()) LoadGhost();
}

void TimeTrialScreen::LoadGhost() {
    if (GhostSwitchedOn(g)) {
        m_ghost->Load(LoadBestTimeTrial(g, genreKey));
        // This run as it is played, for the splits against the best.
        g.play.Add(&m_run);
    } else {
        m_ghost->Disable();
        g.play.Remove(&m_run);
    }
    Redraw();
}

void TimeTrialScreen::OnSpace() {
    g.rnd.ReseedFromClock();
    settingsButton->setEnabled(false);
}

bool TimeTrialScreen::AfterKey(bool hit) {
    if (!hit) return true;
    CharaX += runner.GetCharaStepSize();
    m_ghost->OnCorrectKey(g.judge.GetCorrectCount(), m_clock->Elapsed());
    Redraw();
    if (CharaX <= kFinishX) return true;
    Finish();
    return false;
}

void TimeTrialScreen::OnGo() {
    retryButton->setEnabled(true);
    const qint32 start = g.clock.GetTickCount();
    m_clock->Start(start, PlayClock::Direction::Up);
    m_ghost->Begin(start);
}

void TimeTrialScreen::Finish() {
    m_goalKeyTime = LastKeyTime();
    const qint32 time = m_clock->Elapsed();
    g.player.SetTimeTrialTime(time);
    m_clock->Stop();
    m_ghost->Stop();
    m_clock->ShowMs(time);
    ShowVerdict(kGreen, QStringLiteral("Goal!!"), true);
}

void TimeTrialScreen::OnFinished() {
    const QString key = genreKey;
    // The result screen records the entry's genre from the run's genre key.
    const bool ghost = m_ghost->Enabled();
    const std::optional<PlayedGame> best = m_ghost->Best();
    PlayedGame run = m_run.Game();
    run.timeMs = g.player.GetTimeTrialTime();
    if (auto* result = qobject_cast<TimeTrialResultScreen*>(ctx.nav.Replace(this, Screen::ResultTimeTrial))) {
        result->SetRunGenre(GenreOfKey(key));
        result->IgnoreGoalBurst(m_goalKeyTime);
        // With the ghost on, the result also measures the run against the best it raced.
        if (ghost) result->ShowBestComparison(run, best);
    }
}

void TimeTrialScreen::Retry() {
    RestPlay();
    settingsButton->setEnabled(true);
    retryButton->setEnabled(false);
    g.judge.Reset();
    CharaX = 5;
    m_ghost->Reset();
    Redraw();
    m_clock->Stop();
    panel->SetMonitor(QString());
    panel->SetDisplay(QCoreApplication::translate("TimeTrialScreen", "スペースでスタート"));
    panel->SetInput(QString());
    m_clock->ShowText(QString());
}

void TimeTrialScreen::Back() {
    m_clock->Stop();
    m_ghost->Stop();
    g.play.Remove(&m_run);
    LeaveTo(BackScreen());
}

void TimeTrialScreen::ShowGenreDialog() {
    ctx.nav.ShowModal(new TimeTrialGenreDialog(ctx, this));
}

void TimeTrialScreen::OnClosedByPlayer() {
    m_clock->Stop();
    m_ghost->Stop();
    g.play.Remove(&m_run);
    ShowBackTarget();
}

void TimeTrialScreen::OnClose() {
    PlayScreen::OnClose();
    g.play.Remove(&m_run);
    m_ghost->Stop();
}

void TimeTrialScreen::Redraw() {
    track->ClearToBackground();
    if (m_ghost->HasGhost()) track->DrawPixmap(m_ghost->Picture(), m_ghost->X(), kBallY);
    track->DrawPixmap(ballPicture, CharaX, kBallY);
    // For screen readers: how far the ball (and the ghost) have come.
    const auto percent = [](int x) { return qBound(0, (x - 5) * 100 / (kFinishX - 5), 100); };
    QStringList spoken{QStringLiteral("CrazyBallRed %1%").arg(percent(CharaX))};
    if (m_ghost->HasGhost())
        spoken << QCoreApplication::translate("TimeTrialScreen", "ゴースト %1%").arg(percent(m_ghost->X()));
    SetSpokenParts(track, spoken);
}

}  // namespace kd
