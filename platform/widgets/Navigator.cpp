#include "platform/widgets/Navigator.h"

#include <QApplication>

#include "platform/widgets/FormBase.h"
#include "platform/widgets/ZoomStage.h"

namespace kd {

FormBase* Navigator::Show(const QString& name) {
    NoteShown(name);
    m_lastName = name;
    const auto it = m_factories.constFind(name);
    if (it == m_factories.constEnd() || !m_ctx) return nullptr;
    FormBase* form = (*it)(*m_ctx);
    if (!form) return nullptr;
    Track(form);
    QPointer<FormBase> guard(form);
    form->Load();
    if (guard && !guard->Unloading()) PresentForm(guard);
    return guard;
}

FormBase* Navigator::Replace(FormBase* current, const QString& next) {
    QPointer<FormBase> cur(current);
    FormBase* shownForm = Show(next);
    if (cur) cur->Unload();
    return shownForm;
}

void Navigator::ShowModal(FormBase* dialog) {
    Track(dialog);
    NoteShown(dialog->objectName());
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

void Navigator::NoteShown(const QString& name) {
    // A session of hours shows tens of thousands of screens; only the recent ones are of use.
    if (shown.size() >= kShownKept) shown.removeFirst();
    shown << name;
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
