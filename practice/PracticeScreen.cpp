#include "practice/PracticeScreen.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "common/FileSystem.h"
#include "common/Format.h"
#include "common/GameState.h"
#include "common/PlaySteps.h"
#include "common/PlayerFiles.h"
#include "learning/TrainingSettings.h"
#include "platform/core/Random.h"
#include "platform/core/TickCounter.h"
#include "platform/widgets/CenterOnScreen.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/Timer.h"
#include "platform/widgets/TypingPanel.h"
#include "practice/PracticeResultScreen.h"
#include "practice/PracticeSettingsDialog.h"
#include "questions/Genre.h"
#include "questions/StringTable.h"

namespace kd {

namespace {

// Translated when shown: the translation is installed after this file's constants are made.
const char* const kStartText = QT_TRANSLATE_NOOP("PracticeScreen", "スペースでスタート");
const QString kFinishText = QStringLiteral("FINISH!!");
const QColor kBoxLine(160, 176, 208);

}  // namespace

PracticeScreen::PracticeScreen(AppContext& ctx_)
    : PlayScreen(ctx_, Screen::Practice, GameMode::Practice, 1000) {
    BuildControls();
    SetKeysFirst(true);
    DisableInputMethod();
    NoFocusButtons(this);
}

void PracticeScreen::BuildControls() {
    SetClientSize(647, 250);
    SetBackgroundColor(QColor(224, 230, 238));
    CenterOnScreen(this);

    auto* playBand = new QWidget(this);
    playBand->setObjectName(QStringLiteral("playBand"));
    playBand->setGeometry(0, 0, 647, 142);
    SetBackColor(playBand, kNightBlue);

    // Remaining time, left of the question panel.
    MakeOutline(this, QStringLiteral("clockOutline"), QRect(6, 9, 121, 121), kBoxLine);
    remainingTime =
        MakeClockBox({"remainingTimeCaption", QCoreApplication::translate("PracticeScreen", "残り時間："), 12,
                      14, "remainingTime", 18, QColor(128, 255, 128), 14});

    panel->move(129, 9);
    panel->raise();

    // The keys of this screen, right of the panel.
    MakeOutline(this, QStringLiteral("keysOutline"), QRect(540, 9, 100, 121), kBoxLine);
    auto* keys = MakeLabel(this, QStringLiteral("keyHelp"),
                           QCoreApplication::translate(
                               "PracticeScreen", "Space\n　スタート\nEsc\n　やり直し\nBackSpace\n　戻る"),
                           548, 15, 88, 110);
    SetPixelFont(keys, 12);
    SetForeColor(keys, QColor(208, 216, 240));

    BuildSettingsPanel();
    m_clock = std::make_unique<PlayClock>(this, QStringLiteral("countdownTimer"), remainingTime, g.clock);
    m_clock->onTimeUp = [this] { TimeUp(); };
}

// The setting summary and the buttons, below the play band.
void PracticeScreen::BuildSettingsPanel() {
    auto* settingsPanel = new QFrame(this);
    settingsPanel->setObjectName(QStringLiteral("settingsPanel"));
    settingsPanel->setGeometry(6, 150, 635, 92);
    settingsPanel->setFrameShape(QFrame::StyledPanel);
    settingsPanel->setFrameShadow(QFrame::Sunken);
    SetBackColor(settingsPanel, QColor(246, 247, 250));
    QLabel* settingsHeading =
        MakeLabel(settingsPanel, QStringLiteral("settingsHeading"),
                  QCoreApplication::translate("PracticeScreen", "-----設定内容-----"), 16, 8, 300, 20);
    practiceTimeText =
        MakeLabel(settingsPanel, QStringLiteral("practiceTimeText"), QString(), 16, 34, 320, 20);
    genreText = MakeLabel(settingsPanel, QStringLiteral("genreText"), QString(), 16, 58, 320, 20);
    for (QLabel* l : {settingsHeading, practiceTimeText, genreText})
        SetPixelFont(l, 14, l == settingsHeading);
    drillTargetText = MakeLabel(settingsPanel, QStringLiteral("drillTargetText"), QString(), 16, 74, 600, 17);
    SetPixelFont(drillTargetText, 13, true);
    SetForeColor(drillTargetText, QColor(176, 0, 0));
    settingsButton = MakeButton(settingsPanel, QStringLiteral("settingsButton"),
                                QCoreApplication::translate("PracticeScreen", "設定"), 362, 34);
    retryButton = MakeButton(settingsPanel, QStringLiteral("retryButton"),
                             QCoreApplication::translate("PracticeScreen", "やり直し"), 452, 34);
    backButton = MakeButton(settingsPanel, QStringLiteral("backButton"),
                            QCoreApplication::translate("PracticeScreen", "戻る"), 542, 34);
    connect(settingsButton, &QPushButton::clicked, this, [this] { ShowSettingsDialog(); });
    connect(retryButton, &QPushButton::clicked, this, [this] { Retry(); });
    connect(backButton, &QPushButton::clicked, this, [this] { Back(); });
}

PracticeScreen::~PracticeScreen() {
    StopListening();
}

void PracticeScreen::StopListening() {
    g.play.Remove(&m_missed);
    if (m_tally) g.play.Remove(m_tally.get());
}

void PracticeScreen::Init() {
    RestPlay();
    SetCaption(AppTitle() + QStringLiteral(" -PRACTICE-"));
    g.judge.Reset();
    StopCountdown();
    panel->SetMonitor(QString());
    panel->SetDisplay(
        QCoreApplication::translate("PracticeScreen", kStartText));  // the colour stays as it was
    panel->SetInput(QString());
    m_clock->ShowText(QString());
    settingsButton->setEnabled(true);
    retryButton->setEnabled(false);
}

void PracticeScreen::OnLoad() {
    Init();
    const QString user = g.player.GetUserName();
    if (!ExistFile(PracticeTimePath(g, user))) {
        MakePlayerDataFolder(g);
        (void)SavePracticeTime(g, user, PracticeTimeData{60, GenreKey(Genre::Idioms)});
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

void PracticeScreen::ShowSetting(const PracticeTimeData& setting) {
    g.questions.SetGenre(setting.GenreKey);
    if (setting.PracticeSec == kNoLimit) {
        practiceTimeText->setText(QCoreApplication::translate("PracticeScreen", "練習時間：無制限"));
        m_clock->ShowText(QCoreApplication::translate("PracticeScreen", "無制限"));
    } else {
        practiceTimeText->setText(QCoreApplication::translate("PracticeScreen", "練習時間：") +
                                  ShownMinutesSeconds(MinutesSecondsText(setting.PracticeSec)));
        m_clock->ShowText(FixedText(setting.PracticeSec, 1));
    }
    genreKey = setting.GenreKey;
    m_retry.reset();
    m_source = LoadPracticeSource(g, setting.GenreKey);
    PrepareSource();
    ShowGenre();
}

void PracticeScreen::PrepareSource() {
    m_plan = DrillPlan();
    m_picker.reset();
    m_setQuestions.clear();
    drillTargetText->clear();
    if (m_source.kind == PracticeSource::Kind::Drill) {
        m_plan = PlanPlayerDrill(g, LoadRomajiChoices(g));
        drillTargetText->setText(m_plan.fallback ? m_plan.message : m_plan.TargetLine());
        if (!m_plan.fallback) m_picker = std::make_unique<DrillPicker>(m_plan.weights, g.rnd);
    } else if (m_source.kind == PracticeSource::Kind::Set) {
        const QList<SetQuestion> questions = PlayerSetQuestions(g, m_source.setId);
        for (qsizetype i = 0; i < questions.size(); ++i)
            m_setQuestions << QuestionShown{int(i + 1), questions[i].text, questions[i].reading, 0};
        if (!m_setQuestions.isEmpty())
            m_picker = std::make_unique<DrillPicker>(QList<double>(m_setQuestions.size(), 1.0), g.rnd);
    }
}

void PracticeScreen::ShowGenre() {
    QString name = GenreDisplayName(g.questions.GetGenre());
    if (m_retry)
        name = QCoreApplication::translate("PracticeScreen", "ミスした問題（%1問）").arg(m_retryCount);
    else if (m_source.kind == PracticeSource::Kind::Drill)
        name = m_source.Label({});
    else if (m_source.kind == PracticeSource::Kind::Set && m_picker)
        name = m_source.Label(PlayerQuestionSets(g));
    genreText->setText(QCoreApplication::translate("PracticeScreen", "ジャンル：") + name);
}

void PracticeScreen::PlayOnly(const QList<QuestionShown>& questions, const QString& judgeGenre,
                              const QString& recordGenre) {
    if (questions.isEmpty()) return;
    m_retry.emplace(questions);
    m_retryGenre = recordGenre;
    m_retryCount = int(questions.size());
    genreKey = judgeGenre;
    g.questions.SetGenre(judgeGenre);
    m_picker.reset();
    drillTargetText->clear();
    ShowGenre();
}

void PracticeScreen::NextQuestion() {
    if (m_retry) {
        PutGivenQuestion(g, *panel, genreKey, m_retry->Next());
        return;
    }
    if (!m_picker) {
        PlayScreen::NextQuestion();
        return;
    }
    const int at = m_picker->Next();
    if (m_source.kind == PracticeSource::Kind::Set) {
        PutGivenQuestion(g, *panel, genreKey, m_setQuestions[at]);
        return;
    }
    const int id = BankIdiomId(at);
    const StringTable& table = StringTable::Instance();
    PutGivenQuestion(g, *panel, genreKey,
                     QuestionShown{id, table.LoadString(id - 1), table.LoadString(id), 0});
}

void PracticeScreen::OnSpace() {
    g.rnd.ReseedFromClock();
    settingsButton->setEnabled(false);
}

void PracticeScreen::ReportBegun() {
    m_practiceSec = LoadPracticeTime(g, g.player.GetUserName()).PracticeSec;
    // Listening from the start: the misses for a retry, a drill's targets as they go.
    StopListening();
    g.play.Add(&m_missed);
    m_tally.reset();
    if (!m_retry && m_source.kind == PracticeSource::Kind::Drill && m_picker) {
        m_tally = std::make_unique<DrillTally>(m_plan.targets);
        g.play.Add(m_tally.get());
    }
    QString recorded = genreKey;
    if (m_retry)
        recorded = m_retryGenre;
    else if (m_source.kind == PracticeSource::Kind::Set && m_picker)
        recorded = m_source.RecordGenre();
    // The listeners' 0 means no limit.
    g.play.GameBegun(GameMode::Practice, recorded, -1, 0, m_practiceSec == kNoLimit ? 0 : m_practiceSec);
}

void PracticeScreen::OnGo() {
    retryButton->setEnabled(true);
    StartTick = g.clock.GetTickCount();
    if (m_practiceSec == kNoLimit) return;  // plays until back or retry
    // The remaining time comes from the tick counter on every tick, so a late tick never
    // shows a wrong time.
    m_clock->Start(StartTick, PlayClock::Direction::Down, qint32(m_practiceSec) * 1000);
}

bool PracticeScreen::BeforeKey() {
    // A key that arrives after the limit belongs to no game.
    if (m_clock->Running() && !m_clock->Tick()) {
        TimeUp();
        return false;
    }
    return true;
}

void PracticeScreen::StopCountdown() {
    StartTick = -1;
    m_clock->Stop();
}

void PracticeScreen::TimeUp() {
    m_clock->Stop();
    m_clock->ShowMs(0);
    ShowVerdict(kGreen, kFinishText, true);
}

void PracticeScreen::OnFinished() {
    PracticeTraining t;
    t.missed = m_missed.Missed();
    t.judgeGenre = genreKey;
    t.recordGenre = m_missed.Genre();
    if (m_tally) {
        t.drillBefore = m_plan.targets;
        t.drillNow = m_tally->InThisDrill();
    }
    StopListening();
    if (auto* result = qobject_cast<PracticeResultScreen*>(LeaveTo(Screen::ResultPractice)))
        result->ShowTraining(t);
}

void PracticeScreen::Back() {
    StopCountdown();
    LeaveTo(BackScreen());
}

void PracticeScreen::ShowSettingsDialog() {
    ctx.nav.ShowModal(new PracticeSettingsDialog(ctx, this));
}

void PracticeScreen::OnClosedByPlayer() {
    StopCountdown();
    ShowBackTarget();
}

}  // namespace kd
