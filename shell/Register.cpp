#include "shell/Register.h"

#include "platform/widgets/Navigator.h"
#include "shell/AboutBox.h"
#include "shell/MainMenu.h"
#include "shell/PlayerNameScreen.h"
#include "shell/SplashScreen.h"

namespace kd {

void RegisterShellScreens(Navigator& nav) {
    nav.Register(Screen::StartUp, [](AppContext& c) { return new SplashScreen(c); });
    nav.Register(Screen::InputUserName, [](AppContext& c) { return new PlayerNameScreen(c); });
    nav.Register(Screen::Main, [](AppContext& c) { return new MainMenu(c); });
    // The version box belongs to the screen that opens it; shown alone it has no owner.
    nav.Register(Screen::Version, [](AppContext& c) { return new AboutBox(c, nullptr); });
}

}  // namespace kd
