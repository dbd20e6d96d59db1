#include "derby/frmHeatInfo.h"

#include "common/GameState.h"
#include "derby/Cast.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Navigator.h"

namespace kd {

namespace {
const QColor kOlive(128, 128, 0);
}  // namespace

frmHeatInfo::frmHeatInfo(AppContext& ctx_) : FormBase(ctx_, Screen::HeatInfo) {
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
    SetKeyPreview(true);
}

void frmHeatInfo::Form_Load() {
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

Screen frmHeatInfo::NextScreen() const {
    return g.Heat.HeatNo > kLastRaceHeat ? Screen::Boss : Screen::KeyDerby;
}

void frmHeatInfo::Form_KeyDown(int KeyCode, int) {
    if (KeyCode != 32 && KeyCode != 13) return;
    tmrTimeOut->Stop();
    tmrTimeOut_Timer();
}

void frmHeatInfo::tmrTimeOut_Timer() {
    tmrTimeOut->Stop();
    if (Unloading()) return;
    ctx.nav.Replace(this, NextScreen());
}

bool frmHeatInfo::Form_QueryUnload(UnloadMode mode) {
    tmrTimeOut->Stop();
    // Closing this window does not leave the derby.
    if (mode == UnloadMode::UserClosed) ctx.nav.Show(NextScreen());
    return true;
}

}  // namespace kd
