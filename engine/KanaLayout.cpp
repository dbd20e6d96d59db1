#include "engine/KanaLayout.h"

#include <array>

namespace kd {

namespace {

struct KeyRow {
    quint32 keycode;
    char16_t plain;
    char16_t shifted;  // 0: the plain kana
};

// The 48 kana keys of a JIS keyboard, row by row from the number row down.
constexpr KeyRow kJisKeys[] = {
    {10, u'ぬ', 0},     {11, u'ふ', 0},       {12, u'あ', u'ぁ'}, {13, u'う', u'ぅ'}, {14, u'え', u'ぇ'},
    {15, u'お', u'ぉ'}, {16, u'や', u'ゃ'},   {17, u'ゆ', u'ゅ'}, {18, u'よ', u'ょ'}, {19, u'わ', u'を'},
    {20, u'ほ', 0},     {21, u'へ', 0},       {132, u'ー', 0},

    {24, u'た', 0},     {25, u'て', 0},       {26, u'い', u'ぃ'}, {27, u'す', 0},     {28, u'か', 0},
    {29, u'ん', 0},     {30, u'な', 0},       {31, u'に', 0},     {32, u'ら', 0},     {33, u'せ', 0},
    {34, kDakuten, 0},  {35, kHandakuten, 0},

    {38, u'ち', 0},     {39, u'と', 0},       {40, u'し', 0},     {41, u'は', 0},     {42, u'き', 0},
    {43, u'く', 0},     {44, u'ま', 0},       {45, u'の', 0},     {46, u'り', 0},     {47, u'れ', 0},
    {48, u'け', 0},     {51, u'む', 0},

    {52, u'つ', u'っ'}, {53, u'さ', 0},       {54, u'そ', 0},     {55, u'ひ', 0},     {56, u'こ', 0},
    {57, u'み', 0},     {58, u'も', 0},       {59, u'ね', u'、'}, {60, u'る', u'。'}, {61, u'め', 0},
    {97, u'ろ', 0},
};

constexpr quint32 kKeycodes = 140;

struct KeyKana {
    char16_t plain = 0;
    char16_t shifted = 0;
};

constexpr std::array<KeyKana, kKeycodes> kByKeycode = [] {
    std::array<KeyKana, kKeycodes> t{};
    for (const KeyRow& r : kJisKeys) t[r.keycode] = {r.plain, r.shifted ? r.shifted : r.plain};
    // What a US keyboard types for the two keys it lacks.
    t[kanakeys::kGrave] = {u'ろ', u'ろ'};
    t[kanakeys::kMu].shifted = u'ー';
    return t;
}();

// Kana keys by the character they type: the hiragana block (゛ and ゜ included), then the few
// outside it.
constexpr char16_t kHiraganaFirst = 0x3040;
constexpr int kHiraganaSlots = 0x60;
constexpr char16_t kOthers[] = {u'ー', u'、', u'。'};
constexpr int kOtherSlots = int(std::size(kOthers));

constexpr int SlotOf(char16_t k) {
    if (k >= kHiraganaFirst && k < kHiraganaFirst + kHiraganaSlots) return k - kHiraganaFirst;
    for (int i = 0; i < kOtherSlots; ++i)
        if (kOthers[i] == k) return kHiraganaSlots + i;
    return -1;
}

// Where each kana key lies, from the JIS rows only (a US keyboard's stand-ins are extras).
constexpr std::array<KanaKeyPlace, kHiraganaSlots + kOtherSlots> kPlaces = [] {
    std::array<KanaKeyPlace, kHiraganaSlots + kOtherSlots> t{};
    for (const KeyRow& r : kJisKeys) {
        t[SlotOf(r.plain)] = {r.keycode, false};
        if (r.shifted) t[SlotOf(r.shifted)] = {r.keycode, true};
    }
    return t;
}();

// The voiced and half-voiced hiragana lie one and two code points after their base kana.
constexpr char16_t kVoiced[] = u"がぎぐげござじずぜぞだぢづでどばびぶべぼ";
constexpr char16_t kHalfVoiced[] = u"ぱぴぷぺぽ";

constexpr std::array<KanaStrokes, kHiraganaSlots> kHiraganaStrokes = [] {
    std::array<KanaStrokes, kHiraganaSlots> t{};
    for (int i = 0; i < kHiraganaSlots; ++i)
        if (kPlaces[i].keycode != 0) t[i] = {{char16_t(kHiraganaFirst + i), 0}, 1};
    for (const char16_t* c = kVoiced; *c; ++c) t[*c - kHiraganaFirst] = {{char16_t(*c - 1), kDakuten}, 2};
    for (const char16_t* c = kHalfVoiced; *c; ++c)
        t[*c - kHiraganaFirst] = {{char16_t(*c - 2), kHandakuten}, 2};
    t[u'ゔ' - kHiraganaFirst] = {{u'う', kDakuten}, 2};
    return t;
}();

}  // namespace

char16_t KanaOfKey(quint32 x11Keycode, bool shift) {
    if (x11Keycode >= kKeycodes) return 0;
    const KeyKana& k = kByKeycode[x11Keycode];
    return shift ? k.shifted : k.plain;
}

bool PlaceOfKana(char16_t kanaKey, KanaKeyPlace& place) {
    const int slot = SlotOf(kanaKey);
    if (slot < 0 || kPlaces[slot].keycode == 0) return false;
    place = kPlaces[slot];
    return true;
}

KanaStrokes StrokesOf(char16_t c) {
    if (c >= kHiraganaFirst && c < kHiraganaFirst + kHiraganaSlots)
        return kHiraganaStrokes[c - kHiraganaFirst];
    switch (c) {
        case u'ヴ':
            return {{u'う', kDakuten}, 2};
        case u'ー':
        case u'ｰ':
            return {{u'ー', 0}, 1};
        case u'、':
        case u'､':
            return {{u'、', 0}, 1};
        case u'。':
        case u'｡':
            return {{u'。', 0}, 1};
        default:
            return {};
    }
}

QString KanaKeysOf(QStringView reading) {
    QString keys;
    keys.reserve(reading.size() * 2);
    for (QChar c : reading) {
        const KanaStrokes s = StrokesOf(c.unicode());
        keys.append(QStringView(s.keys, s.count));
    }
    return keys;
}

}  // namespace kd
