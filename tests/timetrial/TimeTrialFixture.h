#pragma once
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "common/GenreFile.h"
#include "support/TestApp.h"
#include "timetrial/Register.h"
#include "timetrial/TimeTrialScreen.h"

namespace kd::test {

// A player with a data folder and the time-trial screens registered; the main menu is not,
// so leaving for it is only recorded.
class TimeTrialTest : public ::testing::Test {
  protected:
    TimeTrialTest() {
        RegisterTimetrialScreens(app.nav);
        app.UsePlayer(QStringLiteral("Tester"));
        app.rnd.Script({0.0f});  // English draws "forecast", idioms "おめにかかる"
    }

    QString GenPath() const { return app.PlayerPath(QStringLiteral("DATA/gen")); }
    QString RankingPath() const { return app.PlayerPath(QStringLiteral("DATA/TimeTrialData")); }
    void UseEnglish() { ASSERT_TRUE(WriteGenreValue(GenPath(), 1)); }

    TimeTrialScreen* OpenPlay() { return app.Open<TimeTrialScreen>(Screen::TimeTrial); }

    static QString Display(QObject* f) { return Find<QLabel>(f, QStringLiteral("readingText"))->text(); }
    static QColor DisplayColor(QObject* f) {
        return Find<QLabel>(f, QStringLiteral("readingText"))->palette().color(QPalette::WindowText);
    }
    static QString Clock(QObject* f) { return Find<QLabel>(f, QStringLiteral("elapsedTime"))->text(); }

    // Space, then both countdown ticks: the run is on and the clock reads from now.
    void StartRun(TimeTrialScreen* f) {
        Press(f, Qt::Key_Space);
        ASSERT_EQ(Fire(f, QStringLiteral("readyGoTimer"), 2), 2);
        ASSERT_TRUE(f->IsPlaying());
    }

    // Types the English question's letters until `keys` correct keys have gone in, moving
    // the clock `msPerKey` before each key.
    void TypeCorrectKeys(TimeTrialScreen* f, int keys, int msPerKey = 0) {
        for (int i = 0; i < keys; ++i) {
            app.clock.advance(msPerKey);
            Type(f, Display(f).left(1));
        }
    }

    TestApp app;
};

}  // namespace kd::test
