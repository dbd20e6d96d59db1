#include "derby/Register.h"

#include "derby/frmBoss.h"
#include "derby/frmHeatInfo.h"
#include "derby/frmIntroduction.h"
#include "derby/frmKeyDerby.h"
#include "derby/frmRankingKeyDerby.h"
#include "derby/frmSelectChara.h"
#include "platform/widgets/Navigator.h"

namespace kd {

void RegisterDerbyScreens(Navigator& nav) {
    nav.Register(Screen::SelectChara, [](AppContext& c) { return new frmSelectChara(c); });
    nav.Register(Screen::HeatInfo, [](AppContext& c) { return new frmHeatInfo(c); });
    nav.Register(Screen::KeyDerby, [](AppContext& c) { return new frmKeyDerby(c); });
    nav.Register(Screen::RankingKeyDerby, [](AppContext& c) { return new frmRankingKeyDerby(c); });
    nav.Register(Screen::Boss, [](AppContext& c) { return new frmBoss(c); });
    nav.Register(Screen::Introduction, [](AppContext& c) { return new frmIntroduction(c); });
}

}  // namespace kd
