#pragma once
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <array>

#include "engine/TypingJudge.h"

namespace kd {

// The kana whose romaji the table offers two ways. The player's habit in each is remembered.
enum class RomajiFamily : quint8 { Si, Ti, Tu, Hu, Zi, Sya, Tya, Zya, N };
constexpr int kRomajiFamilyCount = 9;

// Which form the player uses in each family: 1 the table's first form (si, ti, tu, hu, zi, sya,
// tya, zya, nn), 2 the second (shi, chi, tsu, fu, ji, sha, cha, ja, and a single n for ん where
// one is enough).
class RomajiChoices {
  public:
    RomajiChoices();  // what most players learn first: shi chi tsu fu ji sha cha ja, nn

    int Slot(RomajiFamily f) const { return m_slot[int(f)]; }
    // Returns true when the choice changed.
    bool Set(RomajiFamily f, int slot);

    // Kept as text in the player's settings: "si=shi;ti=chi;...;nn=nn". Unknown or damaged parts
    // keep their defaults.
    QString ToText() const;
    static RomajiChoices FromText(QStringView text);
    // The name of a family's form: FormName(Si, 2) is "shi"; FormName(N, 2) is "n".
    static QString FormName(RomajiFamily f, int slot);

    bool operator==(const RomajiChoices&) const = default;

  private:
    std::array<quint8, kRomajiFamilyCount> m_slot;
};

// The guide line of a question: romaji typed so far, the key to type next and what follows.
// next is empty when the question is done, or when the rest of the reading cannot be typed
// (then cannotType is the kana that stops it and rest is empty).
struct GuideLine {
    QString typed;
    QString next;
    QString rest;
    QString cannotType;
    QString keyCap;  // kana input: the next key's place ("Shift+Z"); "" for romaji

    QString Plain() const { return typed + next + rest; }
    bool operator==(const GuideLine&) const = default;
};

// Shows the romaji of the reading still to type, following the player: the judge's own state
// says which forms are still possible, and the player's choices pick among them. The guide only
// reads the judge; it never changes what is accepted.
class RomajiGuide {
  public:
    explicit RomajiGuide(const RomajiChoices& choices = RomajiChoices()) : m_choices(choices) {}

    const RomajiChoices& Choices() const { return m_choices; }
    void SetChoices(const RomajiChoices& choices) { m_choices = choices; }

    // A new question is up: the letters typed for the last one are forgotten. The guide also
    // sees this by itself, from the judge's candidates being stale after a new question.
    void StartQuestion() { m_typed.resize(0); }

    // Call with the key before the judge sees it: learns the form the key chooses and keeps the
    // letter when it will be accepted. Returns true when a remembered choice changed.
    bool BeforeKey(const TypingJudge& judge, const QString& display, int key);

    // Whether the judge will count the key as correct (a single n's key judged again against
    // the next unit included); nothing is learned.
    bool Counts(const TypingJudge& judge, const QString& display, int key) const;

    // The line to show for the text still to type, after the judge has taken the last key.
    GuideLine Line(const TypingJudge& judge, const QString& display) const;

    // What a key would do, judged from the judge's state alone (the guide's own prediction; the
    // tests hold it against the judge).
    struct KeyOutcome {
        bool hit = false;
        int chosenSlot = 0;    // the single slot the key selects, 0 when not decided by this key
        bool singleN = false;  // the key ends ん after one n
    };
    static KeyOutcome Predict(const TypingJudge::Form (&forms)[5], int selected,
                              const TypingJudge::Head& head, int key);

    // The family of the unit at the head of a text, or -1 when it has one form only.
    static int FamilyAt(const TypingJudge::Head& head);

    // The whole reading spelled with the given choices (a fresh question); empty with
    // cannotType set when the reading holds a kana the table cannot type.
    static GuideLine Spell(const QString& reading, const RomajiChoices& choices);

  private:
    // Walks the key through the units it is judged against; learns the choices it makes when
    // choices is given. Returns whether it counts as correct.
    static bool Walk(const TypingJudge& judge, const QString& display, int key, RomajiChoices* choices,
                     bool* changed);

    RomajiChoices m_choices;
    QString m_typed;
};

}  // namespace kd
