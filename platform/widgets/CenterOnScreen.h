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

// A window of our own size opens at that size where the screen has room, and smaller (not below
// its minimum) where it has not: at 200 % a 980 × 700 window is wider than a 1920 × 1200 screen.
inline void ResizeToFitScreen(QWidget* w, QSize wanted) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        // The window manager's frame around it.
        const QSize room = screen->availableGeometry().size() - QSize(16, 40);
        wanted = wanted.boundedTo(room).expandedTo(w->minimumSize());
    }
    w->resize(wanted);
}

}  // namespace kd
