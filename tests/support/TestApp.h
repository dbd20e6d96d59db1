#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "common/GameState.h"
#include "platform/core/Audio.h"
#include "platform/core/Random.h"
#include "platform/core/TickCounter.h"
#include "platform/widgets/AppContext.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/ScreenBase.h"
#include "platform/widgets/Timer.h"
#include "support/QStringPrint.h"

namespace kd::test {

// Scale tests take a tenth of their size under AddressSanitizer: the same code runs, ten times
// slower, and the full size is already proven by the plain build.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kUnderSanitizers = true;
#elif defined(__has_feature)
inline constexpr bool kUnderSanitizers = __has_feature(address_sanitizer);
#else
inline constexpr bool kUnderSanitizers = false;
#endif

// A fresh program for one test: its own data folder, a manual clock, scripted random numbers,
// recorded audio, scripted message boxes and a navigator (register the screens you need).
class TestApp {
  public:
    // Real message boxes (QMessageBox::exec) instead of scripted answers: something must
    // answer them, as RealBoxes in support/RealBoxes.h does.
    explicit TestApp(bool realBoxes = false);
    ~TestApp();

    QTemporaryDir dir;
    ManualTickCounter clock;
    ScriptedRandom rnd;
    RecordingAudio audio;
    GameState g;
    ScriptedMessageBoxes msg;
    QtMessageBoxes realMsg;
    Navigator nav;
    AppContext ctx;

    // Sets the player and creates the player's folder and its DATA folder.
    void UsePlayer(const QString& name = QStringLiteral("Tester"));
    QString PlayerPath(const QString& relative) const { return g.PlayerPath(relative); }
    QByteArray ReadFile(const QString& path) const;
    void WriteFile(const QString& path, const QByteArray& bytes) const;

    // Opens a screen through the navigator and returns it as its class.
    template <class Form>
    Form* Open(Screen screen) {
        return qobject_cast<Form*>(nav.Show(screen));
    }
    template <class Form>
    Form* Current() const {
        return qobject_cast<Form*>(nav.Current());
    }

    // Deletes the screens that have closed.
    static void Flush();
};

// Keys as the player presses them, delivered to the window like real ones.
void Press(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier);
void Type(QWidget* w, const QString& text);  // one key per character
// Runs a timer's tick the given number of times (only while it is enabled).
int Fire(QObject* form, const QString& timerName, int times = 1);
Timer* FindTimer(QObject* form, const QString& timerName);
// A control by its name, e.g. Find<QLabel>(form, "menuItem0").
template <class W>
W* Find(QObject* form, const QString& name) {
    return form->findChild<W*>(name);
}
// Clicks a widget with the left button.
void Click(QWidget* w);

// A 128-byte record built from hex bytes ("3C 00 09 00 ..."), zero-filled.
QByteArray Record(const char* hexBytes);

}  // namespace kd::test
