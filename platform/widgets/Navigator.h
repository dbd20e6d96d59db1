#pragma once
#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

#include "platform/widgets/AppContext.h"

namespace kd {

class FormBase;

// Opens screens by name. A screen shown again is a new instance whose load runs again.
// Screens register a factory; a name without one is still recorded (a test of one mode
// can check that it hands over to the main menu without building it).
class Navigator {
public:
    using Factory = std::function<FormBase*(AppContext&)>;

    void SetContext(AppContext* ctx) { m_ctx = ctx; }
    void Register(const QString& name, Factory factory) { m_factories.insert(name, std::move(factory)); }
    bool IsRegistered(const QString& name) const { return m_factories.contains(name); }

    // Creates the screen, runs its load and shows it.
    FormBase* Show(const QString& name);
    // "Close myself and show the next screen": the next one is shown first, then the
    // current one is unloaded by the program (its query-unload sees ProgramClosed).
    FormBase* Replace(FormBase* current, const QString& next);
    // Shows a dialog (constructed with its owner as parent) modal over the application,
    // without a nested event loop; the dialog acts on its owner itself.
    void ShowModal(FormBase* dialog);
    // Ends the program: every open screen is unloaded and the application quits.
    void EndProgram();

    // The newest screen still open (dialogs included), or null.
    FormBase* Current() const;
    // Name of the screen shown last (also when it had no factory).
    QString CurrentName() const { return m_lastName; }
    QList<FormBase*> OpenForms() const;

    QStringList shown;  // the names shown, in order: the last kShownKept of them
    static constexpr int kShownKept = 1000;
    bool ended = false;      // EndProgram was called
    bool quitOnEnd = true;   // tests keep the application alive

private:
    void Track(FormBase* form);
    void NoteShown(const QString& name);
    AppContext* m_ctx = nullptr;
    QHash<QString, Factory> m_factories;
    QList<QPointer<FormBase>> m_open;
    QString m_lastName;
};

}  // namespace kd
