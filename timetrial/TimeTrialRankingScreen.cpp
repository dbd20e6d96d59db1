#include "timetrial/TimeTrialRankingScreen.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include "common/GameState.h"
#include "common/PlayerFiles.h"
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
#include "timetrial/TryAgain.h"

namespace kd {

namespace {

struct ColumnSpec {
    const char* array;
    const char* header;
    int x, width;
};

const ColumnSpec kColumns[] = {
    {"nameCell", "Name", 6, 99},
    {"timeCell", "Time", 108, 75},
    {"correctRateCell", QT_TRANSLATE_NOOP("TimeTrialRankingScreen", "正答率"), 186, 54},
    {"scoreCell", "Score", 243, 75},
    {"gradeCell", "Rank", 321, 48},
    {"genreCell", QT_TRANSLATE_NOOP("TimeTrialRankingScreen", "ジャンル"), 372, 81},
};

QString Indexed(const char* array, int i) {
    return QLatin1String(array) + QString::number(i);
}

}  // namespace

TimeTrialRankingScreen::TimeTrialRankingScreen(AppContext& ctx) : ScreenBase(ctx, Screen::RankingTimeTrial) {
    SetClientSize(461, 396);
    CenterOnScreen(this);

    QLabel* shadow = MakeLabel(this, QStringLiteral("titleShadow"),
                               QCoreApplication::translate("TimeTrialRankingScreen", "ランキング"), 135, 15);
    QLabel* title = MakeLabel(this, QStringLiteral("titleText"),
                              QCoreApplication::translate("TimeTrialRankingScreen", "ランキング"), 129, 12);
    for (QLabel* l : {shadow, title}) {
        SetPixelFont(l, 32, true);
        l->adjustSize();
    }
    SetForeColor(shadow, kGrey);
    SetForeColor(title, kYellow);
    MarkDecorative(shadow);

    for (int c = 0; c < ColumnCount; ++c) {
        const ColumnSpec& column = kColumns[c];
        QLabel* header = MakeLabel(this, Indexed("columnHeading", c),
                                   QCoreApplication::translate("TimeTrialRankingScreen", column.header),
                                   column.x, 57, column.width, 20);
        SetForeColor(header, kGreen);
        SetPixelFont(header, 14, true);
        header->setAlignment(c == Name ? Qt::AlignLeft | Qt::AlignVCenter
                                       : Qt::AlignRight | Qt::AlignVCenter);
        for (int i = 0; i < kTimeTrialPlaces; ++i) {
            QLabel* cell =
                MakeLabel(this, Indexed(column.array, i), QString(), column.x, 81 + 27 * i, column.width, 22);
            SetBackColor(cell, QColor(212, 212, 212));
            SetPixelFont(cell, 14);
            cell->setAlignment(c == Name ? Qt::AlignLeft | Qt::AlignVCenter
                                         : Qt::AlignRight | Qt::AlignVCenter);
            m_cells[c][i] = cell;
        }
    }
    okButton = MakeButton(this, QStringLiteral("okButton"), QStringLiteral("OK"), 372, 354, 82, 34);
    okButton->setAutoDefault(true);  // Enter on the focused button confirms, as in a dialog
    connect(okButton, &QPushButton::clicked, this, [this] { AskTryAgain(); });
    blinkTimer = new Timer(this, QStringLiteral("blinkTimer"), 200, [this] { BlinkNewName(); });
}

void TimeTrialRankingScreen::OnLoad() {
    SetCaption(QStringLiteral("Ranking"));
    SetBackgroundPicture(Bitmap(QStringLiteral("BACK")));
    const bool kana = PlayerInputMethod(g) == InputMethod::Kana;
    const TimeTrialTable data = kana ? LoadKanaRanking(g) : LoadTimeTrialData(TimeTrialRankingPath(g));
    if (kana) {
        // Kana runs have their own ranking; say which one this is.
        QLabel* mark = MakeLabel(this, QStringLiteral("kanaInputMark"),
                                 QCoreApplication::translate("TimeTrialRankingScreen", "かな入力"), 330, 24);
        SetPixelFont(mark, 16, true);
        SetForeColor(mark, kYellow);
        mark->adjustSize();
        mark->setAccessibleName(QCoreApplication::translate("TimeTrialRankingScreen", "入力方式"));
    }
    for (int i = 0; i < kTimeTrialPlaces; ++i) {
        const TimeTrialRecord& r = data[i];
        if (r.IsEmpty()) continue;
        m_cells[Name][i]->setText(r.RankName);
        m_cells[Time][i]->setText(FormatTimeTrialTime(r.RankTime));
        m_cells[Rate][i]->setText(r.RankRate);
        m_cells[Score][i]->setText(QString::number(r.RankScore));
        m_cells[Rank][i]->setText(r.RankGrade);
        m_cells[Genre][i]->setText(GenreDisplayName(r.RankGenre));
    }
    const int row = g.player.TimeTrialRanking;
    if (row >= 0 && row < kTimeTrialPlaces) {
        for (int c = 0; c < ColumnCount; ++c) SetForeColor(m_cells[c][row], kRed);
        m_blinking = m_cells[Name][row];
        m_blinkingName = data[row].RankName;
        blinkTimer->Start();
    }
    okButton->setFocus();
}

void TimeTrialRankingScreen::BlinkNewName() {
    if (!m_blinking) return;
    if (!m_blinking->text().isEmpty())
        m_blinking->setText(QString());
    else
        m_blinking->setText(m_blinkingName);
}

void TimeTrialRankingScreen::AskTryAgain() {
    if (m_done) return;
    m_done = true;
    blinkTimer->Stop();
    if (m_blinking) m_blinking->setText(m_blinkingName);
    AskToTryTimeTrialAgain(this);
}

bool TimeTrialRankingScreen::MayClose(CloseReason reason) {
    if (reason == CloseReason::Player) AskTryAgain();
    return true;
}

}  // namespace kd
