#pragma once
#include <QString>

#include "engine/RomajiGuide.h"

namespace kd {

class GameState;
class GuideLabel;

// The romaji guide of a play screen: a line of its own under the question panel, filled from
// the judge after every key. The player's forms are learned as they type and stored when play
// ends, never on the key path.
class GuideStrip {
  public:
    static constexpr int kHeight = 22;

    // label: the strip, placed by the screen.
    GuideStrip(GameState& g, GuideLabel* label);

    GuideLabel* Label() const { return m_label; }
    const RomajiChoices& Choices() const { return m_guide.Choices(); }

    // A key about to be judged for an idiom.
    void BeforeKey(const QString& display, int key);
    // A new question is up.
    void StartQuestion() { m_guide.StartQuestion(); }
    // Shows the line for what is still to type; with showing false (no idiom in play) clears it.
    void Refresh(const QString& display, bool showing);
    // Stores the choices learned since the last time, when there are any.
    void SaveChoices();

  private:
    GameState& m_g;
    GuideLabel* m_label;
    RomajiGuide m_guide;
    GuideLine m_shown;  // the line on the label now
    bool m_dirty = false;
};

}  // namespace kd
