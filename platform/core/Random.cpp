#include "platform/core/Random.h"

#include <QDateTime>

namespace kd {

float LcgRandom::NextFloat() {
    m_state = (m_state * 1140671485u + 12820163u) & 0xFFFFFFu;
    return float(m_state) / 16777216.0f;
}

void LcgRandom::ReseedFromClock() {
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    m_state = quint32((m_state ^ quint32(ms) ^ quint32(ms >> 24)) & 0xFFFFFFu);
}

float ScriptedRandom::NextFloat() {
    ++drawn;
    if (m_values.isEmpty()) return 0.0f;
    const float v = m_values.at(qMin(m_next, m_values.size() - 1));
    if (m_next < m_values.size()) ++m_next;
    return v;
}

}  // namespace kd
