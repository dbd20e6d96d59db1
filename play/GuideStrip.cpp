#include "play/GuideStrip.h"

#include <QLabel>
#include <QPalette>

#include "common/GameState.h"
#include "learning/TrainingSettings.h"
#include "training/GuideText.h"

namespace kd {

GuideStrip::GuideStrip(GameState& g, QLabel* label) : m_g(g), m_label(label), m_guide(LoadRomajiChoices(g)) {
    m_label->setObjectName(QStringLiteral("lblRomajiGuide"));
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setTextFormat(Qt::RichText);
    QFont f = m_label->font();
    f.setPixelSize(15);
    f.setBold(true);
    m_label->setFont(f);
    // Light letters need the dark strip also where the screen around it is light. A palette, not
    // a style sheet: style sheets make every repaint of the label resolve its rules again.
    QPalette pal = m_label->palette();
    pal.setColor(QPalette::Window, QColor(24, 32, 64));
    m_label->setPalette(pal);
    m_label->setAutoFillBackground(true);
    m_label->setAccessibleName(QStringLiteral("ローマ字ガイド"));
}

void GuideStrip::BeforeKey(const QString& display, int key) {
    if (m_guide.BeforeKey(m_g.objTypingSystem, display, key)) m_dirty = true;
}

void GuideStrip::Refresh(const QString& display, bool showing) {
    const GuideLine line =
        showing && !display.isEmpty() ? m_guide.Line(m_g.objTypingSystem, display) : GuideLine();
    // Most keys change the line; a wrong key leaves it, and then nothing is drawn again.
    if (line == m_shown) return;
    m_shown = line;
    ShowGuideLine(m_label, line);
}

void GuideStrip::SaveChoices() {
    if (!m_dirty) return;
    if (SaveRomajiChoices(m_g, m_guide.Choices())) m_dirty = false;
}

}  // namespace kd
