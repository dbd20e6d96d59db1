#pragma once
#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "common/RecordFile.h"
#include "common/Roster.h"
#include "derby/BossScreen.h"
#include "derby/RaceScreen.h"
#include "derby/Register.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Timer.h"
#include "platform/widgets/TypingPanel.h"
#include "support/TestApp.h"

namespace kd::test {

// A player with the derby screens registered, playing English words: with random value 0 the
// word drawn is always "forecast", so typing the head of readingText is always a correct key.
struct DerbyApp : TestApp {
    explicit DerbyApp(qint16 genreValue = 1) {
        UsePlayer();
        RegisterDerbyScreens(nav);
        WriteFile(PlayerPath("DATA/genderby"), Record(genreValue == 1 ? "01 00" : "00 00"));
        Pick(1);
        rnd.Script({0.0f});
    }
    void Pick(int charaNo) { g.derby.ChoosePlayer(PlayableCharacterOf(charaNo)); }
    QByteArray HeatFile() const { return ReadFile(PlayerPath("DATA/Heat")); }
};

inline QLabel* DisplayOf(QObject* form) {
    return Find<QLabel>(form, "readingText");
}
inline QString DisplayText(QObject* form) {
    return DisplayOf(form)->text();
}
inline QColor DisplayColor(QObject* form) {
    return DisplayOf(form)->palette().color(QPalette::WindowText);
}

// Space, "Ready..." and "Go!!": the play is running afterwards.
inline void StartPlay(QWidget* form) {
    Press(form, Qt::Key_Space);
    Fire(form, "readyGoTimer", 2);
}

// Correct keys, one at a time, whatever the question is.
inline void TypeCorrect(QWidget* form, int keys) {
    for (int i = 0; i < keys; ++i) {
        const QString d = DisplayText(form);
        ASSERT_FALSE(d.isEmpty()) << "no question after " << i << " keys";
        Type(form, d.left(1));
    }
}

inline void TypeWrong(QWidget* form, int keys) {
    for (int i = 0; i < keys; ++i) Type(form, "Q");  // no English word starts with a capital Q
}

}  // namespace kd::test
