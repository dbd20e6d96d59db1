#pragma once
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "learning/PracticeSource.h"
#include "platform/widgets/ScreenBase.h"

class QComboBox;

namespace kd {

class PracticeScreen;
class UpDown;

// The practice settings dialog, modal over the practice screen: genre and practice time.
// OK stores record 1 of DATA/PracticeTime and shows the setting on the practice screen.
// Besides the bank's genres it offers the weak-spot drill and the player's own question sets;
// that choice is kept in the learning record, the file keeps the bank genre it plays.
class PracticeSettingsDialog : public ScreenBase {
    Q_OBJECT
  public:
    PracticeSettingsDialog(AppContext& ctx, PracticeScreen* owner);

    QString SelectedGenre;
    PracticeSource SelectedSource;

    QGroupBox* frmGenre;
    QRadioButton* optGenre[2];
    QRadioButton* optDrill;
    QRadioButton* optOwnSet;
    QComboBox* cboSets;
    QPushButton* cmdManageSets;
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
    void OnLoad() override;

  private:
    void optGenre_Click(int index);
    void optDrill_Click();
    void optOwnSet_Click();
    // Fills the list of own sets, keeping the one chosen when it is still there.
    void FillSets();
    void cmdManageSets_Click();
    void MarkChosen(QRadioButton* chosen);
    void limInit();
    void NolimInit();
    void SetTimeControlsEnabled(bool on);
    void cmdOk_Click();
    void cmdCancel_Click() { CloseScreen(); }

    QPointer<PracticeScreen> m_owner;
    QList<QuestionSetInfo> m_sets;
};

}  // namespace kd
