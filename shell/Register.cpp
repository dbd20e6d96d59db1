#include "shell/Register.h"

#include "platform/widgets/Navigator.h"

namespace kd {

void RegisterShellScreens(Navigator& nav) { (void)nav; }

}  // namespace kd
