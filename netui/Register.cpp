#include "netui/Register.h"

#include "netui/frmNetHost.h"
#include "netui/frmNetJoin.h"
#include "netui/frmNetRace.h"
#include "netui/frmNetResult.h"
#include "platform/widgets/Navigator.h"

namespace kd {

void RegisterNetScreens(Navigator& nav) {
    nav.Register(Screen::NetHost, [](AppContext& c) { return new frmNetHost(c); });
    nav.Register(Screen::NetJoin, [](AppContext& c) { return new frmNetJoin(c); });
    nav.Register(Screen::NetRace, [](AppContext& c) { return new frmNetRace(c); });
    nav.Register(Screen::NetResult, [](AppContext& c) { return new frmNetResult(c); });
}

}  // namespace kd
