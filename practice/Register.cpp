#include "practice/Register.h"

#include "platform/widgets/Navigator.h"
#include "practice/frmPractice.h"
#include "practice/frmResultPractice.h"

namespace kd {

void RegisterPracticeScreens(Navigator& nav) {
    nav.Register(Screen::Practice, [](AppContext& c) { return new frmPractice(c); });
    nav.Register(Screen::ResultPractice, [](AppContext& c) { return new frmResultPractice(c); });
}

}  // namespace kd
