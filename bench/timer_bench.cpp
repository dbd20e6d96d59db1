// Timer accuracy as the player sees it, in the real screens with real timers (offscreen):
// "Ready..." -> "Go!!" -> first question against 1000/500 ms, the end of a timed practice
// against its set time, and the recorded time-trial time against the finishing key.
// Prints "measure|value|target" lines for bench/run.sh.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <functional>

#include "app/Screens.h"
#include "common/GameState.h"
#include "common/GenreFile.h"
#include "common/PracticeRecords.h"
#include "platform/core/Audio.h"
#include "platform/core/Random.h"
#include "platform/core/TickCounter.h"
#include "platform/widgets/FormBase.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"

namespace {

struct Watch {
    QElapsedTimer clock;
    QString last;
    QList<QPair<QString, double>> changes;  // each new text of lblDisplay and when it appeared
};

// Polls lblDisplay every millisecond and runs until done() says so or the limit passes.
void Observe(kd::FormBase* form, Watch& w, const std::function<bool()>& done, int limitMs,
             const std::function<void()>& onChange = {}) {
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    QEventLoop loop;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* label = form->findChild<QLabel*>(QStringLiteral("lblDisplay"));
        if (label && label->text() != w.last) {
            w.last = label->text();
            w.changes << qMakePair(w.last, double(w.clock.nsecsElapsed()) / 1e6);
            if (onChange) onChange();
        }
        if (done() || w.clock.elapsed() > limitMs) loop.quit();
    });
    poll.start(1);
    loop.exec();
}

double At(const Watch& w, const QString& text) {
    for (const auto& c : w.changes)
        if (c.first == text) return c.second;
    return NAN;
}

void Key(QWidget* w, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
}

void Print(const char* name, double value, const char* target) {
    std::printf("%s|%.1f ms|%s\n", name, value, target);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    kd::SteadyTickCounter clock;
    kd::LcgRandom rnd;
    kd::SilentAudio audio;
    kd::GameState g(rnd, clock, audio, dir.path());
    g.objUser.SetUserName(QStringLiteral("Bench"));
    QDir().mkpath(g.PlayerPath(QStringLiteral("DATA")));
    kd::ScriptedMessageBoxes msg;
    kd::Navigator nav;
    nav.quitOnEnd = false;
    kd::AppContext ctx{g, msg, nav};
    nav.SetContext(&ctx);
    kd::RegisterAllScreens(nav);

    // Practice: 5 s, English.
    kd::PracticeTimeData setting;
    setting.PracticeSec = 5;
    setting.GenreKey = QStringLiteral("english");
    (void)kd::SavePracticeTime(g, g.objUser.GetUserName(), setting);
    kd::FormBase* practice = nav.Show(QStringLiteral("frmPractice"));
    Watch pw;
    pw.clock.start();
    Key(practice, Qt::Key_Space, QStringLiteral(" "));
    Observe(practice, pw, [&] { return pw.last == QLatin1String("FINISH!!"); }, 9000);
    const double ready = At(pw, QStringLiteral("Ready...")), go = At(pw, QStringLiteral("Go!!"));
    const double question = pw.changes.size() > 2 ? pw.changes.at(2).second : NAN;
    const double finish = At(pw, QStringLiteral("FINISH!!"));
    Print("timer: Ready... -> Go!! (1000 ms)", std::fabs(go - ready - 1000), "error, target <= 5 ms");
    Print("timer: Go!! -> first question (500 ms)", std::fabs(question - go - 500), "error, target <= 5 ms");
    Print("timer: practice end against its 5 s", std::fabs(finish - question - 5000), "error, target <= 5 ms");
    practice->Unload();

    // Time trial, English: type every letter as it is asked for, 114 correct keys.
    (void)kd::WriteGenreValue(g.PlayerPath(QStringLiteral("DATA/gen")), 1);
    kd::FormBase* tt = nav.Show(QStringLiteral("frmTimeTrial"));
    Watch tw;
    tw.clock.start();
    double lastKeyAt = NAN, questionAt = NAN;
    int typed = 0;
    Key(tt, Qt::Key_Space, QStringLiteral(" "));
    Observe(tt, tw, [&] { return tw.last == QLatin1String("Goal!!"); }, 20000, [&] {
        if (tw.changes.size() == 3) questionAt = tw.changes.last().second;
        if (std::isnan(questionAt) || tw.last == QLatin1String("Goal!!")) return;
        // Type the next letter right away, as fast as a player could.
        QTimer::singleShot(0, [&, tt] {
            auto* label = tt->findChild<QLabel*>(QStringLiteral("lblDisplay"));
            if (!label || label->text().isEmpty() || label->text() == QLatin1String("Goal!!")) return;
            ++typed;
            lastKeyAt = double(tw.clock.nsecsElapsed()) / 1e6;
            const QString ch = label->text().left(1);
            const QChar c = ch.at(0).toLower();
            Key(tt, c.isLetter() ? Qt::Key_A + (c.unicode() - 'a') : Qt::Key_Minus, ch);
        });
    });
    const double recorded = g.objUser.GetTimeTrialTime();
    Print("timer: recorded time-trial time vs finishing key", std::fabs(recorded - (lastKeyAt - questionAt)),
          "error, target <= 5 ms");
    std::fflush(stdout);
    return 0;
}
