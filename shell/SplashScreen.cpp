#include "shell/SplashScreen.h"

#include <QCoreApplication>
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
constexpr int kSplashWidth = 400;
constexpr int kSplashHeight = 240;
}  // namespace

SplashScreen::SplashScreen(AppContext& ctx_) : ScreenBase(ctx_, Screen::StartUp) {
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    splashTimer = new Timer(this, QStringLiteral("splashTimer"), kShowMs, [this] { OpenPlayerNameScreen(); });

    titleShadow = MakeLabel(this, QStringLiteral("titleShadow"), AppTitle(), 0, 0, kSplashWidth, 80);
    titleText = MakeLabel(this, QStringLiteral("titleText"), AppTitle(), 0, 0, kSplashWidth, 80);
    StyleTitle(titleText, titleShadow, 52, QPoint(0, 60), 3);
    versionText = MakeLabel(this, QStringLiteral("versionText"), kVersionText, 0, 140, kSplashWidth - 24, 24);
    versionText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetPixelFont(versionText, 16, true);
    SetForeColor(versionText, kWhite);
    loadingText =
        MakeLabel(this, QStringLiteral("loadingText"),
                  QCoreApplication::translate("SplashScreen", "起動しています…"), 130, 192, 140, 26);
    loadingText->setAlignment(Qt::AlignCenter);
    loadingText->setStyleSheet(QStringLiteral("background-color: rgba(0, 0, 0, 150); border-radius: 6px;"));
    SetPixelFont(loadingText, 14);
    SetForeColor(loadingText, QColor(255, 255, 192));
}

void SplashScreen::OnLoad() {
    SetCaption(AppTitle());
    SetClientSize(kSplashWidth, kSplashHeight);
    SetBackgroundPicture(ShellBackground(kSplashWidth, kSplashHeight));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(kSplashWidth / 2, kSplashHeight / 2));
    splashTimer->Start();
}

void SplashScreen::OpenPlayerNameScreen() {
    // Fires once.
    splashTimer->Stop();
    ctx.nav.Replace(this, Screen::InputUserName);
}

}  // namespace kd
