#pragma once
#include <QObject>
#include <QString>

#include "play/PlayScreen.h"

namespace kd::test {

// The genre key a play screen plays, or "" for any other screen.
inline QString GenreOf(QObject* form) {
    auto* play = qobject_cast<PlayScreen*>(form);
    return play ? play->PlayedGenreKey() : QString();
}

}  // namespace kd::test
