#include "platform/core/TickCounter.h"

namespace kd {

SteadyTickCounter::SteadyTickCounter() {
    m_timer.start();
}

qint32 SteadyTickCounter::GetTickCount() {
    return qint32(quint32(quint64(m_timer.elapsed())));
}

}  // namespace kd
