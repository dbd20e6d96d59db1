#include "derby/Register.h"

#include "platform/widgets/Navigator.h"

namespace kd {

void RegisterDerbyScreens(Navigator& nav) { (void)nav; }

}  // namespace kd
