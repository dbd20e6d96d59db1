#pragma once
#include "platform/widgets/FormBase.h"

class QPushButton;
class QRadioButton;

namespace kd {

class frmTimeTrial;

// The time trial's genre dialog (DATA/gen). OK stores the choice and applies it to the open
// play screen at once; Cancel and the close box change nothing.
class frmSettingTimeTrial : public FormBase {
    Q_OBJECT
  public:
    frmSettingTimeTrial(AppContext& ctx, frmTimeTrial* owner);

  protected:
    void Form_Load() override;
    // Enter confirms and Esc cancels, as in any dialog; the controls keep their own keys.

  private:
    void ShowSelection();
    void cmdOK_Click();
    void cmdCancel_Click();

    frmTimeTrial* m_owner;
    QRadioButton* optJp;
    QRadioButton* optEng;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
};

}  // namespace kd
