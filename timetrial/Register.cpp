#include "timetrial/Register.h"

#include "platform/widgets/Navigator.h"
#include "timetrial/frmRankingTimeTrial.h"
#include "timetrial/frmResultTimeTrial.h"
#include "timetrial/frmTimeTrial.h"

namespace kd {

void RegisterTimetrialScreens(Navigator& nav) {
    nav.Register(QStringLiteral("frmTimeTrial"), [](AppContext& c) { return new frmTimeTrial(c); });
    nav.Register(QStringLiteral("frmResultTimeTrial"),
                 [](AppContext& c) { return new frmResultTimeTrial(c); });
    nav.Register(QStringLiteral("frmRankingTimeTrial"),
                 [](AppContext& c) { return new frmRankingTimeTrial(c); });
}

}  // namespace kd
