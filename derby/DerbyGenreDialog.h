#pragma once
#include "play/GenreDialog.h"

namespace kd {

// The derby's genre (idioms or English words), kept in DATA/genderby; modal over the
// character selection. A value other than 0 or 1 stays as it was unless the player picks.
class DerbyGenreDialog : public GenreDialog {
    Q_OBJECT
  public:
    DerbyGenreDialog(AppContext& ctx, QWidget* owner);
};

}  // namespace kd
