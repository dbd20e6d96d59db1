#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "platform/widgets/Timer.h"

// Every test program runs offscreen, silent, with timers fired by hand and a data folder of
// its own, so no test touches the player's real files or waits for real time.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
    QTemporaryDir xdg(QDir::tempPath() + QStringLiteral("/keyderby-test-XXXXXX"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(xdg.path()));
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("keyderby"));
    kd::Timer::SetManualMode(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
