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

    QGroupBox* genreGroup;
    QRadioButton* genreChoices[2];
    QRadioButton* drillChoice;
    QRadioButton* ownSetChoice;
    QComboBox* ownSetCombo;
    QPushButton* manageSetsButton;
    QGroupBox* timeGroup;
    QRadioButton* limitedChoice;
    QRadioButton* unlimitedChoice;
    QLabel* minutesBox;
    UpDown* minutesUpDown;
    QLabel* minutesUnit;
    QLabel* secondsBox;
    UpDown* secondsUpDown;
    QLabel* secondsUnit;
    QPushButton* okButton;
    QPushButton* cancelButton;

  protected:
    void OnLoad() override;

  private:
    void ChooseGenre(int index);
    void ChooseDrill();
    void ChooseOwnSet();
    // Fills the list of own sets, keeping the one chosen when it is still there.
    void FillSets();
    void ManageSets();
    void MarkChosen(QRadioButton* chosen);
    void ShowLimited();
    void ShowUnlimited();
    void SetTimeControlsEnabled(bool on);
    void SaveSettings();
    void CancelSettings() { CloseScreen(); }

    QPointer<PracticeScreen> m_owner;
    QList<QuestionSetInfo> m_sets;
};

}  // namespace kd
