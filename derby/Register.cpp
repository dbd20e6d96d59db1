#include "derby/Register.h"

#include "derby/BossScreen.h"
#include "derby/CharacterSelectScreen.h"
#include "derby/HeatInfoScreen.h"
#include "derby/RaceRankingScreen.h"
#include "derby/RaceScreen.h"
#include "derby/RollCallScreen.h"
#include "platform/widgets/Navigator.h"

namespace kd {

void RegisterDerbyScreens(Navigator& nav) {
    nav.Register(Screen::SelectChara, [](AppContext& c) { return new CharacterSelectScreen(c); });
    nav.Register(Screen::HeatInfo, [](AppContext& c) { return new HeatInfoScreen(c); });
    nav.Register(Screen::KeyDerby, [](AppContext& c) { return new RaceScreen(c); });
    nav.Register(Screen::RankingKeyDerby, [](AppContext& c) { return new RaceRankingScreen(c); });
    nav.Register(Screen::Boss, [](AppContext& c) { return new BossScreen(c); });
    nav.Register(Screen::Introduction, [](AppContext& c) { return new RollCallScreen(c); });
}

}  // namespace kd
