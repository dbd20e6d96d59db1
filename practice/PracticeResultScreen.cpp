#include "practice/PracticeResultScreen.h"

#include <QCoreApplication>
#include <QDate>
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
#include "platform/widgets/SpokenParts.h"
#include "questions/Genre.h"
#include "questions/StringTable.h"

namespace kd {

QDate (*PracticeResultScreen::CurrentDate)() = &QDate::currentDate;

namespace {

const QColor kNewest = kRed;
const QColor kOlder = kGrey;

// A stored history date ("2024/05/01") in the interface language's way of writing dates.
QString ShownDate(const QString& stored) {
    const QDate date = QDate::fromString(stored, QStringLiteral("yyyy/MM/dd"));
    return date.isValid() ? date.toString(QCoreApplication::translate("PracticeResultScreen", "yyyy/MM/dd"))
                          : stored;
}

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
    MarkDecorative(shadow);
}

void Card(QWidget* parent, const QString& name, const QRect& r) {
    auto* card = new QWidget(parent);
    card->setObjectName(name);
    card->setGeometry(r);
    SetBackColor(card, QColor(255, 255, 255, 215));
}

QString Index(const char* name, int i) {
    return QLatin1String(name) + QString::number(i);
}

}  // namespace

PracticeResultScreen::PracticeResultScreen(AppContext& ctx_) : ScreenBase(ctx_, Screen::ResultPractice) {
    BuildControls();
}

// Long by choice: the result and history panels laid out in reading order.
void PracticeResultScreen::BuildControls() {
    SetClientSize(561, 419);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // Light cards behind the text keep the red and grey rows readable on the dark picture.
    Card(this, QStringLiteral("resultCard"), QRect(32, 42, 340, 136));
    Card(this, QStringLiteral("historyCard"), QRect(28, 212, 484, 188));

    Title(this, headingTexts[2], headingTexts[3], Index("headingText", 2), Index("headingText", 3),
          QCoreApplication::translate("PracticeResultScreen", "練習結果"), 24, 10);
    QLabel** lines[] = {&totalKeysText,    &correctCountText, &missCountText, &correctRateText,
                        &practiceTimeText, &typesPerSecText,  &genreText};
    const char* names[] = {"totalKeysText",    "correctCountText", "missCountText", "correctRateText",
                           "practiceTimeText", "typesPerSecText",  "genreText"};
    for (int i = 0; i < 7; ++i) {
        *lines[i] = MakeLabel(this, QLatin1String(names[i]), QString(), 48, 47 + i * 18, 300, 18);
        SetPixelFont(*lines[i], 14);
        SetForeColor(*lines[i], Qt::black);
    }

    okButton = MakeButton(this, QStringLiteral("okButton"), QStringLiteral("OK"), 430, 150);
    SetDefaultButtons(okButton);
    okButton->setAutoDefault(true);
    connect(okButton, &QPushButton::clicked, this, [this] { BackToPractice(); });

    // The training aids' lines, in the free room beside the figures.
    retryHint = MakeLabel(this, QStringLiteral("retryHint"), MissedQuestions::RetryHint(), 300, 14, 254, 20);
    drillResultText = MakeLabel(this, QStringLiteral("drillResultText"), QString(), 380, 42, 175, 96);
    SetPixelFont(retryHint, 12);
    SetPixelFont(drillResultText, 12, true);
    retryHint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    drillResultText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    drillResultText->setWordWrap(true);
    retryHint->setStyleSheet(QStringLiteral(
        "color: rgba(255,255,255,230); background: rgba(0,0,0,120); border-radius: 3px; padding: 0px 4px;"));
    drillResultText->setStyleSheet(
        QStringLiteral("color: black; background: rgba(255,255,255,215); padding: 3px;"));
    drillResultText->hide();

    Title(this, headingTexts[0], headingTexts[1], Index("headingText", 0), Index("headingText", 1),
          QCoreApplication::translate("PracticeResultScreen", "練習履歴"), 24, 180);
    struct Column {
        const char* name;
        const char* head;
        int x, w;
        QLabel** cells;
    } columns[] = {
        {"historyDate", QT_TRANSLATE_NOOP("PracticeResultScreen", "日付"), 40, 96, historyDates},
        {"historyCorrectRate", QT_TRANSLATE_NOOP("PracticeResultScreen", "正答率"), 140, 72,
         historyCorrectRates},
        {"historyTypesPerSec", "Types/Sec.", 216, 80, historyTypesPerSec},
        {"historyPracticeTime", QT_TRANSLATE_NOOP("PracticeResultScreen", "練習時間"), 300, 96,
         historyPracticeTimes},
        {"historyGenre", QT_TRANSLATE_NOOP("PracticeResultScreen", "ジャンル"), 400, 100, historyGenres},
    };
    for (const Column& c : columns) {
        QLabel* head =
            MakeLabel(this, QLatin1String(c.name) + QStringLiteral("Heading"),
                      QCoreApplication::translate("PracticeResultScreen", c.head), c.x, 216, c.w, 18);
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
    SetCaption(AppTitle() + QCoreApplication::translate("PracticeResultScreen", "　―　結果　―"));
    SetBackgroundPicture(Bitmap(QStringLiteral("BACK")));

    const PracticeOutcome r = BuildPracticeResult(g.judge.GetCorrectCount(), g.judge.GetMissCount(),
                                                  LoadPracticeTime(g, g.player.GetUserName()).PracticeSec,
                                                  g.questions.GetGenre(), CurrentDate());
    totalKeysText->setText(QCoreApplication::translate("PracticeResultScreen", "全打数：%1").arg(r.allKeys));
    correctCountText->setText(
        QCoreApplication::translate("PracticeResultScreen", "正打数：%1").arg(r.correct));
    missCountText->setText(QCoreApplication::translate("PracticeResultScreen", "誤打数：%1").arg(r.misses));
    correctRateText->setText(QCoreApplication::translate("PracticeResultScreen", "正答率：") + r.correctRate);
    practiceTimeText->setText(QCoreApplication::translate("PracticeResultScreen", "練習時間：") +
                              (r.practiceSec
                                   ? ShownMinutesSeconds(MinutesSecondsText(*r.practiceSec))
                                   : QCoreApplication::translate("PracticeResultScreen", "無制限")));
    typesPerSecText->setText(QCoreApplication::translate("PracticeResultScreen", "Types/Sec.：") +
                             (r.keysPerSec ? FixedText(*r.keysPerSec, 2) : QStringLiteral("----")));
    genreText->setText(QCoreApplication::translate("PracticeResultScreen", "ジャンル：") +
                       GenreDisplayName(g.questions.GetGenre()));

    const QString path = PracticeTimePath(g, g.player.GetUserName());
    QList<PracticeHistoryData> table = LoadPracticeHistory(path, kPracticeHistoryRows - 1);
    table.prepend(r.entry);
    for (int i = 0; i < kPracticeHistoryRows; ++i) {
        const PracticeHistoryData& e = table.at(i);
        historyDates[i]->setText(ShownDate(e.HistDate.value_or(QString())));
        historyCorrectRates[i]->setText(e.CRate.value_or(QString()));
        historyTypesPerSec[i]->setText(ShortestSingle(e.TPS));
        historyPracticeTimes[i]->setText(ShownMinutesSeconds(e.PTime.value_or(QString())));
        historyGenres[i]->setText(GenreDisplayName(e.Genre));
    }

    if (!PushPracticeHistory(path, r.entry))
        ctx.msg.Show(this, AppTitle(),
                     SaveFailureMessage(QCoreApplication::translate("PracticeResultScreen",
                                                                    "練習履歴を保存できませんでした")),
                     MsgButtons::OK);
}

void PracticeResultScreen::ShowTraining(const PracticeTraining& training) {
    m_training = training;
    const QStringList lines = BeforeAfterLines(training.drillBefore, training.drillNow);
    drillResultText->setText(
        QCoreApplication::translate("PracticeResultScreen", "苦手のミス率（前 → 今回）\n") +
        lines.join(u'\n'));
    drillResultText->resize(drillResultText->width(),
                            drillResultText->heightForWidth(drillResultText->width()));
    drillResultText->setVisible(!lines.isEmpty());
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

void PracticeResultScreen::BackToPractice() {
    GoBack();
}

bool PracticeResultScreen::MayClose(CloseReason reason) {
    if (reason == CloseReason::Player) ShowBackTarget();
    return true;
}

}  // namespace kd
