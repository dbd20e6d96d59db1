#include "derby/HeatInfoScreen.h"

#include "common/GameState.h"
#include "common/Roster.h"
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
        heatNames[i] = MakeLabel(this, QStringLiteral("heatName%1").arg(i), captions[i], wide ? 36 : 54,
                                 27 + 42 * i, wide ? 240 : 204, 36);
        heatNames[i]->setAlignment(Qt::AlignCenter);
        SetPixelFont(heatNames[i], 28, true);
        SetForeColor(heatNames[i], kOlive);
    }
    timeoutTimer = new Timer(this, QStringLiteral("timeoutTimer"), 1000, [this] { OpenHeat(); });
    SetKeysFirst(true);
}

void HeatInfoScreen::OnLoad() {
    const int heat = g.derby.Heat();
    if (heat <= kLastRaceHeat) {
        SetForeColor(heatNames[heat - 1], kYellow);
    } else {
        for (QLabel* l : heatNames) l->clear();
        heatNames[2]->setText(QStringLiteral("BOSS!!"));
        SetForeColor(heatNames[2], kYellow);
    }
    timeoutTimer->Start();
}

Screen HeatInfoScreen::NextScreen() const {
    return g.derby.Heat() > kLastRaceHeat ? Screen::Boss : Screen::KeyDerby;
}

void HeatInfoScreen::OnKeyDown(int key, Qt::KeyboardModifiers) {
    if (key != Qt::Key_Space && !IsEnterKey(key)) return;
    timeoutTimer->Stop();
    OpenHeat();
}

void HeatInfoScreen::OpenHeat() {
    timeoutTimer->Stop();
    if (IsClosing()) return;
    ctx.nav.Replace(this, NextScreen());
}

bool HeatInfoScreen::MayClose(CloseReason reason) {
    timeoutTimer->Stop();
    // Closing this window does not leave the derby.
    if (reason == CloseReason::Player) ctx.nav.Show(NextScreen());
    return true;
}

}  // namespace kd
