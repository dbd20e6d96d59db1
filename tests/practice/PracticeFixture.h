#pragma once
#include <gtest/gtest.h>

#include <QDate>
#include <QLabel>
#include <QPushButton>

#include "platform/widgets/Controls.h"
#include "platform/widgets/TypingPanel.h"
#include "practice/PracticeResultScreen.h"
#include "practice/PracticeScreen.h"
#include "practice/PracticeSettingsDialog.h"
#include "practice/Register.h"
#include "support/TestApp.h"

namespace kd::test {

// The colours the practice screens paint their texts in.
inline const QColor kRed(255, 0, 0), kGreen(0, 255, 0), kWhite(255, 255, 255), kGrey(128, 128, 128),
    kBlack(0, 0, 0);

// Record 1 of DATA/PracticeTime as the tables give it.
inline QByteArray IdiomsSetting(const char* secondsLE) {
    return Record((QByteArray(secondsLE) + " 09 00 6B 61 6E 6E 79 6F 75 6B 75").constData());
}
inline QByteArray EnglishSetting(const char* secondsLE) {
    return Record((QByteArray(secondsLE) + " 07 00 65 6E 67 6C 69 73 68").constData());
}

// One player, the practice screens registered, today pinned to 2024/05/01.
class PracticeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app.UsePlayer(QStringLiteral("Tester"));
        RegisterPracticeScreens(app.nav);
        PracticeResultScreen::CurrentDate = [] { return QDate(2024, 5, 1); };
    }
    void TearDown() override { PracticeResultScreen::CurrentDate = &QDate::currentDate; }

    QString PracticeFile() const { return app.PlayerPath(QStringLiteral("DATA/PracticeTime")); }
    void StoreSetting(const QByteArray& record1) { app.WriteFile(PracticeFile(), record1); }

    PracticeScreen* OpenPractice() { return app.Open<PracticeScreen>(Screen::Practice); }

    // Space, "Ready...", "Go!!": the first question is up and the clock started.
    void StartGame(PracticeScreen* f) {
        Press(f, Qt::Key_Space);
        Fire(f, QStringLiteral("readyGoTimer"), 2);
    }
    void Advance(int ms) { app.clock.advance(ms); }
    QString Display(PracticeScreen* f) const { return Find<QLabel>(f, "readingText")->text(); }
    QString Nokori(PracticeScreen* f) const { return Find<QLabel>(f, "remainingTime")->text(); }

    TestApp app;
};

}  // namespace kd::test
