#pragma once

namespace kd {
class Navigator;
void RegisterAllScreens(Navigator& nav);
}  // namespace kd
