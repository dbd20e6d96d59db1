#pragma once
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "platform/widgets/FormBase.h"

namespace kd {

class frmPractice;
class UpDown;

// The practice settings dialog, modal over the practice screen: genre and practice time.
// OK stores record 1 of DATA/PracticeTime and shows the setting on the practice screen.
class frmSettingPractice : public FormBase {
    Q_OBJECT
  public:
    frmSettingPractice(AppContext& ctx, frmPractice* owner);

    QString SelectedGenre;

    QGroupBox* frmGenre;
    QRadioButton* optGenre[2];
    QGroupBox* Frame1;
    QRadioButton* optLimited;
    QRadioButton* optNoLimited;
    QLabel* lblMinute;
    UpDown* udnMinute;
    QLabel* lblHun;
    QLabel* lblSecond;
    UpDown* udnSecond;
    QLabel* lblByo;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

  protected:
    void Form_Load() override;

  private:
    void optGenre_Click(int index);
    void limInit();
    void NolimInit();
    void SetTimeControlsEnabled(bool on);
    void cmdOk_Click();
    void cmdCancel_Click() { Unload(); }

    QPointer<frmPractice> m_owner;
};

}  // namespace kd
