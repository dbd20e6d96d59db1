#include "derby/frmSettingKeyDerby.h"

namespace kd {

frmSettingKeyDerby::frmSettingKeyDerby(AppContext& ctx_, QWidget* owner)
    : GenreDialog(ctx_, owner, GenreDialogMode::Derby) {}

}  // namespace kd
