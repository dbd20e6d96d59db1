#include "app/Screens.h"

#include "derby/Register.h"
#include "netui/Register.h"
#include "practice/Register.h"
#include "shell/Register.h"
#include "timetrial/Register.h"

namespace kd {

void RegisterAllScreens(Navigator& nav) {
    RegisterShellScreens(nav);
    RegisterPracticeScreens(nav);
    RegisterTimetrialScreens(nav);
    RegisterDerbyScreens(nav);
    RegisterNetScreens(nav);
}

}  // namespace kd
