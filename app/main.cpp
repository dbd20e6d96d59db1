#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QTimer>

#include "app/Screens.h"
#include "classroom/ClassSync.h"
#include "common/GameState.h"
#include "learning/LearningRecord.h"
#include "platform/audio/SdlAudio.h"
#include "platform/core/DataRoot.h"
#include "platform/core/InstanceLock.h"
#include "platform/core/Language.h"
#include "platform/core/Random.h"
#include "platform/core/TickCounter.h"
#include "platform/core/WriteTrouble.h"
#include "platform/widgets/AccessibleExtents.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/ScreenBase.h"
#include "platform/widgets/Zoom.h"
#include "shell/MainMenu.h"
#include "stats/StatsOpener.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The zoom is Qt's scale: set before the first window and before the first picture is
    // chosen for the pixel density.
    kd::Zoom zoom;
    zoom.LoadSettings(QSize(kd::MainMenu::kClientWidth, kd::MainMenu::kClientHeight));
    // Decoding the splash's wallpaper is the longest step before the first window; it runs on
    // a worker thread while the rest is set up.
    kd::PrefetchBitmaps({QStringLiteral("WALLPAPER")});
    QCoreApplication::setApplicationName(QStringLiteral("keyderby"));
    // Japanese is built in; English is a translation put in before the first text is made.
    kd::ApplyInterfaceLanguage(kd::StartupLanguage());

    // Kana and kanji need a Japanese font; fontconfig falls back to another CJK family when
    // this one is missing.
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);

    // Two copies on one data folder would overwrite each other's saves.
    const QString dataRoot = kd::DefaultDataRoot();
    kd::InstanceLock lock(dataRoot);
    switch (lock.TryLock()) {
        case kd::InstanceLock::Result::Locked:
            break;
        case kd::InstanceLock::Result::HeldByAnother:
            kd::QtMessageBoxes().Show(
                nullptr, QStringLiteral("Key Derby"),
                QCoreApplication::translate("main",
                                            "Key Derby はすでに起動しています。\n"
                                            "同じデータを二つのウィンドウで使うと記録が壊れるため、"
                                            "先に起動した Key Derby をお使いください。"),
                kd::MsgButtons::OK);
            return 1;
        case kd::InstanceLock::Result::NotWritable:
            // Nothing can be saved, so a second copy could spoil nothing either: the player
            // still gets a game, and each save that fails says so as it always does.
            kd::QtMessageBoxes().Show(
                nullptr, QStringLiteral("Key Derby"),
                kd::FailureMessage(QCoreApplication::translate("main", "データのフォルダーに書き込めません"),
                                   lock.Trouble(), dataRoot) +
                    QCoreApplication::translate("main", "\nゲームは遊べますが、記録は保存されません。"),
                kd::MsgButtons::OK);
            break;
    }

    kd::SteadyTickCounter clock;
    kd::LcgRandom rnd;
    // Opening the device and the MIDI decoder waits until the splash is on screen.
    kd::SdlAudio audio(kd::MediaFolder());
    kd::GameState g(rnd, clock, audio, dataRoot);
    kd::QtMessageBoxes msg;
    // The learning record opens on first need.
    kd::LearningRecord learning(g);
    kd::AttachLearningRecord(g, learning, msg);
    // A class member's games go to the class server in the background.
    kd::ClassSync classSync(
        [&g] { return g.player.GetUserName().isEmpty() ? QString() : kd::LearningRecord::PathFor(g); });
    g.play.Add(&classSync);
    kd::Navigator nav;
    kd::AppContext ctx{g, msg, nav};
    nav.SetContext(&ctx);
    kd::RegisterAllScreens(nav);
    kd::stats::ResultScreenHotkey statsKey(g);
    kd::ReportDevicePixelsToAssistiveTools();

    nav.Show(kd::Screen::StartUp);
    QTimer::singleShot(150, &app, [&audio] { audio.Open(); });
    return app.exec();
}
