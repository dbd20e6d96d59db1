#pragma once
#include <functional>

#include "learning/QuestionSetStore.h"
#include "platform/widgets/ScreenBase.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace kd {

// The player's own question sets: each with its kind and size, renamed or removed here.
// Modal over the practice settings; onChanged runs after every change.
class QuestionSetsDialog : public ScreenBase {
    Q_OBJECT
  public:
    QuestionSetsDialog(AppContext& ctx, QWidget* owner, std::function<void()> onChanged = {});

    QListWidget* setList;
    QLineEdit* nameEdit;
    QPushButton* renameButton;
    QPushButton* removeButton;
    QPushButton* closeButton;

  protected:
    void OnLoad() override;

  private:
    void FillList(qint64 select);
    void ShowChosenSet();
    void RenameSet();
    void RemoveSet();
    // The set the list has chosen, or nullptr.
    const QuestionSetInfo* Chosen() const;
    // The store of the player's record, or a message saying why there is none.
    std::optional<QuestionSetStore> Store();

    std::function<void()> m_onChanged;
    QList<QuestionSetInfo> m_sets;
};

}  // namespace kd
