#include "platform/widgets/Navigator.h"

#include <QApplication>

#include "platform/widgets/ScreenBase.h"
#include "platform/widgets/Zoom.h"

namespace kd {

bool Navigator::IsRegistered(Screen screen) const {
    const auto it = m_factories.constFind(screen);
    return it != m_factories.constEnd() && *it;
}

ScreenBase* Navigator::Show(Screen screen) {
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
    ScreenBase* form = (*it)(*m_ctx);
    if (!form) return nullptr;
    Track(form);
    QPointer<ScreenBase> guard(form);
    form->Load();
    if (guard && !guard->IsClosing()) PresentForm(guard);
    return guard;
}

ScreenBase* Navigator::Replace(ScreenBase* current, Screen next) {
    QPointer<ScreenBase> cur(current);
    // Nowhere to go: the current screen stays rather than leaving the player with none.
    if (!m_factories.contains(next)) return Show(next);
    ScreenBase* shownForm = Show(next);
    if (cur) cur->CloseScreen();
    return shownForm;
}

void Navigator::ShowModal(ScreenBase* dialog) {
    Track(dialog);
    dialog->setWindowModality(Qt::ApplicationModal);
    QPointer<ScreenBase> guard(dialog);
    dialog->Load();
    if (guard && !guard->IsClosing()) PresentForm(guard);
}

void Navigator::EndProgram() {
    ended = true;
    for (const auto& f : OpenForms()) f->CloseScreen();
    if (quitOnEnd) QCoreApplication::quit();
}

void Navigator::NoteShown(Screen screen) {
    // A session of hours shows tens of thousands of screens; only the recent ones are of use.
    if (shown.size() >= kShownKept) shown.removeFirst();
    shown << screen;
}

void Navigator::Track(ScreenBase* form) {
    // Forget the screens that have closed, so a long session does not pile them up.
    m_open.removeIf([](const QPointer<ScreenBase>& p) { return !p || p->IsClosing(); });
    m_open << QPointer<ScreenBase>(form);
}

QList<ScreenBase*> Navigator::OpenForms() const {
    QList<ScreenBase*> out;
    for (const auto& p : m_open)
        if (p && !p->IsClosing()) out << p.data();
    return out;
}

ScreenBase* Navigator::Current() const {
    const auto open = OpenForms();
    return open.isEmpty() ? nullptr : open.last();
}

}  // namespace kd
