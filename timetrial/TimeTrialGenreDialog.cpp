#include "timetrial/TimeTrialGenreDialog.h"

#include "timetrial/TimeTrialScreen.h"

namespace kd {

TimeTrialGenreDialog::TimeTrialGenreDialog(AppContext& ctx, TimeTrialScreen* owner)
    : GenreDialog(ctx, owner, GenreDialogMode::TimeTrial), m_owner(owner) {}

void TimeTrialGenreDialog::OnChosen(Genre genre) {
    if (m_owner) m_owner->ApplyGenre(GenreKey(genre));
}

}  // namespace kd
