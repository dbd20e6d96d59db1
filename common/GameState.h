#pragma once
#include <QString>
#include <QtGlobal>
#include <array>

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

// One character in a heat (index 0 the player, 1-3 the opponents).
struct CharaData {
    qint16 CharaNo = 0;
    QString CharaName;
    qint16 StepSize = 0;
    qint16 MissCost = 0;
    QString RankText;
};

// Derby progress, record 1 of DATA/Heat.
struct HeatData {
    QString HeatMemo;
    qint16 HeatNo = 0;
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

    std::array<CharaData, 4> Chara{};
    std::array<qint16, 4> FinishOrder{};
    HeatData Heat;

    // The folder that holds Data.dat and the players' folders.
    QString programFolder;

    // The current player's learning record; null where nothing is recorded (most tests).
    LearningRecord* learning = nullptr;

    // programFolder + "/" + player name, and a path below it ("DATA/Heat").
    QString PlayerFolder() const;
    QString PlayerPath(const QString& relative) const;
};

}  // namespace kd
