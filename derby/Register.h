#pragma once

namespace kd {
class Navigator;
// Registers the screens of this folder with the navigator.
void RegisterDerbyScreens(Navigator& nav);
}  // namespace kd
