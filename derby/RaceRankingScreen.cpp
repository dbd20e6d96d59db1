#include "derby/RaceRankingScreen.h"

#include <QCoreApplication>

#include "common/GameState.h"
#include "common/Roster.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/SpokenParts.h"

namespace kd {

namespace {
constexpr std::array<int, 4> kRankY = {24, 90, 156, 219};
constexpr std::array<int, 4> kLineY = {63, 129, 195, 258};
}  // namespace

RaceRankingScreen::RaceRankingScreen(AppContext& ctx_) : ScreenBase(ctx_, Screen::RankingKeyDerby) {
    SetCaption(QCoreApplication::translate("RaceRankingScreen", "ランキング"));
    SetClientSize(404, 393);
    SetBackgroundColor(kSkyBlue);

    auto* shadow = MakeLabel(this, QStringLiteral("placeShadow"), QString(), 18, 12, 118, 49);
    SetBackColor(shadow, kGrey);
    MarkDecorative(shadow);
    placeText = MakeLabel(this, QStringLiteral("placeText"), QString(), 12, 6, 118, 49);
    placeText->setAlignment(Qt::AlignCenter);
    SetPixelFont(placeText, 32, true);
    SetForeColor(placeText, kRed);
    SetBackColor(placeText, kBlue);

    verdictText = MakeLabel(this, QStringLiteral("verdictText"), QString(), 141, 30, 253, 22);
    verdictText->setAlignment(Qt::AlignCenter);
    SetPixelFont(verdictText, 14, true);
    SetBackColor(verdictText, QColor(255, 192, 192));

    rankingBoard = new DrawingArea(this, QStringLiteral("rankingBoard"), 9, 66, 382, 283);
    SetSpokenParts(rankingBoard, {});  // who came where, once drawn
    for (int i = 0; i < 4; ++i) {
        rankNumbers[i] = MakeLabel(rankingBoard, QStringLiteral("rankNumber%1").arg(i),
                                   QStringLiteral("%1.").arg(i + 1), 21, kRankY[i]);
        SetPixelFont(rankNumbers[i], 20, true);
        rankNumbers[i]->adjustSize();
        SetForeColor(rankNumbers[i], kGrey);
    }

    okButton = MakeButton(this, QStringLiteral("okButton"), QStringLiteral("OK"), 312, 354, 82, 31);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, [this] { ShowNextHeat(); });
}

void RaceRankingScreen::OnLoad() {
    Place = g.derby.Place();
    if (Place > 0) {
        SetForeColor(rankNumbers[Place - 1], kRed);
        placeText->setText(QCoreApplication::translate("RaceRankingScreen", "%1位").arg(Place));
    }
    rankingBoard->SetBackground(Bitmap(QStringLiteral("KEYDERBYBACK")));
    const bool advanced = Place == 1 || Place == 2;
    verdictText->setText(
        advanced ? QCoreApplication::translate("RaceRankingScreen", "おめでとう！！次のステージへ!!")
                 : QCoreApplication::translate("RaceRankingScreen", "残念!!もう一度挑戦！！"));
    SetForeColor(verdictText, advanced ? kRed : kBlue);
    for (int i = 0; i < 4; ++i) characterPictures[i] = CharaBitmap(g.derby.FinishOrder()[i]);
    Redraw();
    okButton->setFocus();
}

void RaceRankingScreen::Redraw() {
    rankingBoard->ClearToBackground();
    for (int i = 0; i < 4; ++i)
        rankingBoard->DrawLine(21, kLineY[i], 369, kLineY[i], i + 1 == Place ? kRed : kGrey);
    // The winner stands furthest right in the top row, the last furthest left at the bottom.
    for (int i = 0; i < 4; ++i) rankingBoard->DrawPixmap(characterPictures[i], 40 + 65 * (4 - i), 65 * i);
    QStringList spoken;
    for (int i = 0; i < 4; ++i)
        spoken << QCoreApplication::translate("RaceRankingScreen", "%1位 %2")
                      .arg(i + 1)
                      .arg(CharacterName(g.derby.FinishOrder()[size_t(i)]));
    SetSpokenParts(rankingBoard, spoken);
}

void RaceRankingScreen::ShowNextHeat() {
    if (IsClosing()) return;
    ctx.nav.Replace(this, Screen::HeatInfo);
}

bool RaceRankingScreen::MayClose(CloseReason reason) {
    if (reason == CloseReason::Player) ShowBackTarget();
    return true;
}

}  // namespace kd
