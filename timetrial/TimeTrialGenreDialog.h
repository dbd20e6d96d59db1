#pragma once
#include "play/GenreDialog.h"

namespace kd {

class TimeTrialScreen;

// The time trial's genre dialog (DATA/gen). OK stores the choice as 0 or 1 and applies it to
// the open play screen at once; Cancel and the close box change nothing.
class TimeTrialGenreDialog : public GenreDialog {
    Q_OBJECT
  public:
    TimeTrialGenreDialog(AppContext& ctx, TimeTrialScreen* owner);

  protected:
    void OnChosen(Genre genre) override;

  private:
    TimeTrialScreen* m_owner;
};

}  // namespace kd
