#include "practice/Register.h"

#include "platform/widgets/Navigator.h"

namespace kd {

void RegisterPracticeScreens(Navigator& nav) { (void)nav; }

}  // namespace kd
