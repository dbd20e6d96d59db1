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
    nav.Register(QStringLiteral("frmSelectChara"), [](AppContext& c) { return new frmSelectChara(c); });
    nav.Register(QStringLiteral("frmHeatInfo"), [](AppContext& c) { return new frmHeatInfo(c); });
    nav.Register(QStringLiteral("frmKeyDerby"), [](AppContext& c) { return new frmKeyDerby(c); });
    nav.Register(QStringLiteral("frmRankingKeyDerby"),
                 [](AppContext& c) { return new frmRankingKeyDerby(c); });
    nav.Register(QStringLiteral("frmBoss"), [](AppContext& c) { return new frmBoss(c); });
    nav.Register(QStringLiteral("frmIntroduction"), [](AppContext& c) { return new frmIntroduction(c); });
}

}  // namespace kd
