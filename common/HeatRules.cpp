#include "common/HeatRules.h"

#include <QtGlobal>

namespace kd {

HeatSettlement SettleHeat(int nextRank, std::array<int, 4> finishOrder, std::array<bool, 4> finished,
                          const std::array<int, 4>& laneCharacters) {
    HeatSettlement s;
    s.place = qBound(1, nextRank, 4);
    finishOrder[s.place - 1] = laneCharacters[0];
    finished[0] = true;
    if (s.place <= 2) {
        s.advances = true;
        if (s.place == 2) s.coQualifier = finishOrder[0];
    }
    if (s.place <= 3) {
        int next = s.place + 1;
        for (int j = 1; j <= 3 && next <= 4; ++j) {
            if (finished[j]) continue;
            finishOrder[next - 1] = laneCharacters[j];
            finished[j] = true;
            if (next == 2) s.coQualifier = laneCharacters[j];
            ++next;
        }
    }
    s.finishOrder = finishOrder;
    s.finished = finished;
    return s;
}

}  // namespace kd
