#include "timetrial/Register.h"

#include "platform/widgets/Navigator.h"

namespace kd {

void RegisterTimetrialScreens(Navigator& nav) { (void)nav; }

}  // namespace kd
