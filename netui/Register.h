#pragma once

namespace kd {
class Navigator;
// The screens of network races.
void RegisterNetScreens(Navigator& nav);
}  // namespace kd
