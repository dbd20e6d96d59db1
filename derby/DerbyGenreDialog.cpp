#include "derby/DerbyGenreDialog.h"

namespace kd {

DerbyGenreDialog::DerbyGenreDialog(AppContext& ctx_, QWidget* owner)
    : GenreDialog(ctx_, owner, GenreDialogMode::Derby) {}

}  // namespace kd
