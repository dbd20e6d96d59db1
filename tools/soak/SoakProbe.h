#pragma once
#include <QStringList>

#include "tools/soak/SoakFigures.h"

namespace kd {
class GameState;
}

namespace kd::soak {

// Reads what the process holds now: resident memory, descriptors and threads from /proc, the
// screens' timers from their timer layer, event-loop timers of every object reachable from the
// windows and the application, and the widgets.
Figures TakeFigures();
// ... and the listeners of play and the open database connections of the program.
Figures TakeFigures(const kd::GameState& g);

int ThreadCount();

// What each open descriptor points at ("socket:[...]", a path), for telling which one stayed.
QStringList DescriptorTargets();

}  // namespace kd::soak
