#pragma once
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kd {

// Screens open in the middle of the desktop, also where no window manager places them.
inline void CenterOnScreen(QWidget* w) {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        w->move(screen->availableGeometry().center() - w->rect().center());
}

}  // namespace kd
