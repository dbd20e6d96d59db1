#pragma once
#include <QString>
#include <QStringView>

#include "engine/RomajiGuide.h"

namespace kd {

class TypingJudge;

// The key's legend on a JIS keyboard by X keycode ("T", "@", "¥", "\"), "" for no kana key.
QString JisLegendOf(quint32 x11Keycode);

// The guide line of a player typing kana keys: the kana keys still to press for the reading
// (voiced kana as base kana and mark), the one typed of a kana not yet whole dimmed, the next
// key marked and named by its key cap ("Shift+Z" for っ, "@" for ゛).
GuideLine KanaGuideLine(const TypingJudge& judge, QStringView display);

}  // namespace kd
