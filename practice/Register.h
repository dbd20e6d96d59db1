#pragma once

namespace kd {
class Navigator;
// Registers the screens of this folder with the navigator.
void RegisterPracticeScreens(Navigator& nav);
}  // namespace kd
