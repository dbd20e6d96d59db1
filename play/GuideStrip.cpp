#include "play/GuideStrip.h"

#include "common/GameState.h"
#include "engine/KanaGuide.h"
#include "learning/TrainingSettings.h"
#include "play/GuideText.h"

namespace kd {

GuideStrip::GuideStrip(GameState& g, GuideLabel* label)
    : m_g(g), m_label(label), m_guide(LoadRomajiChoices(g)) {}

void GuideStrip::BeforeKey(const QString& display, int key) {
    if (m_g.judge.Method() == InputMethod::Kana) return;  // nothing to learn: one key per kana
    if (m_guide.BeforeKey(m_g.judge, display, key)) m_dirty = true;
}

void GuideStrip::Refresh(const QString& display, bool showing) {
    const bool kana = m_g.judge.Method() == InputMethod::Kana;
    const GuideLine line = !showing || display.isEmpty() ? GuideLine()
                           : kana                        ? KanaGuideLine(m_g.judge, display)
                                                         : m_guide.Line(m_g.judge, display);
    // Most keys change the line; a wrong key leaves it, and then nothing is drawn again.
    if (line == m_shown) return;
    m_shown = line;
    m_label->SetLine(line);
}

void GuideStrip::SaveChoices() {
    if (!m_dirty) return;
    if (SaveRomajiChoices(m_g, m_guide.Choices())) m_dirty = false;
}

}  // namespace kd
