#include "shell/Register.h"

#include "platform/widgets/Navigator.h"
#include "shell/frmInputUserName.h"
#include "shell/frmMain.h"
#include "shell/frmStartUp.h"
#include "shell/frmVersion.h"

namespace kd {

void RegisterShellScreens(Navigator& nav) {
    nav.Register(Screen::StartUp, [](AppContext& c) { return new frmStartUp(c); });
    nav.Register(Screen::InputUserName, [](AppContext& c) { return new frmInputUserName(c); });
    nav.Register(Screen::Main, [](AppContext& c) { return new frmMain(c); });
    // The version box belongs to the screen that opens it; shown alone it has no owner.
    nav.Register(Screen::Version, [](AppContext& c) { return new frmVersion(c, nullptr); });
}

}  // namespace kd
