#include "derby/HeatInfoScreen.h"

#include "common/GameState.h"
#include "derby/Cast.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Navigator.h"

namespace kd {

namespace {
const QColor kOlive(128, 128, 0);
}  // namespace

HeatInfoScreen::HeatInfoScreen(AppContext& ctx_) : ScreenBase(ctx_, Screen::HeatInfo) {
    SetCaption(QStringLiteral("HeatInfo"));
    SetClientSize(312, 244);
    SetBackgroundColor(Qt::black);
    const std::array<QString, 5> captions = {QStringLiteral("First Heat"), QStringLiteral("Second Heat"),
                                             QStringLiteral("Third Heat"), QStringLiteral("Fourth Heat"),
                                             QStringLiteral("Champion Ship")};
    for (int i = 0; i < 5; ++i) {
        const bool wide = i == 4;
        lblHeatInfo[i] = MakeLabel(this, QStringLiteral("lblHeatInfo(%1)").arg(i), captions[i],
                                   wide ? 36 : 54, 27 + 42 * i, wide ? 240 : 204, 36);
        lblHeatInfo[i]->setAlignment(Qt::AlignCenter);
        SetPixelFont(lblHeatInfo[i], 28, true);
        SetForeColor(lblHeatInfo[i], kOlive);
    }
    tmrTimeOut = new Timer(this, QStringLiteral("tmrTimeOut"), 1000, [this] { tmrTimeOut_Timer(); });
    SetKeysFirst(true);
}

void HeatInfoScreen::OnLoad() {
    // A damaged heat file may hold any number: below 1 is the first heat, above the boss
    // is still the boss.
    g.Heat.HeatNo = qint16(qBound(1, int(g.Heat.HeatNo), kBossHeat));
    if (g.Heat.HeatNo <= kLastRaceHeat) {
        SetForeColor(lblHeatInfo[g.Heat.HeatNo - 1], kYellow);
    } else {
        for (QLabel* l : lblHeatInfo) l->clear();
        lblHeatInfo[2]->setText(QStringLiteral("BOSS!!"));
        SetForeColor(lblHeatInfo[2], kYellow);
    }
    tmrTimeOut->Start();
}

Screen HeatInfoScreen::NextScreen() const {
    return g.Heat.HeatNo > kLastRaceHeat ? Screen::Boss : Screen::KeyDerby;
}

void HeatInfoScreen::OnKeyDown(int key, Qt::KeyboardModifiers) {
    if (key != Qt::Key_Space && !IsEnterKey(key)) return;
    tmrTimeOut->Stop();
    tmrTimeOut_Timer();
}

void HeatInfoScreen::tmrTimeOut_Timer() {
    tmrTimeOut->Stop();
    if (IsClosing()) return;
    ctx.nav.Replace(this, NextScreen());
}

bool HeatInfoScreen::MayClose(CloseReason reason) {
    tmrTimeOut->Stop();
    // Closing this window does not leave the derby.
    if (reason == CloseReason::Player) ctx.nav.Show(NextScreen());
    return true;
}

}  // namespace kd
