#pragma once
// What assistive tools see and do: a window's accessibility tree as text, and a control pressed
// through its accessibility action (as a screen reader or switch access presses it).
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCoreApplication>
#include <QStringList>
#include <QTimerEvent>
#include <QWidget>

namespace kd::test {

// One line per object, indented by depth: role, name, value and the states a player can tell
// apart. Focus is left out on purpose: a mouse click moves it, an accessibility action does not.
inline void AddAccessibleLines(QAccessibleInterface* a, int depth, QStringList& out, int maxDepth = 40) {
    if (!a || depth > maxDepth) return;
    const QAccessible::State s = a->state();
    QString line = QString(depth, u' ') + QString::number(int(a->role())) + u'|' + a->text(QAccessible::Name);
    if (QAccessibleValueInterface* v = a->valueInterface())
        line += u'=' + v->currentValue().toString();
    else if (!a->text(QAccessible::Value).isEmpty())
        line += u'=' + a->text(QAccessible::Value);
    if (s.checked) line += QStringLiteral(" checked");
    if (s.disabled) line += QStringLiteral(" disabled");
    if (s.invisible) line += QStringLiteral(" invisible");
    out << line;
    for (int i = 0; i < a->childCount(); ++i) AddAccessibleLines(a->child(i), depth + 1, out, maxDepth);
}

inline QStringList AccessibleTree(QObject* window) {
    QStringList out;
    AddAccessibleLines(QAccessible::queryAccessibleInterface(window), 0, out);
    return out;
}

// Fires the timers a widget is waiting on, at once, instead of waiting for them.
inline void FinishTimers(QObject* o) {
    for (const auto& t : QAbstractEventDispatcher::instance()->registeredTimers(o)) {
        QTimerEvent e(t.timerId);
        QCoreApplication::sendEvent(o, &e);
    }
}

// A button's accessible press is an animated click: down now, clicked when its timer fires.
inline void FinishAnimatedClick(QObject* control) {
    if (qobject_cast<QAbstractButton*>(control)) FinishTimers(control);
}

// Runs the named action (QAccessibleActionInterface::pressAction(), toggleAction(), ...) of an
// accessible object; false when it has no such action.
inline bool DoAccessibleAction(QAccessibleInterface* a, const QString& action) {
    QAccessibleActionInterface* actions = a ? a->actionInterface() : nullptr;
    if (!actions || !actions->actionNames().contains(action)) return false;
    QObject* target = a->object();
    actions->doAction(action);
    FinishAnimatedClick(target);
    return true;
}

inline bool DoAccessibleAction(QObject* control, const QString& action) {
    return DoAccessibleAction(QAccessible::queryAccessibleInterface(control), action);
}

// Qt sends accessibility events only while an assistive tool listens, which the platform
// decides; a test listens by switching it on itself (and off again).
inline void ListenAsAnAssistiveTool(bool on) {
    if (QPlatformIntegration* p = QGuiApplicationPrivate::platformIntegration())
        if (QPlatformAccessibility* a = p->accessibility()) a->setActive(on);
}

}  // namespace kd::test
