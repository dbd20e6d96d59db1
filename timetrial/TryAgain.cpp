#include "timetrial/TryAgain.h"

#include <QCoreApplication>
#include <QPointer>

#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/ScreenBase.h"

namespace kd {

void AskToTryTimeTrialAgain(ScreenBase* from) {
    QPointer<ScreenBase> self(from);
    AppContext& ctx = from->ctx;
    const MsgAnswer a =
        ctx.msg.Show(from, QStringLiteral("KeyDerby"),
                     QCoreApplication::translate("TryAgain", "もう一度挑戦しますか？"), MsgButtons::YesNo);
    // The question waits for the player; the program may have closed the screen meanwhile.
    if (!self || self->IsClosing()) return;
    ctx.nav.Replace(from, a == MsgAnswer::Yes ? Screen::TimeTrial : Screen::Main);
}

}  // namespace kd
