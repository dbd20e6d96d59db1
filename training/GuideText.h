#pragma once
#include <QColor>
#include <QString>

#include "engine/RomajiGuide.h"
#include "platform/widgets/Colors.h"

class QLabel;

namespace kd {

// The colours of the guide line on the dark typing panel: what was typed is dimmed, the next
// key stands out, the rest reads like the reading above it.
inline const QColor kGuideTypedColor(128, 136, 160);
inline const QColor kGuideNextColor = kGold;
inline const QColor kGuideRestColor(224, 232, 255);

// Rich text of a guide line (the typed part dimmed, the next key marked and underlined).
QString GuideLineHtml(const GuideLine& line);
// The same line for screen readers: "ローマ字ガイド：次は s、shika"
QString GuideLineSpoken(const GuideLine& line);
// Puts a guide line on a label: rich text shown, plain text read out.
void ShowGuideLine(QLabel* label, const GuideLine& line);

}  // namespace kd
