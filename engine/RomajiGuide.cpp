#include "engine/RomajiGuide.h"

#include <QStringList>

namespace kd {

namespace {

using Form = TypingJudge::Form;
using Head = TypingJudge::Head;

// The two forms of each family, as the player reads and stores them.
constexpr const char* kFormNames[kRomajiFamilyCount][2] = {
    {"si", "shi"},  {"ti", "chi"},  {"tu", "tsu"}, {"hu", "fu"}, {"zi", "ji"},
    {"sya", "sha"}, {"tya", "cha"}, {"zya", "ja"}, {"nn", "n"},
};

// The kana that starts each family: alone, and with a small ゃ, ゅ or ょ after it (-1: none).
struct FamilyHead {
    char16_t kana;
    int alone, contracted;
};
constexpr FamilyHead kFamilyHeads[] = {
    {u'し', int(RomajiFamily::Si), int(RomajiFamily::Sya)},
    {u'ち', int(RomajiFamily::Ti), int(RomajiFamily::Tya)},
    {u'じ', int(RomajiFamily::Zi), int(RomajiFamily::Zya)},
    {u'つ', int(RomajiFamily::Tu), -1},
    {u'ふ', int(RomajiFamily::Hu), -1},
    {u'ん', int(RomajiFamily::N), -1},
};

// A key after a single n that the judge takes as the end of ん and the start of the next unit.
// ",", "." and "-" would end ん too, but would then have to be typed again.
bool AllowsSingleN(int ch) {
    return ch >= 0 && ch != 'n' && !TypingJudge::ContinuesN(ch) && !TypingJudge::EndsUnit(ch);
}

// The form the line shows for a unit: the judge's chosen slot, or else the player's choice
// among the slots still open, or else the first of them.
const Form* ShownForm(const Form (&forms)[5], int selected, const Head& head, const RomajiChoices& choices) {
    if (selected != 0 && !forms[selected].empty()) return &forms[selected];
    const int family = RomajiGuide::FamilyAt(head);
    if (family >= 0 && family != int(RomajiFamily::N)) {
        const Form& preferred = forms[choices.Slot(RomajiFamily(family))];
        if (!preferred.empty()) return &preferred;
    }
    for (int i = 1; i <= 4; ++i)
        if (!forms[i].empty()) return &forms[i];
    return nullptr;
}

// Appends the romaji of display[pos..] to out; the first unit is judged from the given forms
// (the judge's state), the rest from fresh forms. Stops at a unit that cannot be typed.
void SpellFrom(QStringView display, const Form (&first)[5], int firstSelected, const RomajiChoices& choices,
               QString& out, QString& cannotType) {
    const bool singleNWanted = choices.Slot(RomajiFamily::N) == 2;
    qsizetype pendingN = -1;  // where a droppable second n of ん stands in out
    Form forms[5];
    qsizetype pos = 0;
    for (bool firstUnit = true; pos < display.size(); firstUnit = false) {
        const Head head = TypingJudge::HeadAt(display, pos);
        int selected = 0;
        if (firstUnit) {
            for (int i = 0; i < 5; ++i) forms[i] = first[i];
            selected = firstSelected;
        } else {
            TypingJudge::BuildCandidates(head, forms);
        }
        const Form* shown = ShownForm(forms, selected, head, choices);
        if (!shown) {
            cannotType = display.mid(pos, TypingJudge::UnitLength(head)).toString();
            break;
        }
        if (pendingN >= 0 && AllowsSingleN(shown->first())) out.remove(pendingN, 1);
        pendingN = -1;
        const QString text = shown->toString();
        if (singleNWanted && head.at(0) == u'ん' && text.endsWith(u'n'))
            pendingN = out.size() + text.size() - 1;
        out += text;
        pos += TypingJudge::UnitLength(head);
    }
}

// Whether one n would do for ん at the head of display: a typeable unit follows whose first key
// cannot join the n into another kana.
bool SingleNPossible(QStringView display) {
    if (display.size() < 2) return false;
    Form forms[5];
    TypingJudge::BuildCandidates(TypingJudge::HeadAt(display, 1), forms);
    return AllowsSingleN(forms[1].first());
}

}  // namespace

// ---- Choices ----------------------------------------------------------------------------------

RomajiChoices::RomajiChoices() {
    m_slot.fill(2);
    m_slot[int(RomajiFamily::N)] = 1;
}

bool RomajiChoices::Set(RomajiFamily f, int slot) {
    if (slot != 1 && slot != 2) return false;
    if (m_slot[int(f)] == slot) return false;
    m_slot[int(f)] = quint8(slot);
    return true;
}

QString RomajiChoices::ToText() const {
    QStringList parts;
    for (int f = 0; f < kRomajiFamilyCount; ++f)
        parts << QLatin1String(kFormNames[f][0]) + u'=' + QLatin1String(kFormNames[f][m_slot[f] - 1]);
    return parts.join(u';');
}

RomajiChoices RomajiChoices::FromText(QStringView text) {
    RomajiChoices c;
    for (QStringView part : text.split(u';')) {
        const qsizetype eq = part.indexOf(u'=');
        if (eq < 0) continue;
        const QStringView key = part.left(eq).trimmed();
        const QStringView value = part.mid(eq + 1).trimmed();
        for (int f = 0; f < kRomajiFamilyCount; ++f) {
            if (key != QLatin1String(kFormNames[f][0])) continue;
            for (int slot = 1; slot <= 2; ++slot)
                if (value == QLatin1String(kFormNames[f][slot - 1])) c.m_slot[f] = quint8(slot);
        }
    }
    return c;
}

QString RomajiChoices::FormName(RomajiFamily f, int slot) {
    if (slot != 1 && slot != 2) return QString();
    return QLatin1String(kFormNames[int(f)][slot - 1]);
}

// ---- The guide --------------------------------------------------------------------------------

int RomajiGuide::FamilyAt(const Head& head) {
    const int p = head.at(0) == u'っ' ? 1 : 0;
    const bool contracted = TypingJudge::IsContractedSmall(head.at(p + 1));
    for (const FamilyHead& f : kFamilyHeads) {
        if (f.kana != head.at(p)) continue;
        if (contracted) return f.contracted;
        return f.kana == u'ん' && p != 0 ? -1 : f.alone;  // っん is no ん to choose a form for
    }
    return -1;
}

RomajiGuide::KeyOutcome RomajiGuide::Predict(const Form (&forms)[5], int selected, const Head& head,
                                             int key) {
    // The judge's own choice of a slot, step by step, on copies.
    Form working = forms[0];
    int s = selected;
    if (s == 0) {
        for (int i = 1; i <= 4; ++i) {
            if (forms[i].first() != key) continue;
            if (working.empty() && s == 0) {
                s = i;
            } else {
                working = forms[s];
                s = 0;
            }
        }
    }
    const Form& c = s != 0 ? forms[s] : working;
    KeyOutcome out;
    const bool matches = c.first() == key;
    const bool singleN = c.first() == 'n' && head.at(0) == u'ん' && !TypingJudge::ContinuesN(key);
    if (!matches && !singleN) return out;
    out.hit = true;
    out.chosenSlot = selected == 0 ? s : 0;
    out.singleN = singleN && !matches && !TypingJudge::EndsUnit(key);
    return out;
}

bool RomajiGuide::Walk(const TypingJudge& judge, const QString& display, int key, RomajiChoices* choices,
                       bool* changed) {
    Form forms[5];
    int selected = 0;
    Head head = TypingJudge::HeadOf(display);
    judge.PeekUnit(head, forms, selected);

    QStringView rest(display);
    for (;;) {
        const KeyOutcome o = Predict(forms, selected, head, key);
        if (!o.hit) return false;
        const int family = FamilyAt(head);
        if (!choices) {
            // nothing to learn
        } else if (family == int(RomajiFamily::N)) {
            if (o.singleN)
                *changed |= choices->Set(RomajiFamily::N, 2);
            else if (key == 'n' && selected != 0 && !forms[selected].startsWithNN() && SingleNPossible(rest))
                *changed |= choices->Set(RomajiFamily::N, 1);  // nn typed where one n would do
        } else if (family >= 0 && o.chosenSlot != 0 && !forms[2].empty()) {
            *changed |= choices->Set(RomajiFamily(family), o.chosenSlot);
        }
        if (!o.singleN) return true;
        // One n ended ん; the judge takes the same key again for the next unit.
        rest = rest.mid(1);
        head = TypingJudge::HeadAt(rest, 0);
        TypingJudge::BuildCandidates(head, forms);
        selected = 0;
    }
}

bool RomajiGuide::Counts(const TypingJudge& judge, const QString& display, int key) const {
    return Walk(judge, display, key, nullptr, nullptr);
}

bool RomajiGuide::BeforeKey(const TypingJudge& judge, const QString& display, int key) {
    if (!judge.CandidatesAreReady()) StartQuestion();
    bool changed = false;
    if (Walk(judge, display, key, &m_choices, &changed)) m_typed += QChar(char16_t(key));
    return changed;
}

GuideLine RomajiGuide::Line(const TypingJudge& judge, const QString& display) const {
    GuideLine line;
    if (judge.CandidatesAreReady()) line.typed = m_typed;  // else a new question, not yet begun
    if (display.isEmpty()) return line;
    Form forms[5];
    int selected = 0;
    judge.PeekUnit(TypingJudge::HeadOf(display), forms, selected);
    QString romaji;
    romaji.reserve(display.size() * 3);
    SpellFrom(display, forms, selected, m_choices, romaji, line.cannotType);
    if (!line.cannotType.isEmpty() && romaji.isEmpty()) return line;
    line.next = romaji.left(1);
    line.rest = romaji.mid(1);
    return line;
}

GuideLine RomajiGuide::Spell(const QString& reading, const RomajiChoices& choices) {
    GuideLine line;
    if (reading.isEmpty()) return line;
    Form forms[5];
    TypingJudge::BuildCandidates(TypingJudge::HeadOf(reading), forms);
    QString romaji;
    SpellFrom(reading, forms, 0, choices, romaji, line.cannotType);
    line.next = romaji.left(1);
    line.rest = romaji.mid(1);
    return line;
}

}  // namespace kd
