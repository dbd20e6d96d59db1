#include "platform/widgets/Navigator.h"

#include <QApplication>

#include "platform/widgets/FormBase.h"
#include "platform/widgets/ZoomStage.h"

namespace kd {

bool Navigator::IsRegistered(Screen screen) const {
    const auto it = m_factories.constFind(screen);
    return it != m_factories.constEnd() && *it;
}

FormBase* Navigator::Show(Screen screen) {
    const auto it = m_factories.constFind(screen);
    if (it == m_factories.constEnd()) {
        const QByteArray name = ScreenName(screen).toLatin1();
#ifdef QT_NO_DEBUG
        qCritical("Navigator: screen %s is not registered", name.constData());
        return nullptr;
#else
        qFatal("Navigator: screen %s is not registered", name.constData());
#endif
    }
    NoteShown(screen);
    m_last = screen;
    if (!*it || !m_ctx) return nullptr;
    FormBase* form = (*it)(*m_ctx);
    if (!form) return nullptr;
    Track(form);
    QPointer<FormBase> guard(form);
    form->Load();
    if (guard && !guard->Unloading()) PresentForm(guard);
    return guard;
}

FormBase* Navigator::Replace(FormBase* current, Screen next) {
    QPointer<FormBase> cur(current);
    // Nowhere to go: the current screen stays rather than leaving the player with none.
    if (!m_factories.contains(next)) return Show(next);
    FormBase* shownForm = Show(next);
    if (cur) cur->Unload();
    return shownForm;
}

void Navigator::ShowModal(FormBase* dialog) {
    Track(dialog);
    dialog->setWindowModality(Qt::ApplicationModal);
    QPointer<FormBase> guard(dialog);
    dialog->Load();
    if (guard && !guard->Unloading()) PresentForm(guard);
}

void Navigator::EndProgram() {
    ended = true;
    for (const auto& f : OpenForms()) f->Unload();
    if (quitOnEnd) QCoreApplication::quit();
}

void Navigator::NoteShown(Screen screen) {
    // A session of hours shows tens of thousands of screens; only the recent ones are of use.
    if (shown.size() >= kShownKept) shown.removeFirst();
    shown << screen;
}

void Navigator::Track(FormBase* form) {
    // Forget the screens that have closed, so a long session does not pile them up.
    m_open.removeIf([](const QPointer<FormBase>& p) { return !p || p->Unloading(); });
    m_open << QPointer<FormBase>(form);
}

QList<FormBase*> Navigator::OpenForms() const {
    QList<FormBase*> out;
    for (const auto& p : m_open)
        if (p && !p->Unloading()) out << p.data();
    return out;
}

FormBase* Navigator::Current() const {
    const auto open = OpenForms();
    return open.isEmpty() ? nullptr : open.last();
}

}  // namespace kd
