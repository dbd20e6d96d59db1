#pragma once
#include "play/GenreDialog.h"

namespace kd {

class frmTimeTrial;

// The time trial's genre dialog (DATA/gen). OK stores the choice as 0 or 1 and applies it to
// the open play screen at once; Cancel and the close box change nothing.
class frmSettingTimeTrial : public GenreDialog {
    Q_OBJECT
  public:
    frmSettingTimeTrial(AppContext& ctx, frmTimeTrial* owner);

  protected:
    void OnChosen(Genre genre) override;

  private:
    frmTimeTrial* m_owner;
};

}  // namespace kd
