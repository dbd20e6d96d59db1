#include <QApplication>
#include <QLabel>

#include "app/Screens.h"
#include "common/GameState.h"
#include "platform/core/Audio.h"
#include "platform/core/DataRoot.h"
#include "platform/core/Random.h"
#include "platform/core/TickCounter.h"
#include "platform/widgets/FormBase.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("keyderby"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Key Derby"));

    kd::SteadyTickCounter clock;
    kd::LcgRandom rnd;
    kd::SilentAudio audio;
    kd::GameState g(rnd, clock, audio, kd::DefaultDataRoot());
    kd::QtMessageBoxes msg;
    kd::Navigator nav;
    kd::AppContext ctx{g, msg, nav};
    nav.SetContext(&ctx);
    kd::RegisterAllScreens(nav);

    if (!nav.Show(QStringLiteral("frmStartUp"))) {
        // Until the start-up screens exist.
        auto* w = new QLabel(QStringLiteral("Key Derby — screens are being built."));
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->resize(400, 120);
        w->show();
    }
    return app.exec();
}
