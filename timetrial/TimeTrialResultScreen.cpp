#include "timetrial/TimeTrialResultScreen.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/FileSystem.h"
#include "common/Format.h"
#include "common/GameState.h"
#include "common/PlayerFiles.h"
#include "common/RecordFile.h"
#include "common/ResultRules.h"
#include "learning/GhostRun.h"
#include "learning/KanaInput.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/CenterOnScreen.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/SpokenParts.h"
#include "platform/widgets/Timer.h"
#include "questions/Genre.h"
#include "questions/StringTable.h"
#include "timetrial/SplitsWindow.h"
#include "timetrial/TryAgain.h"

namespace kd {

namespace {

const QColor kInk(16, 16, 64);  // the figures on the result cards

QString RankingPath(const GameState& g) {
    return TimeTrialRankingPath(g);
}

void SetGreyWhenDisabled(QWidget* w) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(160, 160, 160));
    w->setPalette(pal);
}

// Red while enabled, greyed while disabled.
void SetRedWhenEnabled(QWidget* w) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, kRed);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, kRed);
    w->setPalette(pal);
    SetGreyWhenDisabled(w);
}

}  // namespace

TimeTrialResultScreen::TimeTrialResultScreen(AppContext& ctx) : ScreenBase(ctx, Screen::ResultTimeTrial) {
    SetClientSize(408, 335);
    CenterOnScreen(this);

    auto* resultPanel = new QLabel(this);
    resultPanel->setObjectName(QStringLiteral("resultPanel"));
    resultPanel->setGeometry(3, 3, 400, 253);
    SetNamedPicture(resultPanel, QStringLiteral("RESULTPANEL"));

    totalKeysText =
        StatLabel(resultPanel, QStringLiteral("totalKeysText"), QStringLiteral("totalKeysShadow"), 9, 6, 178);
    correctCountText = StatLabel(resultPanel, QStringLiteral("correctCountText"),
                                 QStringLiteral("correctCountShadow"), 9, 57, 178);
    missCountText = StatLabel(resultPanel, QStringLiteral("missCountText"), QStringLiteral("missCountShadow"),
                              9, 108, 178);
    correctRateText = StatLabel(resultPanel, QStringLiteral("correctRateText"),
                                QStringLiteral("correctRateShadow"), 9, 159, 178);
    timeText = StatLabel(resultPanel, QStringLiteral("timeText"), QStringLiteral("timeShadow"), 213, 6, 175);
    typesPerSecText = StatLabel(resultPanel, QStringLiteral("typesPerSecText"),
                                QStringLiteral("typesPerSecShadow"), 213, 57, 175);
    scoreText =
        StatLabel(resultPanel, QStringLiteral("scoreText"), QStringLiteral("scoreShadow"), 213, 108, 175);
    gradeText =
        StatLabel(resultPanel, QStringLiteral("gradeText"), QStringLiteral("gradeShadow"), 213, 159, 175);
    m_panel = resultPanel;
    placeText =
        StatLabel(resultPanel, QStringLiteral("placeText"), QStringLiteral("placeShadow"), 213, 204, 175);
    SetForeColor(placeText, kRed);

    madeRankingText =
        MakeLabel(this, QStringLiteral("madeRankingText"),
                  QCoreApplication::translate("TimeTrialResultScreen", "ランクイン！"), 63, 264);
    SetPixelFont(madeRankingText, 16, true);
    madeRankingText->adjustSize();
    SetRedWhenEnabled(madeRankingText);
    namePrompt =
        MakeLabel(this, QStringLiteral("namePrompt"),
                  QCoreApplication::translate("TimeTrialResultScreen", "名前を入力してください。"), 18, 285);
    SetPixelFont(namePrompt, 13);
    namePrompt->adjustSize();
    SetGreyWhenDisabled(namePrompt);
    nameEdit = new QLineEdit(this);
    nameEdit->setObjectName(QStringLiteral("nameEdit"));
    nameEdit->setGeometry(18, 306, 169, 22);
    okButton = MakeButton(this, QStringLiteral("okButton"), QStringLiteral("OK"), 309, 294, 82, 34);
    madeRankingText->setEnabled(false);
    namePrompt->setEnabled(false);
    nameEdit->setEnabled(false);

    blinkTimer = new Timer(this, QStringLiteral("blinkTimer"), 300,
                           [this] { madeRankingText->setVisible(!madeRankingText->isVisible()); });

    connect(nameEdit, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (CheckRankName(t) == RankNameCheck::Ok) m_acceptedName = t;
    });
    connect(nameEdit, &QLineEdit::textEdited, this, [this](const QString& t) { CheckNameEdit(t); });
    connect(nameEdit, &QLineEdit::returnPressed, this, [this] { ConfirmResult(); });
    okButton->setAutoDefault(true);  // Enter on the focused button confirms, as in a dialog
    connect(okButton, &QPushButton::clicked, this, [this] { ConfirmResult(); });
}

QLabel* TimeTrialResultScreen::StatLabel(QWidget* panel, const QString& name, const QString& shadowName,
                                         int x, int y, int w) {
    QLabel* shadow = MakeLabel(panel, shadowName, QString(), x + 6, y + 6, w, 31);
    SetBackColor(shadow, kDarkGrey);
    MarkDecorative(shadow);
    QLabel* l = MakeLabel(panel, name, QString(), x, y, w, 31);
    SetBackColor(l, kPaper);
    SetForeColor(l, kInk);
    SetPixelFont(l, 16, true);
    l->setIndent(8);
    return l;
}

void TimeTrialResultScreen::IgnoreGoalBurst(ulong goalKeyTime) {
    if (goalKeyTime == 0) return;  // a window system without key times
    if (!m_burstEnd) qApp->installEventFilter(this);
    m_burstEnd = goalKeyTime + kGoalBurstMs;
}

bool TimeTrialResultScreen::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (!m_burstEnd || !watched->isWidgetType() ||
        (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride))
        return false;
    if (static_cast<QWidget*>(watched)->window() != this) return false;
    // Signed, so a window-system clock that wrapped past zero still compares right.
    const auto early = qint32(quint32(static_cast<QKeyEvent*>(event)->timestamp()) - quint32(*m_burstEnd));
    return early < 0;
}

void TimeTrialResultScreen::OnClose() {
    if (m_burstEnd) qApp->removeEventFilter(this);
    m_burstEnd.reset();
}

void TimeTrialResultScreen::OnLoad() {
    MakePlayerDataFolder(g);
    g.player.TimeTrialRanking = -1;
    RankData = TimeTrialTable();
    nameEdit->setEnabled(false);
    SetCaption(AppTitle() + QCoreApplication::translate("TimeTrialResultScreen", "　―　結果　―"));

    const qint32 t = g.player.GetTimeTrialTime();
    const TimeTrialOutcome r =
        BuildTimeTrialResult(t, g.judge.GetCorrectCount(), g.judge.GetMissCount(), g.questions.GetGenre());
    ShowStatistics(r);
    m_entry = r.entry;

    // A kana run is ranked among kana runs in the learning record, never in the ranking file;
    // without a record to keep it there it is not ranked at all.
    m_kana = g.judge.Method() == InputMethod::Kana;
    const bool rankable = !m_kana || KanaRankingWritable(g);
    RankData = m_kana ? LoadKanaRanking(g) : LoadTimeTrialData(RankingPath(g));

    // Without a time there is no run to rank; a 0 would also read back as an empty place.
    const int place = t > 0 && rankable ? FindTimeTrialPlace(RankData, t) : -1;
    g.play.TimeTrialSettled(t, m_entry.RankGrade, m_entry.RankScore, place < 0 ? 0 : place + 1);
    if (place < 0) {
        okButton->setFocus();
        return;
    }
    nameEdit->setEnabled(true);
    nameEdit->setText(FitRankName(g.player.GetUserName()));
    nameEdit->selectAll();
    nameEdit->setFocus();
    InsertTimeTrialEntry(RankData, place, m_entry);
    g.player.TimeTrialRanking = place;
    placeText->setText(QCoreApplication::translate("TimeTrialResultScreen", "%1位").arg(place + 1));
    madeRankingText->setEnabled(true);
    namePrompt->setEnabled(true);
    blinkTimer->Start();
}

void TimeTrialResultScreen::ShowStatistics(const TimeTrialOutcome& r) {
    totalKeysText->setText(QCoreApplication::translate("TimeTrialResultScreen", "全打数：%1").arg(r.allKeys));
    correctCountText->setText(
        QCoreApplication::translate("TimeTrialResultScreen", "正打数：%1").arg(r.correct));
    missCountText->setText(QCoreApplication::translate("TimeTrialResultScreen", "誤打数：%1").arg(r.misses));
    correctRateText->setText(QCoreApplication::translate("TimeTrialResultScreen", "正答率：") +
                             r.correctRate);
    timeText->setText(FormatTimeTrialTime(r.ms));
    typesPerSecText->setText(QCoreApplication::translate("TimeTrialResultScreen", "Types/Sec：") +
                             FixedText(r.keysPerSec, 2));
    scoreText->setText(QCoreApplication::translate("TimeTrialResultScreen", "スコア：%1").arg(r.score));
    gradeText->setText(QCoreApplication::translate("TimeTrialResultScreen", "ランク：") + r.grade);
}

void TimeTrialResultScreen::CheckNameEdit(const QString& text) {
    const RankNameCheck check = CheckRankName(text);
    if (check == RankNameCheck::Ok) return;
    // Refuse the edit as a whole and say why; the name stays as it was.
    const int cursor = nameEdit->cursorPosition() - int(text.size() - m_acceptedName.size());
    nameEdit->setText(m_acceptedName);
    nameEdit->setCursorPosition(qBound(0, cursor, int(m_acceptedName.size())));
    const QString why =
        check == RankNameCheck::TooLong
            ? QCoreApplication::translate(
                  "TimeTrialResultScreen",
                  "名前が長すぎます。\n名前は半角%1文字（全角%2文字）まで入力できます。")
                  .arg(kMaxRankNameBytes)
                  .arg(kMaxRankNameBytes / 2)
            : QCoreApplication::translate("TimeTrialResultScreen", "「%1」は名前に使えない文字です。")
                  .arg(FirstUnencodableChar(text));
    ctx.msg.Show(this, AppTitle(), why, MsgButtons::OK);
}

void TimeTrialResultScreen::ConfirmResult() {
    if (m_done) return;
    const int place = g.player.TimeTrialRanking;
    if (nameEdit->isEnabled() && place >= 0 && place < kTimeTrialPlaces) {
        RankData[place].RankName = nameEdit->text();
        if (m_runGenre) RankData[place].RankGenre = GenreLabel(*m_runGenre);
        blinkTimer->Stop();
        if (m_kana ? SaveKanaRanking(g, RankData) : SaveTimeTrialData(RankingPath(g), RankData)) {
            m_done = true;
            ctx.nav.Replace(this, Screen::RankingTimeTrial);
            return;
        }
        // Saying so beats opening a ranking that silently lacks the new entry.
        g.player.TimeTrialRanking = -1;
        ctx.msg.Show(this, AppTitle(),
                     SaveFailureMessage(QCoreApplication::translate("TimeTrialResultScreen",
                                                                    "ランキングを保存できませんでした")) +
                         QCoreApplication::translate("TimeTrialResultScreen", "\nこの記録は登録されません。"),
                     MsgButtons::OK);
    }
    AskTryAgain();
}

void TimeTrialResultScreen::AskTryAgain() {
    m_done = true;
    AskToTryTimeTrialAgain(this);
}

bool TimeTrialResultScreen::MayClose(CloseReason reason) {
    if (reason == CloseReason::Player) ConfirmResult();
    return true;
}

}  // namespace kd

namespace kd {

void TimeTrialResultScreen::ShowBestComparison(const PlayedGame& run, const std::optional<PlayedGame>& best) {
    m_run = run;
    m_best = best;
    if (!bestGapText) {
        // The free place under the left column, styled like its neighbours.
        bestGapText =
            StatLabel(m_panel, QStringLiteral("bestGapText"), QStringLiteral("bestGapShadow"), 9, 204, 178);
        bestGapText->show();
        m_panel->findChild<QLabel*>(QStringLiteral("bestGapShadow"))->show();
    }
    if (!best) {
        bestGapText->setText(QCoreApplication::translate("TimeTrialResultScreen", "ベスト比：初の記録"));
        return;
    }
    const qint64 gap = run.EndMs() - best->EndMs();
    bestGapText->setText(GapLine(gap));
    const GapSide side = SideOfGap(gap);
    SetForeColor(bestGapText, side == GapSide::Ahead    ? kAheadText
                              : side == GapSide::Behind ? kBehindText
                                                        : kInk);
    if (!splitsHint) {
        splitsHint =
            MakeLabel(this, QStringLiteral("splitsHint"),
                      QCoreApplication::translate("TimeTrialResultScreen", "F3：問題ごとの比較"), 230, 262);
        SetPixelFont(splitsHint, 12);
        splitsHint->adjustSize();
        splitsHint->show();
    }
}

QWidget* TimeTrialResultScreen::OpenSplits() {
    if (!m_best) return nullptr;
    auto* w = new SplitsWindow(this, ComputeSplits(m_run, *m_best), m_run.EndMs() - m_best->EndMs());
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
    return w;
}

void TimeTrialResultScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F3 && m_best) {
        OpenSplits();
        return;
    }
    ScreenBase::keyPressEvent(event);
}

}  // namespace kd
