#pragma once
#include <QStringList>

class QAccessibleInterface;
class QWidget;

namespace kd {

// What a drawn picture shows, for screen readers: a track, an arena or a character's picture
// as a list of texts, each an object of its own in the accessibility tree ("たろう 42%"). A
// changed text is announced (name changed); a change in their number re-reads the list.
// Cheap while no assistive tool listens: the texts are only kept.
void SetSpokenParts(QWidget* picture, const QStringList& parts);
QStringList SpokenParts(const QWidget* picture);

// A copy drawn only for its look (a title's shadow, a box's shadow): left out of what assistive
// tools read, so that each text is read once.
void MarkDecorative(QWidget* copy);

// Gives a widget this accessibility interface instead of the one Qt's own factory would make
// for its class (Qt asks its own factory for a QLabel before any installed one).
void UseAccessibleInterface(QWidget* widget, QAccessibleInterface* own);

// Makes the accessibility tree show the spoken parts of every widget given some; once per
// program, before the first such widget is asked for (SetSpokenParts calls it).
void InstallSpokenPartsAccessibility();

}  // namespace kd
