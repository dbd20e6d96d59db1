#pragma once
#include <QPushButton>
#include <QRadioButton>

#include "platform/widgets/FormBase.h"

namespace kd {

// The derby's genre (idioms or English words), kept in DATA/genderby; modal over the
// character selection.
class frmSettingKeyDerby : public FormBase {
    Q_OBJECT
  public:
    frmSettingKeyDerby(AppContext& ctx, QWidget* owner);

    qint16 GenreValue = 0;

    QRadioButton* optJp;
    QRadioButton* optEng;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    void optJp_Click();
    void optEng_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

  protected:
    void Form_Load() override;
    // Enter is OK and Escape is Cancel, as in any dialog; other keys go to the options.

  private:
    void MarkChoice(bool english);
    QString GenrePath() const;
};

}  // namespace kd
