#pragma once
#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace kd {

// How the player types a Japanese reading: romaji letters, or kana keys on the JIS kana layout.
enum class InputMethod { Romaji = 0, Kana = 1 };

// The JIS kana layout (かな入力), by physical key.
//
// A key is named by its X keycode: the evdev code + 8, which is what QKeyEvent::nativeScanCode()
// gives on xcb (and on Wayland). The code names the key's place on the keyboard, not what the X
// keyboard layout prints on it, so the table answers the same with the layout set to jp or us,
// and with the input method off, as the play screens keep it.
//
// Shift gives the small kana ぁぃぅぇぉゃゅょっ, を (Shift+0), 、 and 。 (Shift+ね, Shift+る). A key
// without a shifted kana gives its own kana with Shift too, as the usual input methods do.
//
// A US keyboard lacks two JIS keys: ー on ¥ (right of ^) and ろ right of /. There the key left of
// 1 (` on a US keyboard, 半角/全角 on a JIS one, which prints no kana) types ろ, and Shift with the
// む key (] on JIS, \ on US; on JIS it would type 」, which no reading holds) types ー.
namespace kanakeys {
// X keycodes of the keys that differ between JIS and US keyboards.
constexpr quint32 kYen = 132;   // ¥ on JIS (ー); missing on US
constexpr quint32 kRo = 97;     // \ _ on JIS (ろ); missing on US
constexpr quint32 kGrave = 49;  // ` on US, 半角/全角 on JIS: a second ろ
constexpr quint32 kMu = 51;     // ] on JIS, \ on US (む; with Shift ー)
}  // namespace kanakeys

// The two marks typed after a base kana.
constexpr char16_t kDakuten = u'゛';
constexpr char16_t kHandakuten = u'゜';

// The kana a key types, or 0 for a key that types none (Space, Enter, arrows ...).
char16_t KanaOfKey(quint32 x11Keycode, bool shift);

// The key and Shift that type a kana key (a kana, a mark, ー, 、 or 。); false for any other.
struct KanaKeyPlace {
    quint32 keycode = 0;
    bool shift = false;
};
bool PlaceOfKana(char16_t kanaKey, KanaKeyPlace& place);

// The keys one character of a reading takes: its base kana and, for voiced and half-voiced kana,
// the mark after it (が = か ゛, ぱ = は ゜, ヴ = う ゛). Half-width 、。ー count as the full ones.
// count is 0 for a character no key types (kanji, Latin letters, ゐ ...).
struct KanaStrokes {
    char16_t keys[2] = {};
    int count = 0;
};
KanaStrokes StrokesOf(char16_t readingChar);

// The kana keys of a whole reading, in order ("がっこう" -> か ゛ っ こ う); a character no key types
// is left out.
QString KanaKeysOf(QStringView reading);

}  // namespace kd
