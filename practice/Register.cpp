#include "practice/Register.h"

#include "platform/widgets/Navigator.h"
#include "practice/PracticeResultScreen.h"
#include "practice/PracticeScreen.h"

namespace kd {

void RegisterPracticeScreens(Navigator& nav) {
    nav.Register(Screen::Practice, [](AppContext& c) { return new PracticeScreen(c); });
    nav.Register(Screen::ResultPractice, [](AppContext& c) { return new PracticeResultScreen(c); });
}

}  // namespace kd
