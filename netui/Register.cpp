#include "netui/Register.h"

#include "netui/frmNetHost.h"
#include "netui/frmNetJoin.h"
#include "netui/frmNetRace.h"
#include "netui/frmNetResult.h"
#include "platform/widgets/Navigator.h"

namespace kd {

void RegisterNetScreens(Navigator& nav) {
    nav.Register(QStringLiteral("frmNetHost"), [](AppContext& c) { return new frmNetHost(c); });
    nav.Register(QStringLiteral("frmNetJoin"), [](AppContext& c) { return new frmNetJoin(c); });
    nav.Register(QStringLiteral("frmNetRace"), [](AppContext& c) { return new frmNetRace(c); });
    nav.Register(QStringLiteral("frmNetResult"), [](AppContext& c) { return new frmNetResult(c); });
}

}  // namespace kd
