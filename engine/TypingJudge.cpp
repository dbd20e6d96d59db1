#include "engine/TypingJudge.h"

#include <array>

#include "platform/core/Audio.h"

namespace kd {

namespace {

// ---- The romaji vocabulary -------------------------------------------------------------------

// One row of a kana table: the kana it covers and what it adds to slot 1 and slot 2.
struct Rule {
    const char16_t* kana;
    const char* slot1;
    const char* slot2;
};

// Consonant of the kana's row.
constexpr Rule kConsonants[] = {
    {u"かきくけこ", "k", ""}, {u"がぎぐげご", "g", ""}, {u"さすせそ", "s", ""},   {u"し", "s", "s"},
    {u"ざずぜぞ", "z", ""},   {u"じ", "z", "j"},        {u"たてと", "t", ""},     {u"ち", "t", "c"},
    {u"つ", "t", "t"},        {u"だぢづでど", "d", ""}, {u"なにぬねの", "n", ""}, {u"はひへほ", "h", ""},
    {u"ふ", "h", "f"},        {u"ばびぶべぼ", "b", ""}, {u"ぱぴぷぺぽ", "p", ""}, {u"まみむめも", "m", ""},
    {u"やゆよ", "y", ""},     {u"らりるれろ", "r", ""}, {u"わを", "w", ""},       {u"、､", ",", ""},
    {u"。｡", ".", ""},        {u"ーｰ", "-", ""},
};

// Vowel (or the whole form for ん) that follows the consonant.
constexpr Rule kVowels[] = {
    {u"あかがさざただなはばぱまやらわ", "a", ""},
    {u"いきぎひびぴにぢみり", "i", ""},
    {u"しち", "i", "hi"},
    {u"じ", "i", "i"},
    {u"うくぐすずづぬぶぷむゆる", "u", ""},
    {u"つ", "u", "su"},
    {u"ふ", "u", "u"},
    {u"えけげせぜてでねへべぺめれ", "e", ""},
    {u"おこごそぞとどのほぼぽもよろを", "o", ""},
    {u"ん", "nn", ""},
};

// Consonant part of a kana followed by small ゃ, ゅ or ょ.
constexpr Rule kContracted[] = {
    {u"き", "ky", ""},  {u"し", "sy", "sh"}, {u"ち", "ty", "ch"}, {u"に", "ny", ""},
    {u"ひ", "hy", ""},  {u"み", "my", ""},   {u"り", "ry", ""},   {u"ぎ", "gy", ""},
    {u"じ", "zy", "j"}, {u"ぢ", "dy", ""},   {u"び", "by", ""},   {u"ぴ", "py", ""},
};

// Vowel of a small ゃ, ゅ or ょ after a contracted consonant.
constexpr Rule kContractedVowels[] = {{u"ゃ", "a", ""}, {u"ゅ", "u", ""}, {u"ょ", "o", ""}};

// Vowel of a small ぁ, ぃ, ぇ or ぉ in the two-kana units (くぁ, ヴぃ, うぇ, でぃ ...).
constexpr Rule kSmallVowels[] = {{u"ぁ", "a", ""}, {u"ぃ", "i", ""}, {u"ぇ", "e", ""}, {u"ぉ", "o", ""}};

// The kana a table can name: the hiragana block and the few marks outside it.
constexpr int kKanaSlots = 0x60 + 7;
constexpr char16_t kOutsideHiragana[7] = {u'ヴ', u'ー', u'、', u'。', u'｡', u'､', u'ｰ'};

constexpr int KanaSlot(char16_t k) {
    if (k >= 0x3040 && k < 0x30A0) return k - 0x3040;
    for (int i = 0; i < 7; ++i)
        if (kOutsideHiragana[i] == k) return 0x60 + i;
    return -1;
}

struct KanaRules {
    const Rule* consonant = nullptr;
    const Rule* vowel = nullptr;
    const Rule* contracted = nullptr;
    const Rule* contractedVowel = nullptr;
    const Rule* smallVowel = nullptr;
};

template <std::size_t N>
constexpr void Index(std::array<KanaRules, kKanaSlots>& out, const Rule (&rules)[N],
                     const Rule* KanaRules::*field) {
    for (const Rule& r : rules)
        for (const char16_t* k = r.kana; *k; ++k) out[KanaSlot(*k)].*field = &r;
}

constexpr std::array<KanaRules, kKanaSlots> kRulesByKana = [] {
    std::array<KanaRules, kKanaSlots> t{};
    Index(t, kConsonants, &KanaRules::consonant);
    Index(t, kVowels, &KanaRules::vowel);
    Index(t, kContracted, &KanaRules::contracted);
    Index(t, kContractedVowels, &KanaRules::contractedVowel);
    Index(t, kSmallVowels, &KanaRules::smallVowel);
    return t;
}();

const KanaRules& RulesOf(char16_t k) {
    static constexpr KanaRules none{};
    const int slot = KanaSlot(k);
    return slot < 0 ? none : kRulesByKana[slot];
}

// The vowel a small kana adds, looked up in one of its tables; null for any other kana.
const char* VowelOf(char16_t k, const Rule* KanaRules::*table) {
    const Rule* r = RulesOf(k).*table;
    return r ? r->slot1 : nullptr;
}

const char* ContractedVowel(char16_t k) {
    return VowelOf(k, &KanaRules::contractedVowel);
}

const char* SmallVowel(char16_t k) {
    return VowelOf(k, &KanaRules::smallVowel);
}

// The two-kana units (くぁ, ヴぃ, うぇ, でぃ ...): their consonant, or null when t is no such unit.
const char* PairConsonant(char16_t first, char16_t second) {
    switch (first) {
        case u'く':
            return SmallVowel(second) ? "q" : nullptr;
        case u'ヴ':
            return SmallVowel(second) ? "v" : nullptr;
        case u'う':
            return (second == u'ぃ' || second == u'ぇ') ? "w" : nullptr;
        case u'で':
            return second == u'ぃ' ? "dh" : nullptr;
        default:
            return nullptr;
    }
}

constexpr int kNoChar = -1;

// The key code as the character the keyboard delivers on a Japanese system (code page 932,
// single bytes only): ASCII, and half-width katakana at A1-DF. Anything else is a code that
// names no character and matches nothing.
int AnsiChar(int keyAscii) {
    if (keyAscii >= 0 && keyAscii < 0x80) return keyAscii;
    if (keyAscii >= 0xA1 && keyAscii <= 0xDF) return 0xFF61 + (keyAscii - 0xA1);
    return kNoChar;
}

// Counts stop at the largest 16-bit number, as they always have, rather than growing past
// what the records and the result screens were made for.
constexpr int kMaxCount = 32767;

void Bump(int& counter) {
    if (counter < kMaxCount) ++counter;
}

}  // namespace

// ---- Forms and heads ------------------------------------------------------------------------

void TypingJudge::Form::append(const char* s) {
    while (*s && end < sizeof(text)) text[end++] = *s++;
}

void TypingJudge::Form::doubleFirst() {
    if (empty()) return;
    if (begin > 0) {
        --begin;
        text[begin] = text[begin + 1];
        return;
    }
    if (end >= sizeof(text)) return;
    for (int i = end; i > 0; --i) text[i] = text[i - 1];
    ++end;
}

TypingJudge::Head TypingJudge::HeadOf(const QString& display) {
    return HeadAt(display, 0);
}

TypingJudge::Head TypingJudge::HeadAt(QStringView display, qsizetype pos) {
    Head h;
    h.size = qMax<qsizetype>(display.size() - pos, 0);
    const qsizetype n = qMin<qsizetype>(h.size, 3);
    for (qsizetype i = 0; i < n; ++i) h.c[i] = display.at(pos + i).unicode();
    return h;
}

qsizetype TypingJudge::UnitLength(const Head& d) {
    const bool sokuon = d.at(0) == u'っ';
    const bool contractedThird = IsContractedSmall(d.at(2));
    if ((sokuon && !contractedThird) || IsContractedSmall(d.at(1))) return 2;
    if (sokuon && contractedThird) return 3;
    const char16_t h = d.at(0);
    if ((h == u'く' || h == u'ヴ' || h == u'う' || h == u'で') && SmallVowel(d.at(1))) return 2;
    return 1;
}

namespace {
bool IsRomajiVowel(int ch) {
    return ch == 'a' || ch == 'i' || ch == 'u' || ch == 'e' || ch == 'o';
}
}  // namespace

bool TypingJudge::IsContractedSmall(char16_t k) {
    return ContractedVowel(k) != nullptr;
}

bool TypingJudge::EndsUnit(int ch) {
    return IsRomajiVowel(ch) || ch == ',' || ch == '.' || ch == '-';
}

bool TypingJudge::ContinuesN(int ch) {
    return IsRomajiVowel(ch) || ch == 'y';
}

// ---- Candidates -----------------------------------------------------------------------------

// The steps run in this order; a later step may overwrite what an earlier one built.
void TypingJudge::BuildCandidates(const Head& d, Form (&forms)[5]) {
    for (Form& f : forms) f.clear();

    const int p = d.at(0) == u'っ' ? 1 : 0;  // only one leading っ counts
    const char16_t k = d.at(p);
    const KanaRules& rules = RulesOf(k);

    if (rules.consonant) {
        forms[1].append(rules.consonant->slot1);
        forms[2].append(rules.consonant->slot2);
    }
    if (rules.vowel) {
        forms[1].append(rules.vowel->slot1);
        forms[2].append(rules.vowel->slot2);
    }

    if (const char* v = ContractedVowel(d.at(p + 1))) {
        for (Form& f : forms) f.clear();
        if (rules.contracted) {
            forms[1].append(rules.contracted->slot1);
            forms[2].append(rules.contracted->slot2);
        }
        forms[1].append(v);
        if (!forms[2].empty()) forms[2].append(v);
    }

    // The pair test looks at the first two characters as they stand, so っくぁ is no pair.
    if (const char* consonant = PairConsonant(d.at(0), d.at(1))) {
        forms[1].clear();
        forms[1].append(consonant);
        forms[1].append(SmallVowel(d.at(1)));
    }

    if (d.at(0) == u'っ')
        for (Form& f : forms) f.doubleFirst();
}

void TypingJudge::MakeCandidates(const PlayLabels& labels) {
    BuildCandidates(HeadOf(labels.Display()), Candidate);
}

void TypingJudge::PeekUnit(const Head& d, Form (&forms)[5], int& selected) const {
    if (CandidatesReady) {
        for (int i = 0; i < 5; ++i) forms[i] = Candidate[i];
        selected = SelectedIndex;
        return;
    }
    // What JudgeKanaKey will build on the next key, with the same carry-over of a chosen slot.
    BuildCandidates(d, forms);
    selected = (SelectedIndex != 0 && forms[SelectedIndex].empty()) ? 0 : SelectedIndex;
}

QString TypingJudge::CandidateAt(int slot) const {
    return (slot >= 0 && slot < 5) ? Candidate[slot].toString() : QString();
}

// ---- The judges -----------------------------------------------------------------------------

TypingJudge::TypingJudge(Audio* audio, const bool* keySoundsOn)
    : m_audio(audio), m_keySoundsOn(keySoundsOn) {}

void TypingJudge::Reset() {
    CandidatesReady = false;
    m_kanaStroke = 0;
    SelectedIndex = 0;
    MissCount = 0;
    CorrectCount = 0;
}

void TypingJudge::PlaySoundEffect(bool isCorrect) {
    if (m_audio && m_keySoundsOn && *m_keySoundsOn) m_audio->PlaySoundEffect(isCorrect);
}

void TypingJudge::JudgeEnglishKey(PlayLabels& labels, int character) {
    const int ch = AnsiChar(character);
    qsizetype size = 0;
    bool fits = false;
    {
        // The copy must be gone before the label is edited, or the edit would copy the text.
        const QString d = labels.Display();
        size = d.size();
        fits = size > 0 && int(d.at(0).unicode()) == ch;
        if (m_reporting) {
            m_report.unit = d.left(1);
            m_report.forms = size > 0 ? QStringList{m_report.unit} : QStringList{};
            m_report.typed = QChar(char16_t(character));
            m_report.expectedKey = size > 0 ? d.at(0) : QChar();
            m_report.followedForm = fits ? m_report.unit : QString();
            m_report.hit = fits;
            m_report.unitDone = fits;
        }
    }
    if (fits) {
        labels.RemoveDisplayFront(1);
        Bump(CorrectCount);
        PlaySoundEffect(true);
        if (size == 1) labels.SetMonitor(QString());
    } else {
        Bump(MissCount);
        PlaySoundEffect(false);
    }
}

void TypingJudge::JudgeKanaKey(PlayLabels& labels, int character) {
    const Head d = HeadOf(labels.Display());
    if (!CandidatesReady) {
        BuildCandidates(d, Candidate);
        CandidatesReady = true;
        // A slot chosen while typing a replaced question carries over, but one the new unit
        // does not have would leave every key a miss until the next Reset.
        if (SelectedIndex != 0 && Candidate[SelectedIndex].empty()) SelectedIndex = 0;
    }
    Judge(labels, d, AnsiChar(character), character);
}

void TypingJudge::ReportBefore(const PlayLabels& labels, const Head& d, int character) {
    KeyReport& r = m_report;
    r.unit = labels.Display().left(UnitLength(d));
    m_reportInput = labels.Input();
    r.forms.clear();
    r.expectedKey = QChar();
    const int from = SelectedIndex != 0 ? SelectedIndex : 1;
    const int to = SelectedIndex != 0 ? SelectedIndex : 4;
    for (int i = from; i <= to; ++i) {
        if (Candidate[i].empty()) continue;
        if (r.expectedKey.isNull()) r.expectedKey = QChar(char16_t(Candidate[i].first()));
        r.forms << m_reportInput + Candidate[i].toString();
    }
    r.typed = QChar(char16_t(character));
    r.followedForm.clear();
    r.hit = false;
    r.unitDone = false;
}

// Long by choice: one pass over the candidate spellings per key, on the hot path.
void TypingJudge::Judge(PlayLabels& labels, const Head& d, int ch, int character) {
    if (m_reporting) ReportBefore(labels, d, character);

    // Choosing a slot: one fitting slot is selected; several leave 0 with slot 0 holding the
    // first of them.
    if (SelectedIndex == 0) {
        for (int i = 1; i <= 4; ++i) {
            if (Candidate[i].first() != ch) continue;
            if (Candidate[0].empty() && SelectedIndex == 0) {
                SelectedIndex = i;
            } else {
                Candidate[0] = Candidate[SelectedIndex];
                SelectedIndex = 0;
            }
        }
    }

    const Form& c = Candidate[SelectedIndex];
    const bool startsWithN = d.at(0) == u'ん';
    // A single n for ん is complete once a key follows that cannot join it into another kana.
    const bool singleN = c.first() == 'n' && startsWithN && !ContinuesN(ch);
    if (c.first() != ch && !singleN) {
        Bump(MissCount);
        PlaySoundEffect(false);
        return;
    }

    const int before = CorrectCount;
    Bump(CorrectCount);
    PlaySoundEffect(true);
    if (m_reporting) {
        m_report.hit = true;
        m_report.followedForm = m_reportInput + c.toString();
    }

    auto finishUnit = [&](qsizetype length) {
        m_report.unitDone = m_reporting;
        labels.RemoveDisplayFront(int(qMin(length, d.size)));
        labels.ClearInput();
        SelectedIndex = 0;
        MakeCandidates(labels);
    };

    if (EndsUnit(ch)) {
        finishUnit(UnitLength(d));
        return;
    }
    if (ch == 'n') {
        if (!c.startsWithNN() && startsWithN) {
            finishUnit(1);  // the second n of ん
            return;
        }
    } else if (c.first() == 'n' && startsWithN) {
        // One n was enough for ん and this key already belongs to the next unit: the key
        // counts there, not here.
        finishUnit(1);
        CorrectCount = before;
        JudgeKanaKey(labels, character);
        return;
    }

    if (SelectedIndex != 0) {
        Candidate[SelectedIndex].dropFirst();
    } else {
        for (int i = 1; i <= 4; ++i) Candidate[i].dropFirst();
    }
    Candidate[0].clear();
    labels.AppendInput(QChar(char16_t(ch)));
}

void TypingJudge::JudgeKanaInput(PlayLabels& labels, char16_t kanaKey, int character) {
    char16_t head = 0;
    {
        // The copy must be gone before the label is edited, or the edit would copy the text.
        const QString d = labels.Display();
        if (!d.isEmpty()) head = d.at(0).unicode();
    }
    const KanaStrokes strokes = StrokesOf(head);
    if (m_kanaStroke >= strokes.count) m_kanaStroke = 0;
    const char16_t expected = strokes.count > 0 ? strokes.keys[m_kanaStroke] : char16_t(0);
    const bool fits = kanaKey != 0 && kanaKey == expected;
    const bool done = fits && m_kanaStroke + 1 == strokes.count;
    if (m_reporting) {
        KeyReport& r = m_report;
        r.unit = head ? QString(QChar(head)) : QString();
        const QString whole = QString::fromUtf16(strokes.keys, strokes.count);
        r.forms = strokes.count > 0 ? QStringList{whole} : QStringList{};
        r.typed = QChar(kanaKey ? kanaKey : char16_t(character));
        r.expectedKey = QChar(expected);
        r.followedForm = fits ? whole : QString();
        r.hit = fits;
        r.unitDone = done;
    }
    if (!fits) {
        Bump(MissCount);
        PlaySoundEffect(false);
        return;
    }
    Bump(CorrectCount);
    PlaySoundEffect(true);
    if (done) {
        m_kanaStroke = 0;
        labels.RemoveDisplayFront(1);
        labels.ClearInput();
    } else {
        ++m_kanaStroke;
        labels.AppendInput(QChar(kanaKey));
    }
}

}  // namespace kd
