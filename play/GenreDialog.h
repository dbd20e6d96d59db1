#pragma once
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

#include "platform/widgets/ScreenBase.h"
#include "questions/Genre.h"

class QPushButton;
class QRadioButton;

namespace kd {

// The modes that choose a genre in this dialog; each keeps its own look and file.
enum class GenreDialogMode { TimeTrial, Derby };

// How one mode shows its genre dialog.
struct GenreDialogLook {
    const char* name;    // object name
    const char* prompt;  // title of the frame around the two choices
    QSize client;
    QRect frame;
    QPoint jp, eng;   // the choices, inside the frame
    bool fitChoices;  // choices sized to their text
    QRect ok, cancel;
    std::optional<QColor> background;
    bool autoDefaultButtons;
    bool overOwner;  // centred over the owner's window
    // OK without a change writes back the value that was read, even one other than 0 or 1;
    // otherwise OK writes 0 or 1 as shown.
    bool keepUnchangedValue;
    const char* saveFailed;      // told when the file cannot be written, with the cause
    const char* saveFailedNote;  // and then this
};

// 日本語 or 英単語 in a genre file (0 or 1); modal over the mode's screen. OK stores the
// choice, Cancel and the close box change nothing; Enter is OK and Esc Cancel.
class GenreDialog : public ScreenBase {
    Q_OBJECT
  public:
    GenreDialog(AppContext& ctx, QWidget* owner, GenreDialogMode mode);

  protected:
    void OnLoad() override;
    // The choice is confirmed, before it is stored.
    virtual void OnChosen(Genre genre) { Q_UNUSED(genre); }

  private:
    void ShowSelection();
    void SaveGenre();

    const GenreDialogLook& m_look;
    QString m_path;
    QWidget* m_owner;
    qint16 m_read = 0;
    bool m_picked = false;  // the player chose (or clicked) a choice
    bool m_loaded = false;
    QRadioButton* genreJapanese;
    QRadioButton* genreEnglish;
    QPushButton* okButton;
    QPushButton* cancelButton;
};

}  // namespace kd
