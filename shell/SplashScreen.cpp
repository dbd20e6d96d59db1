#include "shell/SplashScreen.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/ShellLook.h"
#include "platform/widgets/Timer.h"
#include "questions/StringTable.h"

namespace kd {

namespace {
constexpr int kWidth = 400;
constexpr int kHeight = 240;
}  // namespace

SplashScreen::SplashScreen(AppContext& ctx_) : ScreenBase(ctx_, Screen::StartUp) {
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    Timer1 = new Timer(this, QStringLiteral("Timer1"), kShowMs, [this] { Timer1_Timer(); });

    lblTitleShadow = MakeLabel(this, QStringLiteral("lblTitleShadow"), AppTitle(), 0, 0, kWidth, 80);
    lblTitle = MakeLabel(this, QStringLiteral("lblTitle"), AppTitle(), 0, 0, kWidth, 80);
    StyleTitle(lblTitle, lblTitleShadow, 52, QPoint(0, 60), 3);
    lblVersion = MakeLabel(this, QStringLiteral("lblVersion"), kVersionText, 0, 140, kWidth - 24, 24);
    lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetPixelFont(lblVersion, 16, true);
    SetForeColor(lblVersion, kWhite);
    lblLoading =
        MakeLabel(this, QStringLiteral("lblLoading"), QStringLiteral("起動しています…"), 130, 192, 140, 26);
    lblLoading->setAlignment(Qt::AlignCenter);
    lblLoading->setStyleSheet(QStringLiteral("background-color: rgba(0, 0, 0, 150); border-radius: 6px;"));
    SetPixelFont(lblLoading, 14);
    SetForeColor(lblLoading, QColor(255, 255, 192));
}

void SplashScreen::OnLoad() {
    SetCaption(AppTitle());
    SetClientSize(kWidth, kHeight);
    SetBackgroundPicture(ShellBackground(kWidth, kHeight));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(kWidth / 2, kHeight / 2));
    Timer1->Start();
}

void SplashScreen::Timer1_Timer() {
    // Fires once.
    Timer1->Stop();
    ctx.nav.Replace(this, Screen::InputUserName);
}

}  // namespace kd
