#include "timetrial/frmSettingTimeTrial.h"

#include "timetrial/frmTimeTrial.h"

namespace kd {

frmSettingTimeTrial::frmSettingTimeTrial(AppContext& ctx, frmTimeTrial* owner)
    : GenreDialog(ctx, owner, GenreDialogMode::TimeTrial), m_owner(owner) {}

void frmSettingTimeTrial::OnChosen(Genre genre) {
    if (m_owner) m_owner->ApplyGenre(GenreKey(genre));
}

}  // namespace kd
