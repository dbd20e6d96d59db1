#include "engine/KanaGuide.h"

#include "engine/KanaLayout.h"
#include "engine/TypingJudge.h"

namespace kd {

namespace {

struct LegendRow {
    quint32 firstKeycode;
    const char16_t* legends;
};

// The legends printed on the kana keys of a JIS keyboard, row by row.
constexpr LegendRow kLegends[] = {
    {10, u"1234567890-^"}, {24, u"QWERTYUIOP@["}, {38, u"ASDFGHJKL;:"}, {51, u"]"},
    {52, u"ZXCVBNM,./"},   {97, u"\\"},           {132, u"¥"},
};

}  // namespace

QString JisLegendOf(quint32 keycode) {
    for (const LegendRow& r : kLegends) {
        const QStringView legends(r.legends);
        if (keycode >= r.firstKeycode && keycode < r.firstKeycode + quint32(legends.size()))
            return legends.mid(keycode - r.firstKeycode, 1).toString();
    }
    return {};
}

GuideLine KanaGuideLine(const TypingJudge& judge, QStringView display) {
    GuideLine line;
    QString keys;
    int headKeys = 0;
    for (qsizetype i = 0; i < display.size(); ++i) {
        const KanaStrokes s = StrokesOf(display[i].unicode());
        if (s.count == 0) {
            line.cannotType = display[i];
            break;
        }
        if (i == 0) headKeys = s.count;
        keys.append(QStringView(s.keys, s.count));
    }
    if (keys.isEmpty()) return line;
    const int typed = judge.KanaStroke() < headKeys ? judge.KanaStroke() : 0;
    line.typed = keys.left(typed);
    line.next = keys.mid(typed, 1);
    line.rest = keys.mid(typed + 1);
    KanaKeyPlace place;
    if (PlaceOfKana(line.next[0].unicode(), place))
        line.keyCap = (place.shift ? QStringLiteral("Shift+") : QString()) + JisLegendOf(place.keycode);
    return line;
}

}  // namespace kd
