#pragma once
#include <QPixmap>
#include <QString>
#include <QWidget>

class QPushButton;

#include <optional>

#include "platform/widgets/AppContext.h"
#include "platform/widgets/Screen.h"

namespace kd {

class GameState;

// Base of every screen: fixed client size, caption, background picture, load, key
// preview and query-unload that knows whether the player or the program closed it.
class FormBase : public QWidget {
    Q_OBJECT
  public:
    enum class UnloadMode { UserClosed, ProgramClosed };

    // A dialog passes its owner as parent; screens are top-level windows.
    FormBase(AppContext& ctx, const QString& formName, QWidget* owner = nullptr);
    // A screen the navigator opens: named after it.
    FormBase(AppContext& ctx, Screen screen, QWidget* owner = nullptr);
    ~FormBase() override;

    AppContext& ctx;
    GameState& g;

    // The navigator's name of this screen; nullopt for a dialog.
    std::optional<Screen> Id() const { return m_screen; }

    // Runs Form_Load once; the navigator calls it before showing the form.
    void Load();
    // The program closes this form: query-unload sees ProgramClosed and cannot cancel it.
    void Unload();
    bool Unloading() const { return m_unloading; }

  protected:
    void SetClientSize(int width, int height);
    void SetCaption(const QString& caption) { setWindowTitle(caption); }
    void SetBackgroundPicture(const QPixmap& picture);
    void SetBackgroundColor(const QColor& color);
    // The form sees every key first (key-down, then key-press) and keeps it from its controls.
    void SetKeyPreview(bool on);
    // Romaji keys must reach the judge even while the player's Japanese input method is on.
    void DisableInputMethod();
    // Enter clicks the focused button (else the default one), Esc the cancel button.
    void SetDefaultButtons(QPushButton* ok, QPushButton* cancel = nullptr);

    // Where this screen's Back leads (the table of Screen.cpp).
    Screen BackScreen() const;
    // "Close myself and show where Back leads".
    void GoBack();
    // The player is closing this screen: show where Back leads.
    void ShowBackTarget();

    virtual void Form_Load() {}
    // After Form_Load: for a base class that adds to every screen built on it.
    virtual void AfterLoad() {}
    // KeyCode as Windows numbers it (Space 32, Esc 27, Backspace 8, Enter 13, arrows 37-40,
    // letters 65-90); Shift is a mask (1 shift, 2 ctrl, 4 alt).
    virtual void Form_KeyDown(int KeyCode, int Shift) {
        Q_UNUSED(KeyCode);
        Q_UNUSED(Shift);
    }
    // The typed character (its UTF-16 code; 8, 13 and 27 for Backspace, Enter and Esc).
    virtual void Form_KeyPress(int KeyAscii) { Q_UNUSED(KeyAscii); }
    // Return false to keep the form open (only honoured when the player closed it).
    virtual bool Form_QueryUnload(UnloadMode mode) {
        Q_UNUSED(mode);
        return true;
    }
    virtual void Form_Unload() {}

    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPushButton* m_defaultButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPixmap m_background;
    std::optional<Screen> m_screen;
    bool m_loaded = false;
    bool m_unloading = false;
    bool m_keyPreview = false;
};

// Windows key code of a Qt key event.
int VbKeyCode(int qtKey);

}  // namespace kd
