#include "timetrial/TryAgain.h"

#include <QPointer>

#include "platform/widgets/FormBase.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"

namespace kd {

void AskToTryTimeTrialAgain(FormBase* from) {
    QPointer<FormBase> self(from);
    AppContext& ctx = from->ctx;
    const MsgAnswer a = ctx.msg.Show(from, QStringLiteral("KeyDerby"),
                                     QStringLiteral("もう一度挑戦しますか？"), MsgButtons::YesNo);
    // The question waits for the player; the program may have closed the screen meanwhile.
    if (!self || self->Unloading()) return;
    ctx.nav.Replace(from, a == MsgAnswer::Yes ? Screen::TimeTrial : Screen::Main);
}

}  // namespace kd
