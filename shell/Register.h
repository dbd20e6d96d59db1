#pragma once

namespace kd {
class Navigator;
// Registers the screens of this folder with the navigator.
void RegisterShellScreens(Navigator& nav);
}  // namespace kd
