#include "timetrial/TimeTrialResultScreen.h"

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
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/CenterOnScreen.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
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

    auto* Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(3, 3, 400, 253);
    SetNamedPicture(Picture1, QStringLiteral("RESULTPANEL"));

    lblAllType = StatLabel(Picture1, QStringLiteral("lblAllType"), QStringLiteral("Label2"), 9, 6, 178);
    lblCorrectCount =
        StatLabel(Picture1, QStringLiteral("lblCorrectCount"), QStringLiteral("Label3"), 9, 57, 178);
    lblMissCount = StatLabel(Picture1, QStringLiteral("lblMissCount"), QStringLiteral("Label4"), 9, 108, 178);
    lblCorrectRate =
        StatLabel(Picture1, QStringLiteral("lblCorrectRate"), QStringLiteral("Label5"), 9, 159, 178);
    lblTime = StatLabel(Picture1, QStringLiteral("lblTime"), QStringLiteral("Label6"), 213, 6, 175);
    lblTypesPerSec =
        StatLabel(Picture1, QStringLiteral("lblTypesPerSec"), QStringLiteral("Label7"), 213, 57, 175);
    lblScore = StatLabel(Picture1, QStringLiteral("lblScore"), QStringLiteral("Label8"), 213, 108, 175);
    lblRank = StatLabel(Picture1, QStringLiteral("lblRank"), QStringLiteral("Label9"), 213, 159, 175);
    m_panel = Picture1;
    lblJunni = StatLabel(Picture1, QStringLiteral("lblJunni"), QStringLiteral("Label1"), 213, 204, 175);
    SetForeColor(lblJunni, kRed);

    lblRankIn = MakeLabel(this, QStringLiteral("lblRankIn"), QStringLiteral("ランクイン！"), 63, 264);
    SetPixelFont(lblRankIn, 16, true);
    lblRankIn->adjustSize();
    SetRedWhenEnabled(lblRankIn);
    lblInputName =
        MakeLabel(this, QStringLiteral("lblInputName"), QStringLiteral("名前を入力してください。"), 18, 285);
    SetPixelFont(lblInputName, 13);
    lblInputName->adjustSize();
    SetGreyWhenDisabled(lblInputName);
    txtInputName = new QLineEdit(this);
    txtInputName->setObjectName(QStringLiteral("txtInputName"));
    txtInputName->setGeometry(18, 306, 169, 22);
    cmdOK = MakeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), 309, 294, 82, 34);
    lblRankIn->setEnabled(false);
    lblInputName->setEnabled(false);
    txtInputName->setEnabled(false);

    Timer1 = new Timer(this, QStringLiteral("Timer1"), 300,
                       [this] { lblRankIn->setVisible(!lblRankIn->isVisible()); });

    connect(txtInputName, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (CheckRankName(t) == RankNameCheck::Ok) m_acceptedName = t;
    });
    connect(txtInputName, &QLineEdit::textEdited, this, [this](const QString& t) { txtInputName_Edited(t); });
    connect(txtInputName, &QLineEdit::returnPressed, this, [this] { cmdOK_Click(); });
    cmdOK->setAutoDefault(true);  // Enter on the focused button confirms, as in a dialog
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

QLabel* TimeTrialResultScreen::StatLabel(QWidget* panel, const QString& name, const QString& shadowName,
                                         int x, int y, int w) {
    QLabel* shadow = MakeLabel(panel, shadowName, QString(), x + 6, y + 6, w, 31);
    SetBackColor(shadow, kDarkGrey);
    QLabel* l = MakeLabel(panel, name, QString(), x, y, w, 31);
    SetBackColor(l, kPaper);
    SetForeColor(l, kInk);
    SetPixelFont(l, 16, true);
    l->setIndent(8);
    return l;
}

void TimeTrialResultScreen::OnLoad() {
    MakePlayerDataFolder(g);
    g.player.TimeTrialRanking = -1;
    RankData = TimeTrialTable();
    txtInputName->setEnabled(false);
    SetCaption(AppTitle() + QStringLiteral("　―　結果　―"));

    const qint32 t = g.player.GetTimeTrialTime();
    const TimeTrialOutcome r =
        BuildTimeTrialResult(t, g.judge.GetCorrectCount(), g.judge.GetMissCount(), g.questions.GetGenre());
    ShowStatistics(r);
    m_entry = r.entry;

    RankData = LoadTimeTrialData(RankingPath(g));

    // Without a time there is no run to rank; a 0 would also read back as an empty place.
    const int place = t > 0 ? FindTimeTrialPlace(RankData, t) : -1;
    g.play.TimeTrialSettled(t, m_entry.RankGrade, m_entry.RankScore, place < 0 ? 0 : place + 1);
    if (place < 0) {
        cmdOK->setFocus();
        return;
    }
    txtInputName->setEnabled(true);
    txtInputName->setText(FitRankName(g.player.GetUserName()));
    txtInputName->selectAll();
    txtInputName->setFocus();
    InsertTimeTrialEntry(RankData, place, m_entry);
    g.player.TimeTrialRanking = qint16(place);
    lblJunni->setText(QString::number(place + 1) + QStringLiteral("位"));
    lblRankIn->setEnabled(true);
    lblInputName->setEnabled(true);
    Timer1->Start();
}

void TimeTrialResultScreen::ShowStatistics(const TimeTrialOutcome& r) {
    lblAllType->setText(QStringLiteral("全打数：%1").arg(r.allKeys));
    lblCorrectCount->setText(QStringLiteral("正打数：%1").arg(r.correct));
    lblMissCount->setText(QStringLiteral("誤打数：%1").arg(r.misses));
    lblCorrectRate->setText(QStringLiteral("正答率：") + r.correctRate);
    lblTime->setText(FormatTimeTrialTime(r.ms));
    lblTypesPerSec->setText(QStringLiteral("Types/Sec：") +
                            FormatNumber(r.keysPerSec, QStringLiteral("###0.00")));
    lblScore->setText(QStringLiteral("スコア：%1").arg(r.score));
    lblRank->setText(QStringLiteral("ランク：") + r.grade);
}

void TimeTrialResultScreen::txtInputName_Edited(const QString& text) {
    const RankNameCheck check = CheckRankName(text);
    if (check == RankNameCheck::Ok) return;
    // Refuse the edit as a whole and say why; the name stays as it was.
    const int cursor = txtInputName->cursorPosition() - int(text.size() - m_acceptedName.size());
    txtInputName->setText(m_acceptedName);
    txtInputName->setCursorPosition(qBound(0, cursor, int(m_acceptedName.size())));
    const QString why =
        check == RankNameCheck::TooLong
            ? QStringLiteral("名前が長すぎます。\n名前は半角%1文字（全角%2文字）まで入力できます。")
                  .arg(kMaxRankNameBytes)
                  .arg(kMaxRankNameBytes / 2)
            : QStringLiteral("「%1」は名前に使えない文字です。").arg(FirstUnencodableChar(text));
    ctx.msg.Show(this, AppTitle(), why, MsgButtons::OK);
}

void TimeTrialResultScreen::cmdOK_Click() {
    if (m_done) return;
    const int place = g.player.TimeTrialRanking;
    if (txtInputName->isEnabled() && place >= 0 && place < kTimeTrialPlaces) {
        RankData[place].RankName = txtInputName->text();
        if (m_runGenre) RankData[place].RankGenre = GenreLabel(*m_runGenre);
        Timer1->Stop();
        if (SaveTimeTrialData(RankingPath(g), RankData)) {
            m_done = true;
            ctx.nav.Replace(this, Screen::RankingTimeTrial);
            return;
        }
        // Saying so beats opening a ranking that silently lacks the new entry.
        g.player.TimeTrialRanking = -1;
        ctx.msg.Show(this, AppTitle(),
                     SaveFailureMessage(QStringLiteral("ランキングを保存できませんでした")) +
                         QStringLiteral("\nこの記録は登録されません。"),
                     MsgButtons::OK);
    }
    AskTryAgain();
}

void TimeTrialResultScreen::AskTryAgain() {
    m_done = true;
    AskToTryTimeTrialAgain(this);
}

bool TimeTrialResultScreen::MayClose(CloseReason reason) {
    if (reason == CloseReason::Player) cmdOK_Click();
    return true;
}

}  // namespace kd

namespace kd {

void TimeTrialResultScreen::ShowBestComparison(const PlayedGame& run, const std::optional<PlayedGame>& best) {
    m_run = run;
    m_best = best;
    if (!lblBestGap) {
        // The free place under the left column, styled like its neighbours.
        lblBestGap =
            StatLabel(m_panel, QStringLiteral("lblBestGap"), QStringLiteral("lblBestGapShadow"), 9, 204, 178);
        lblBestGap->show();
        m_panel->findChild<QLabel*>(QStringLiteral("lblBestGapShadow"))->show();
    }
    if (!best) {
        lblBestGap->setText(QStringLiteral("ベスト比：初の記録"));
        return;
    }
    const qint64 gap = run.EndMs() - best->EndMs();
    lblBestGap->setText(GapLine(gap));
    const GapSide side = SideOfGap(gap);
    SetForeColor(lblBestGap, side == GapSide::Ahead    ? kAheadText
                             : side == GapSide::Behind ? kBehindText
                                                       : kInk);
    if (!lblSplitsHint) {
        lblSplitsHint =
            MakeLabel(this, QStringLiteral("lblSplitsHint"), QStringLiteral("F3：問題ごとの比較"), 230, 262);
        SetPixelFont(lblSplitsHint, 12);
        lblSplitsHint->adjustSize();
        lblSplitsHint->show();
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
