#include "netui/Register.h"

#include "netui/HostLobbyScreen.h"
#include "netui/JoinRoomScreen.h"
#include "netui/NetRaceScreen.h"
#include "netui/NetResultScreen.h"
#include "platform/widgets/Navigator.h"

namespace kd {

void RegisterNetScreens(Navigator& nav) {
    nav.Register(Screen::NetHost, [](AppContext& c) { return new HostLobbyScreen(c); });
    nav.Register(Screen::NetJoin, [](AppContext& c) { return new JoinRoomScreen(c); });
    nav.Register(Screen::NetRace, [](AppContext& c) { return new NetRaceScreen(c); });
    nav.Register(Screen::NetResult, [](AppContext& c) { return new NetResultScreen(c); });
}

}  // namespace kd
