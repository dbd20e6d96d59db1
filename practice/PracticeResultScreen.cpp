#include "practice/PracticeResultScreen.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include "common/Format.h"
#include "common/GameState.h"
#include "common/PracticeRecords.h"
#include "common/RecordFile.h"
#include "common/ResultRules.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "questions/StringTable.h"

namespace kd {

QDate (*PracticeResultScreen::CurrentDate)() = &QDate::currentDate;

namespace {

const QColor kNewest = kRed;
const QColor kOlder = kGrey;

// A title with its grey shadow copy two pixels right and below.
void Title(QWidget* parent, QLabel*& front, QLabel*& shadow, const QString& frontName,
           const QString& shadowName, const QString& caption, int x, int y) {
    shadow = MakeLabel(parent, shadowName, caption, x + 2, y + 2);
    front = MakeLabel(parent, frontName, caption, x, y);
    for (QLabel* l : {shadow, front}) {
        SetPixelFont(l, 20, true);
        l->adjustSize();
    }
    SetForeColor(front, kWhite);
    SetForeColor(shadow, QColor(96, 96, 96));
}

void Card(QWidget* parent, const QString& name, const QRect& r) {
    auto* card = new QWidget(parent);
    card->setObjectName(name);
    card->setGeometry(r);
    SetBackColor(card, QColor(255, 255, 255, 215));
}

QString Index(const char* name, int i) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

}  // namespace

PracticeResultScreen::PracticeResultScreen(AppContext& ctx_) : ScreenBase(ctx_, Screen::ResultPractice) {
    BuildControls();
}

void PracticeResultScreen::BuildControls() {
    SetClientSize(561, 419);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // Light cards behind the text keep the red and grey rows readable on the dark picture.
    Card(this, QStringLiteral("shpResult"), QRect(32, 42, 340, 136));
    Card(this, QStringLiteral("shpHistory"), QRect(28, 212, 484, 188));

    Title(this, lblTitle[2], lblTitle[3], Index("lblTitle", 2), Index("lblTitle", 3),
          QStringLiteral("練習結果"), 24, 10);
    QLabel** lines[] = {&lblAllType,      &lblCorrectCount, &lblMissCount, &lblCorrectRate,
                        &lblPracticeTime, &lblTypesPerSec,  &lblGenre};
    const char* names[] = {"lblAllType",      "lblCorrectCount", "lblMissCount", "lblCorrectRate",
                           "lblPracticeTime", "lblTypesPerSec",  "lblGenre"};
    for (int i = 0; i < 7; ++i) {
        *lines[i] = MakeLabel(this, QLatin1String(names[i]), QString(), 48, 47 + i * 18, 300, 18);
        SetPixelFont(*lines[i], 14);
        SetForeColor(*lines[i], Qt::black);
    }

    cmdOK = MakeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), 430, 150);
    SetDefaultButtons(cmdOK);
    cmdOK->setAutoDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    // The training aids' lines, in the free room beside the figures.
    lblRetryHint =
        MakeLabel(this, QStringLiteral("lblRetryHint"), MissedQuestions::RetryHint(), 300, 14, 254, 20);
    lblDrillResult = MakeLabel(this, QStringLiteral("lblDrillResult"), QString(), 380, 42, 175, 96);
    SetPixelFont(lblRetryHint, 12);
    SetPixelFont(lblDrillResult, 12, true);
    lblRetryHint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblDrillResult->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDrillResult->setWordWrap(true);
    lblRetryHint->setStyleSheet(QStringLiteral(
        "color: rgba(255,255,255,230); background: rgba(0,0,0,120); border-radius: 3px; padding: 0px 4px;"));
    lblDrillResult->setStyleSheet(
        QStringLiteral("color: black; background: rgba(255,255,255,215); padding: 3px;"));
    lblDrillResult->hide();

    Title(this, lblTitle[0], lblTitle[1], Index("lblTitle", 0), Index("lblTitle", 1),
          QStringLiteral("練習履歴"), 24, 180);
    struct Column {
        const char* name;
        const char* head;
        int x, w;
        QLabel** cells;
    } columns[] = {
        {"lblHistDate", "日付", 40, 96, lblHistDate},
        {"lblHistCRate", "正答率", 140, 72, lblHistCRate},
        {"lblHistTPS", "Types/Sec.", 216, 80, lblHistTPS},
        {"lblHistPTime", "練習時間", 300, 96, lblHistPTime},
        {"lblHistGenre", "ジャンル", 400, 100, lblHistGenre},
    };
    for (const Column& c : columns) {
        QLabel* head = MakeLabel(this, QStringLiteral("lblHistHead_") + QLatin1String(c.name),
                                 QString::fromUtf8(c.head), c.x, 216, c.w, 18);
        SetPixelFont(head, 12, true);
        SetForeColor(head, Qt::black);
        for (int i = 0; i < 10; ++i) {
            c.cells[i] = MakeLabel(this, Index(c.name, i), QString(), c.x, 236 + i * 16, c.w, 16);
            SetPixelFont(c.cells[i], 13, i == 0);
            SetForeColor(c.cells[i], i == 0 ? kNewest : kOlder);
        }
    }
}

void PracticeResultScreen::OnLoad() {
    SetCaption(AppTitle() + QStringLiteral("　―　結果　―"));
    SetBackgroundPicture(Bitmap(QStringLiteral("BACK")));

    const PracticeOutcome r = BuildPracticeResult(g.judge.GetCorrectCount(), g.judge.GetMissCount(),
                                                  LoadPracticeTime(g, g.player.GetUserName()).PracticeSec,
                                                  g.questions.GetGenre(), CurrentDate());
    lblAllType->setText(QStringLiteral("全打数：%1").arg(r.allKeys));
    lblCorrectCount->setText(QStringLiteral("正打数：%1").arg(r.correct));
    lblMissCount->setText(QStringLiteral("誤打数：%1").arg(r.misses));
    lblCorrectRate->setText(QStringLiteral("正答率：") + r.correctRate);
    lblPracticeTime->setText(QStringLiteral("練習時間：") +
                             (r.practiceSec ? MinutesSecondsText(*r.practiceSec) : QStringLiteral("無制限")));
    lblTypesPerSec->setText(
        QStringLiteral("Types/Sec.：") +
        (r.keysPerSec ? FormatNumber(*r.keysPerSec, QStringLiteral("###0.00")) : QStringLiteral("----")));
    lblGenre->setText(QStringLiteral("ジャンル：") + g.questions.GetGenre());

    const QString path = PracticeTimePath(g, g.player.GetUserName());
    QList<PracticeHistoryData> table = LoadPracticeHistory(path, kPracticeHistoryRows - 1);
    table.prepend(r.entry);
    for (int i = 0; i < kPracticeHistoryRows; ++i) {
        const PracticeHistoryData& e = table.at(i);
        lblHistDate[i]->setText(e.HistDate.value_or(QString()));
        lblHistCRate[i]->setText(e.CRate.value_or(QString()));
        lblHistTPS[i]->setText(ShortestSingle(e.TPS));
        lblHistPTime[i]->setText(e.PTime.value_or(QString()));
        lblHistGenre[i]->setText(e.Genre);
    }

    if (!PushPracticeHistory(path, r.entry))
        ctx.msg.Show(this, AppTitle(), SaveFailureMessage(QStringLiteral("練習履歴を保存できませんでした")),
                     MsgButtons::OK);
}

void PracticeResultScreen::ShowTraining(const PracticeTraining& training) {
    m_training = training;
    const QStringList lines = BeforeAfterLines(training.drillBefore, training.drillNow);
    lblDrillResult->setText(QStringLiteral("苦手のミス率（前 → 今回）\n") + lines.join(u'\n'));
    lblDrillResult->resize(lblDrillResult->width(), lblDrillResult->heightForWidth(lblDrillResult->width()));
    lblDrillResult->setVisible(!lines.isEmpty());
}

void PracticeResultScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_R && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        RetryMisses();
        return;
    }
    ScreenBase::keyPressEvent(event);
}

void PracticeResultScreen::RetryMisses() {
    if (IsClosing()) return;
    if (m_training.missed.isEmpty()) {
        ctx.msg.Show(this, AppTitle(), MissedQuestions::NothingMissedMessage(), MsgButtons::OK);
        return;
    }
    const PracticeTraining t = m_training;
    if (auto* practice = qobject_cast<PracticeScreen*>(ctx.nav.Replace(this, Screen::Practice)))
        practice->PlayOnly(t.missed, t.judgeGenre, t.recordGenre);
}

void PracticeResultScreen::cmdOK_Click() {
    GoBack();
}

bool PracticeResultScreen::MayClose(CloseReason reason) {
    if (reason == CloseReason::Player) ShowBackTarget();
    return true;
}

}  // namespace kd
