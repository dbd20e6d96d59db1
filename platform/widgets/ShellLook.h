#pragma once
#include <QColor>
#include <QPixmap>
#include <QPoint>
#include <QString>

#include "platform/widgets/Colors.h"

class QLabel;

namespace kd {

// The look the start-up screens, the menu and the version box share.
inline const QString kVersionText = QStringLiteral("Ver.2.1.0");
inline const QColor kTitleColor = kGold;
inline const QColor kShadowColor = kBlack;

// A caption over its black shadow copy, the shadow offset right and down.
void StyleTitle(QLabel* title, QLabel* shadow, int pixelSize, QPoint at, int offset);
// The wallpaper scaled to the window, or a plain gradient while the picture is missing.
QPixmap ShellBackground(int width, int height);

}  // namespace kd
