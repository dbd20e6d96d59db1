#pragma once
#include <QString>
#include <QtGlobal>

#include "common/DerbyRun.h"
#include "common/PlayNotifier.h"
#include "engine/TypingJudge.h"
#include "questions/QuestionBank.h"

namespace kd {

class Audio;
class LearningRecord;
class RandomSource;
class TickCounter;

// The current player: name (the key to the player's folder), last time-trial time and the
// place of the newest ranking entry.
class Player {
  public:
    int TimeTrialRanking = -1;
    void SetTimeTrialTime(qint32 ms) { TimeTrialTime = ms; }
    qint32 GetTimeTrialTime() const { return TimeTrialTime; }
    bool SetUserName(const QString& name) {
        if (name.isEmpty()) return false;
        UserName = name;
        return true;
    }
    QString GetUserName() const { return UserName; }

  private:
    QString UserName;
    qint32 TimeTrialTime = 0;
};

// Everything the screens share for the whole run: the judge, the question bank, the player,
// the sound switches and the derby state, plus the core services they use. The application
// owns one; every test builds a fresh one.
class GameState {
  public:
    GameState(RandomSource& rnd, TickCounter& clock, Audio& audio, const QString& programFolder);

    RandomSource& rnd;
    TickCounter& clock;
    Audio& audio;

    TypingJudge judge;
    QuestionBank questions;
    Player player;

    // Whoever listens to play (the learning record, a ghost ...); screens report through it.
    PlayNotifier play;

    // The music and key-sound switches (DATA/Data).
    bool musicOn = false;
    bool keySoundsOn = false;

    // The derby: the player's character, the heat and the race or boss battle under way.
    DerbyRun derby;

    // The folder that holds Data.dat and the players' folders.
    QString programFolder;

    // The current player's learning record; null where nothing is recorded (most tests).
    LearningRecord* learning = nullptr;

    // programFolder + "/" + player name, and a path below it ("DATA/Heat").
    QString PlayerFolder() const;
    QString PlayerPath(const QString& relative) const;
};

}  // namespace kd
