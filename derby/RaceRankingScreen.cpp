#include "derby/RaceRankingScreen.h"

#include "common/GameState.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Navigator.h"

namespace kd {

namespace {
constexpr std::array<int, 4> kRankY = {24, 90, 156, 219};
constexpr std::array<int, 4> kLineY = {63, 129, 195, 258};
}  // namespace

RaceRankingScreen::RaceRankingScreen(AppContext& ctx_) : ScreenBase(ctx_, Screen::RankingKeyDerby) {
    SetCaption(QStringLiteral("ランキング"));
    SetClientSize(404, 393);
    SetBackgroundColor(kSkyBlue);

    auto* shadow = MakeLabel(this, QStringLiteral("Label1(1)"), QString(), 18, 12, 118, 49);
    SetBackColor(shadow, kGrey);
    lblPlace = MakeLabel(this, QStringLiteral("Label1(0)"), QString(), 12, 6, 118, 49);
    lblPlace->setAlignment(Qt::AlignCenter);
    SetPixelFont(lblPlace, 32, true);
    SetForeColor(lblPlace, kRed);
    SetBackColor(lblPlace, kBlue);

    Label2 = MakeLabel(this, QStringLiteral("Label2"), QString(), 141, 30, 253, 22);
    Label2->setAlignment(Qt::AlignCenter);
    SetPixelFont(Label2, 14, true);
    SetBackColor(Label2, QColor(255, 192, 192));

    pctBack = new PictureBox(this, QStringLiteral("pctBack"), 9, 66, 382, 283);
    for (int i = 0; i < 4; ++i) {
        lblRank[i] = MakeLabel(pctBack, QStringLiteral("lblRank(%1)").arg(i),
                               QStringLiteral("%1.").arg(i + 1), 21, kRankY[i]);
        SetPixelFont(lblRank[i], 20, true);
        lblRank[i]->adjustSize();
        SetForeColor(lblRank[i], kGrey);
    }

    cmdOK = MakeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), 312, 354, 82, 31);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void RaceRankingScreen::OnLoad() {
    const QString rankText = g.Chara[0].RankText;
    const int digit = rankText.isEmpty() ? 0 : rankText.at(0).digitValue();
    Place = (digit >= 1 && digit <= 4) ? digit : 0;
    if (Place > 0) SetForeColor(lblRank[Place - 1], kRed);
    lblPlace->setText(rankText);
    pctBack->SetBackground(Bitmap(QStringLiteral("KEYDERBYBACK")));
    const bool advanced = Place == 1 || Place == 2;
    Label2->setText(advanced ? QStringLiteral("おめでとう！！次のステージへ!!")
                             : QStringLiteral("残念!!もう一度挑戦！！"));
    SetForeColor(Label2, advanced ? kRed : kBlue);
    for (int i = 0; i < 4; ++i) imlCharaList[i] = CharaBitmap(g.FinishOrder[i]);
    Redraw();
    cmdOK->setFocus();
}

void RaceRankingScreen::Redraw() {
    pctBack->Cls();
    for (int i = 0; i < 4; ++i)
        pctBack->DrawLine(21, kLineY[i], 369, kLineY[i], i + 1 == Place ? kRed : kGrey);
    // The winner stands furthest right in the top row, the last furthest left at the bottom.
    for (int i = 0; i < 4; ++i) pctBack->DrawPicture(imlCharaList[i], 40 + 65 * (4 - i), 65 * i);
}

void RaceRankingScreen::cmdOK_Click() {
    if (IsClosing()) return;
    ctx.nav.Replace(this, Screen::HeatInfo);
}

bool RaceRankingScreen::MayClose(CloseReason reason) {
    if (reason == CloseReason::Player) ShowBackTarget();
    return true;
}

}  // namespace kd
