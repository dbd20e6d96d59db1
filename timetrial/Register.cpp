#include "timetrial/Register.h"

#include "platform/widgets/Navigator.h"
#include "timetrial/frmRankingTimeTrial.h"
#include "timetrial/frmResultTimeTrial.h"
#include "timetrial/frmTimeTrial.h"

namespace kd {

void RegisterTimetrialScreens(Navigator& nav) {
    nav.Register(Screen::TimeTrial, [](AppContext& c) { return new frmTimeTrial(c); });
    nav.Register(Screen::ResultTimeTrial, [](AppContext& c) { return new frmResultTimeTrial(c); });
    nav.Register(Screen::RankingTimeTrial, [](AppContext& c) { return new frmRankingTimeTrial(c); });
}

}  // namespace kd
