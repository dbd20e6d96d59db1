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

// Return and the keypad's Enter.
inline bool IsEnterKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Base of every screen: fixed client size, caption, background picture, load, key
// preview and query-unload that knows whether the player or the program closed it.
class ScreenBase : public QWidget {
    Q_OBJECT
  public:
    // Who closes a screen: the player (the close box, which a screen may refuse) or the program.
    enum class CloseReason { Player, Program };

    // A dialog passes its owner as parent; screens are top-level windows.
    ScreenBase(AppContext& ctx, const QString& formName, QWidget* owner = nullptr);
    // A screen the navigator opens: named after it.
    ScreenBase(AppContext& ctx, Screen screen, QWidget* owner = nullptr);
    ~ScreenBase() override;

    AppContext& ctx;
    GameState& g;

    // The navigator's name of this screen; nullopt for a dialog.
    std::optional<Screen> Id() const { return m_screen; }

    // Runs OnLoad once; the navigator calls it before showing the form.
    void Load();
    // The program closes this form: query-unload sees ProgramClosed and cannot cancel it.
    void CloseScreen();
    bool IsClosing() const { return m_closing; }
    // When the key the screen saw last was pressed, in the window system's milliseconds
    // (QInputEvent::timestamp); 0 before any key.
    ulong LastKeyTime() const { return m_lastKeyTime; }

  protected:
    void SetClientSize(int width, int height);
    void SetCaption(const QString& caption) { setWindowTitle(caption); }
    void SetBackgroundPicture(const QPixmap& picture);
    void SetBackgroundColor(const QColor& color);
    // The form sees every key first (key-down, then key-press) and keeps it from its controls.
    void SetKeysFirst(bool on);
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

    // Builds the screen's state once, before it is first shown.
    virtual void OnLoad() {}
    // After OnLoad: for a base class that adds to every screen built on it.
    virtual void AfterLoad() {}
    // Every key reaches the screen first: its Qt::Key, then the character it typed.
    virtual void OnKeyDown(int key, Qt::KeyboardModifiers modifiers) {
        Q_UNUSED(key);
        Q_UNUSED(modifiers);
    }
    // The typed character (its UTF-16 code; 8, 13 and 27 for Backspace, Enter and Esc).
    virtual void OnKeyTyped(int character) { Q_UNUSED(character); }
    // The physical key of the key press being handled (its X keycode on xcb, 0 where the
    // platform gives none) and whether Shift was held: the kana layout reads keys by place.
    quint32 KeyScanCode() const { return m_keyScanCode; }
    bool KeyShifted() const { return m_keyShifted; }
    // Return false to keep the screen open (only honoured when the player closed it).
    virtual bool MayClose(CloseReason reason) {
        Q_UNUSED(reason);
        return true;
    }
    // The screen is closing: stop what it started.
    virtual void OnClose() {}

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
    bool m_closing = false;
    bool m_keysFirst = false;
    quint32 m_keyScanCode = 0;
    bool m_keyShifted = false;
    ulong m_lastKeyTime = 0;
};

}  // namespace kd
