#include "timetrial/Register.h"

#include "platform/widgets/Navigator.h"
#include "timetrial/TimeTrialRankingScreen.h"
#include "timetrial/TimeTrialResultScreen.h"
#include "timetrial/TimeTrialScreen.h"

namespace kd {

void RegisterTimetrialScreens(Navigator& nav) {
    nav.Register(Screen::TimeTrial, [](AppContext& c) { return new TimeTrialScreen(c); });
    nav.Register(Screen::ResultTimeTrial, [](AppContext& c) { return new TimeTrialResultScreen(c); });
    nav.Register(Screen::RankingTimeTrial, [](AppContext& c) { return new TimeTrialRankingScreen(c); });
}

}  // namespace kd
