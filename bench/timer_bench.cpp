// Timer accuracy as the player sees it, in the real screens with real timers (offscreen):
// "Ready..." -> "Go!!" -> first question against 1000/500 ms, the end of a timed practice
// against its set time, the recorded time-trial time against the finishing key, and each
// step of the ghost against the moment its key came in the recorded best run.
// Each is measured over several runs; prints "measure|median (worst of N)|worst" lines for
// bench/run.sh, in milliseconds off.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/Screens.h"
#include "common/GameState.h"
#include "common/GenreFile.h"
#include "common/PracticeRecords.h"
#include "learning/GhostSetting.h"
#include "learning/LearningRecord.h"
#include "platform/core/Audio.h"
#include "platform/core/Random.h"
#include "platform/core/TickCounter.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/ScreenBase.h"
#include "timetrial/GhostRunner.h"
#include "timetrial/TimeTrialScreen.h"

namespace {

QElapsedTimer g_clock;

double Now() {
    return double(g_clock.nsecsElapsed()) / 1e6;
}

// Watches readingText of a screen and notes when each new text appears. The check runs on
// every pass of the event loop (a zero timer), so a change is seen within microseconds of
// the timer tick that made it.
class Watch {
  public:
    explicit Watch(kd::ScreenBase* form) : m_label(form->findChild<QLabel*>(QStringLiteral("readingText"))) {}

    // Runs the event loop until done() or the limit; onChange runs after each new text.
    void Run(const std::function<bool()>& done, int limitMs, const std::function<void()>& onChange = {}) {
        QEventLoop loop;
        QTimer poll;
        const double until = Now() + limitMs;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (m_label && m_label->text() != m_last) {
                m_last = m_label->text();
                m_changes.push_back({m_last, Now()});
                if (onChange) onChange();
            }
            if (done() || Now() > until) loop.quit();
        });
        poll.start(0);
        loop.exec();
    }

    double At(const QString& text) const {
        for (const auto& c : m_changes)
            if (c.first == text) return c.second;
        return NAN;
    }
    // When the n-th text (0-based) appeared.
    double Nth(size_t n) const { return n < m_changes.size() ? m_changes[n].second : NAN; }
    size_t Count() const { return m_changes.size(); }
    const QString& Last() const { return m_last; }
    QLabel* Label() const { return m_label; }
    void Reset() {
        m_changes.clear();
        m_last = m_label ? m_label->text() : QString();
    }

  private:
    QLabel* m_label;
    QString m_last;
    std::vector<std::pair<QString, double>> m_changes;
};

void Key(QWidget* w, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
}

// Lets the screen be shown and painted before anything is timed.
void Settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void Print(const char* name, std::vector<double> errors) {
    errors.erase(std::remove_if(errors.begin(), errors.end(), [](double e) { return std::isnan(e); }),
                 errors.end());
    if (errors.empty()) {
        std::printf("%s|-|-\n", name);
        return;
    }
    std::sort(errors.begin(), errors.end());
    std::printf("%s|%.1f (worst of %zu: %.1f)|%.1f\n", name, errors[errors.size() / 2], errors.size(),
                errors.back(), errors.back());
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    g_clock.start();
    QTemporaryDir dir;
    kd::SteadyTickCounter clock;
    kd::LcgRandom rnd;
    kd::SilentAudio audio;
    kd::GameState g(rnd, clock, audio, dir.path());
    kd::LearningRecord learning(g);
    g.learning = &learning;
    g.player.SetUserName(QStringLiteral("Bench"));
    QDir().mkpath(g.PlayerPath(QStringLiteral("DATA")));
    kd::ScriptedMessageBoxes msg;
    kd::Navigator nav;
    nav.quitOnEnd = false;
    kd::AppContext ctx{g, msg, nav};
    nav.SetContext(&ctx);
    kd::RegisterAllScreens(nav);

    // Practice, English, 5 s: the Ready/Go steps and the end of the time.
    constexpr int kPracticeRuns = 3, kPracticeSec = 5;
    if (!kd::SavePracticeTime(g, g.player.GetUserName(), {kPracticeSec, QStringLiteral("english")})) return 1;
    std::vector<double> readyGo, goQuestion, practiceEnd;
    for (int run = 0; run < kPracticeRuns; ++run) {
        kd::ScreenBase* practice = nav.Show(kd::Screen::Practice);
        Settle(300);
        Watch w(practice);
        w.Reset();
        // "Ready..." is shown by the key itself; the timer starts with it.
        const double ready = Now();
        Key(practice, Qt::Key_Space, QStringLiteral(" "));
        w.Run([&] { return w.Last() == QLatin1String("FINISH!!"); }, kPracticeSec * 1000 + 4000);
        const double go = w.At(QStringLiteral("Go!!"));
        const double question = w.Nth(2);  // Ready..., Go!!, then the first word
        readyGo.push_back(std::fabs(go - ready - 1000));
        goQuestion.push_back(std::fabs(question - go - 500));
        practiceEnd.push_back(std::fabs(w.At(QStringLiteral("FINISH!!")) - question - kPracticeSec * 1000));
        practice->CloseScreen();
    }
    Print("timer: Ready... -> Go!! against 1000 ms", readyGo);
    Print("timer: Go!! -> first question against 500 ms", goQuestion);
    Print("timer: practice end against its 5 s", practiceEnd);

    // Time trial, English: every letter typed as soon as it is asked for, 114 right keys;
    // the recorded time against the time from the first question to the finishing key.
    constexpr int kTrialRuns = 5;
    if (!kd::WriteGenreValue(g.PlayerPath(QStringLiteral("DATA/gen")), 1)) return 1;
    std::vector<double> recordedTime;
    for (int run = 0; run < kTrialRuns; ++run) {
        kd::ScreenBase* tt = nav.Show(kd::Screen::TimeTrial);
        Settle(300);
        Watch w(tt);
        w.Reset();
        double lastKeyAt = NAN;
        Key(tt, Qt::Key_Space, QStringLiteral(" "));
        w.Run([&] { return w.Last() == QLatin1String("Goal!!"); }, 20000,
              [&] {
                  if (w.Count() < 3 || w.Last() == QLatin1String("Goal!!")) return;
                  // The next letter at once, as fast as a player could, from the event loop.
                  QTimer::singleShot(0, tt, [&, tt] {
                      const QString text = w.Label()->text();
                      if (text.isEmpty() || text == QLatin1String("Goal!!")) return;
                      const QChar c = text.front();
                      const QChar lower = c.toLower();
                      lastKeyAt = Now();
                      Key(tt, lower.isLetter() ? Qt::Key_A + (lower.unicode() - 'a') : Qt::Key_Minus,
                          QString(c));
                  });
              });
        const double typed = lastKeyAt - w.Nth(2);
        recordedTime.push_back(w.Last() == QLatin1String("Goal!!")
                                   ? std::fabs(double(g.player.GetTimeTrialTime()) - typed)
                                   : NAN);
        tt->CloseScreen();
    }
    Print("timer: recorded time-trial time vs finishing key", recordedTime);

    // The ghost: a best English run whose keys came at uneven moments, 40 of them on one
    // question; each step of the second ball against its moment after "Go!!".
    constexpr int kGhostRuns = 3, kGhostKeys = 40;
    std::vector<qint64> hitMs;
    for (int k = 0, t = 0; k < kGhostKeys; ++k) hitMs.push_back(t += 45 + (k * 37) % 130);
    {
        if (!kd::SwitchGhost(g, true)) return 1;
        kd::LearningStore* store = learning.WritableStore();
        if (!store) return 1;
        QSqlDatabase db = store->Database();
        QSqlQuery q(db);
        bool ok = db.transaction() &&
                  q.exec(QStringLiteral(
                             "INSERT INTO games(id, mode, genre, started_at, duration_ms, correct, misses, "
                             "time_ms) VALUES(1, 1, 'english', 1, %1, %2, 0, %1)")
                             .arg(hitMs.back())
                             .arg(kGhostKeys)) &&
                  q.exec(QStringLiteral("INSERT INTO questions VALUES(1, 0, 0, 'w', 'w', 0, 0, %1, 0, 0)")
                             .arg(hitMs.back()));
        for (int k = 0; ok && k < kGhostKeys; ++k)
            ok = q.exec(QStringLiteral("INSERT INTO keys VALUES(1, %1, 0, %2, 'a', 'a', 'a', 1, 'a')")
                            .arg(k)
                            .arg(hitMs[size_t(k)]));
        if (!ok || !db.commit()) return 1;
    }
    std::vector<double> ghostSteps;
    for (int run = 0; run < kGhostRuns; ++run) {
        auto* tt = qobject_cast<kd::TimeTrialScreen*>(nav.Show(kd::Screen::TimeTrial));
        if (!tt) return 1;
        Settle(300);
        Watch w(tt);
        w.Reset();
        std::vector<double> steps;
        int lastX = tt->Ghost().X();
        Key(tt, Qt::Key_Space, QStringLiteral(" "));
        w.Run(
            [&] {
                if (tt->Ghost().X() != lastX) {
                    lastX = tt->Ghost().X();
                    steps.push_back(Now());
                }
                return steps.size() >= size_t(kGhostKeys);
            },
            20000);
        const double go = w.Nth(2);
        for (size_t k = 0; k < steps.size(); ++k)
            ghostSteps.push_back(std::fabs(steps[k] - go - double(hitMs[k])));
        if (steps.size() < size_t(kGhostKeys)) ghostSteps.push_back(1e6);  // a step never seen
        Key(tt, Qt::Key_Escape, QString(QChar(27)));
        tt->CloseScreen();
    }
    Print("timer: ghost step vs its recorded moment", ghostSteps);
    std::fflush(stdout);
    return 0;
}
