#pragma once
#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <functional>

#include "platform/widgets/AppContext.h"
#include "platform/widgets/Screen.h"

namespace kd {

class ScreenBase;

// Opens screens. A screen shown again is a new instance whose load runs again.
// Each screen registers a factory. A null factory marks a screen this program does not build
// (a test of one mode checks that it hands over to the main menu without building it): showing
// it is only recorded. Showing a screen nobody registered is a programming error: a debug
// build stops at once, a release build logs it and stays where it is.
class Navigator {
  public:
    using Factory = std::function<ScreenBase*(AppContext&)>;

    void SetContext(AppContext* ctx) { m_ctx = ctx; }
    void Register(Screen screen, Factory factory) { m_factories.insert(screen, std::move(factory)); }
    // A factory that builds the screen (not a null stand-in).
    bool IsRegistered(Screen screen) const;

    // Creates the screen, runs its load and shows it.
    ScreenBase* Show(Screen screen);
    // "Close myself and show the next screen": the next one is shown first, then the
    // current one is unloaded by the program (its query-unload sees ProgramClosed).
    ScreenBase* Replace(ScreenBase* current, Screen next);
    // Shows a dialog (constructed with its owner as parent) modal over the application,
    // without a nested event loop; the dialog acts on its owner itself.
    void ShowModal(ScreenBase* dialog);
    // Ends the program: every open screen is unloaded and the application quits.
    void EndProgram();

    // The newest screen still open (dialogs included), or null.
    ScreenBase* Current() const;
    // The screen shown last (also when it was not built).
    std::optional<Screen> LastShown() const { return m_last; }
    QList<ScreenBase*> OpenForms() const;

    QList<Screen> shown;  // the screens shown, in order: the last kShownKept of them
    static constexpr int kShownKept = 1000;
    bool ended = false;     // EndProgram was called
    bool quitOnEnd = true;  // tests keep the application alive

  private:
    void Track(ScreenBase* form);
    void NoteShown(Screen screen);
    AppContext* m_ctx = nullptr;
    QHash<Screen, Factory> m_factories;
    QList<QPointer<ScreenBase>> m_open;
    std::optional<Screen> m_last;
};

}  // namespace kd
