#pragma once
#include <QString>
#include <ostream>

#include "platform/widgets/Screen.h"

// Lets GoogleTest show QStrings as text in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace kd {
// Screens by their class names in failure messages.
inline void PrintTo(Screen s, std::ostream* os) {
    *os << ScreenName(s).toStdString();
}
}  // namespace kd
