#pragma once
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <random>

#include "common/GameState.h"
#include "engine/RomajiGuide.h"
#include "learning/LearningRecord.h"
#include "platform/core/Audio.h"
#include "platform/core/Random.h"
#include "platform/core/TickCounter.h"
#include "platform/widgets/AppContext.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/Zoom.h"
#include "stats/StatsOpener.h"
#include "tools/soak/SoakFigures.h"

class QWidget;

namespace kd {
class ScreenBase;
class PlayScreen;
}  // namespace kd

namespace kd::soak {

// Answers the questions the game asks in play as the player decided beforehand; any other
// message (a save that failed, a record that cannot be kept) is a fault of the session.
class SoakMessages : public MessageBoxes {
  public:
    MsgAnswer Show(QWidget* parent, const QString& title, const QString& text, MsgButtons buttons) override;
    MsgAnswer answer = MsgAnswer::Yes;  // for the next question
    int asked = 0;
    QStringList* faults = nullptr;
};

// Counts what the play core reports: games begun and ended, keys judged in a game.
struct PlayCounter : PlayObserver {
    void OnGameBegun(const GameBegun&) override { ++begun; }
    void OnKeyJudged(const KeyJudged&) override { ++keys; }
    void OnGameEnded(const GameEnded& e) override {
        ++ended;
        if (e.abandoned) ++abandoned;
    }
    int begun = 0, ended = 0, abandoned = 0;
    qint64 keys = 0;
};

// The whole program wired as main() wires it (every screen, the learning record, the zoom
// stage, F2 on the result screens), on a data folder of its own, with a manual clock, timers
// fired by the player and seeded random numbers.
struct SoakProgram {
    explicit SoakProgram(bool sound);
    ~SoakProgram();

    QTemporaryDir dir;  // the data folder
    ManualTickCounter clock;
    LcgRandom rnd;
    std::unique_ptr<Audio> audio;
    GameState g;
    SoakMessages msg;
    LearningRecord learning;
    Navigator nav;
    AppContext ctx;
    std::unique_ptr<Zoom> zoom;
    std::unique_ptr<stats::ResultScreenHotkey> statsKey;
    PlayCounter counter;
    QStringList faults;
};

// A player who plays every mode through the real screens, from the main menu back to it:
// practice, time trial with the ranking, derby heats, the boss and the roll call; with misses,
// Esc and leaving, the settings dialogs, the statistics and replay windows, the sound
// switches, the ghost and the zoom. Anything unexpected on the way is noted as a fault and the
// player goes back to the main menu. Every screen name and control the soak knows is here.
class SoakPlayer {
  public:
    SoakPlayer(SoakProgram& p, quint32 seed);

    // Splash, name screen and main menu.
    bool Start(const QString& playerName);

    enum class Activity { Practice, TimeTrial, Derby, Options, Statistics };
    // One visit from the main menu back to it. winAll: every race and the boss are won (so a
    // short warm-up meets every screen).
    void Play(Activity a, bool winAll = false);
    // A visit chosen at random, weighted towards the play modes.
    void PlayAny(bool winAll = false);

    // ファイル → 記録の削除, answered Yes: the record files and the learning record are gone.
    void DeleteRecords();
    // The state every measurement is taken in: the main menu, music off, key sounds on, 100 %.
    void Settle();

    // Lets the program's event loop deliver what the screens posted (repaints, closed windows).
    static void Pump();

    int rollCalls = 0;  // times the roll call came up

  private:
    void PlayPractice();
    void PlayTimeTrial();
    void PlayDerby(bool winAll);
    void ToggleOptions();
    // Opens the statistics window, looks at every tab and closes it; read to the end when
    // toTheEnd, else mostly (sometimes it is closed while the record is still being read).
    void LookAtStatistics(bool toTheEnd = false);

    // One game of each play screen; false when the screen left unexpectedly.
    bool PracticeGame();
    bool TimeTrialGame();
    void TimeTrialResult(bool again);
    enum class Race { Win, Lose, OutOfPower, Abandon };
    bool RaceGame(Race how);
    bool BossGame(bool win);

    // Types until play ends or `maxKeys` keys; a miss now and then. tick runs between keys.
    void TypeUntilPlayEnds(int maxKeys, int msPerKey, double missRate,
                           const std::function<void(int)>& tick = {});
    bool TypeKey(bool correct);
    void StartPlay();
    bool InPlay() const;

    // The screen in front, its name, and a check that it is the one expected.
    ScreenBase* Now() const;
    QString NowName() const;
    bool Expect(const char* screen);
    void Fault(const QString& what);
    void BackToMenu();

    void Key(Qt::Key key, const QString& text = QString());
    void Click(const char* button);
    void Trigger(const char* action);
    bool Fire(const char* timer, int times = 1);
    void ChooseMenuItem(int item);
    void OpenGenreDialog(const char* opener);
    void CloseWindows(const char* objectName);
    void CloseStatistics();

    bool Roll(double p);
    int Below(int n);

    SoakProgram& p_;
    std::mt19937 rng_;
    RomajiGuide guide_;
};

}  // namespace kd::soak
