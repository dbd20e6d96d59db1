#pragma once
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>

#include "engine/KanaLayout.h"

namespace kd {

// What a play screen tells whoever listens (the learning record, a ghost, a network peer).
// Plain values only: a listener never reaches back into a screen.

enum class GameMode { Practice = 0, TimeTrial = 1, Race = 2, Boss = 3, NetRace = 4 };

// The mode as files name it (the CSV export): stable and never translated; empty for a number
// that is no mode.
constexpr QLatin1String ModeKey(GameMode mode) {
    switch (mode) {
        case GameMode::Practice:
            return QLatin1String("practice");
        case GameMode::TimeTrial:
            return QLatin1String("timetrial");
        case GameMode::Race:
            return QLatin1String("race");
        case GameMode::Boss:
            return QLatin1String("boss");
        case GameMode::NetRace:
            return QLatin1String("netrace");
    }
    return QLatin1String();
}

// One game begun. tick is the tick counter's reading when play started (after Ready/Go).
struct GameBegun {
    GameMode mode = GameMode::Practice;
    QString genre;           // stored genre key: "kannyouku", "english" or an own set's key
    int chara = -1;          // derby: the player's character number
    int heat = 0;            // derby: heat number (6 for the boss)
    int settingSeconds = 0;  // practice: the time set (0 unlimited)
    qint64 wallClockMs = 0;  // milliseconds since the epoch, for the record's dates
    qint64 tick = 0;
    std::array<int, 4> cast{};                      // race: the character number in each lane (0 not known)
    InputMethod inputMethod = InputMethod::Romaji;  // how the player types readings in this game
};

// A question put up.
struct QuestionShown {
    int questionId = 0;  // bank ID (English words and own sets: their own numbering)
    QString text;        // what questionText shows (kanji form, or the word)
    QString reading;     // what is to be typed (reading in kana, or the word)
    qint64 tick = 0;
};

// One key judged.
struct KeyJudged {
    qint64 tick = 0;
    QString expectedUnit;     // the kana unit ("し", "しゃ", "っち", "ん") or the letter expected
    QStringList formsBefore;  // romaji forms still possible for that unit before this key
    QChar typed;              // the character typed
    bool hit = false;
    QChar expectedKey;      // the key the followed (or first) form wanted next
    QString followedForm;   // for a hit: the form being followed ("si" or "shi")
    bool unitDone = false;  // this hit finished the unit
};

// A question left behind: finished (typed to its end) or cut off by the game's end.
struct QuestionEnded {
    bool completed = false;
    qint64 tick = 0;
};

// How a game's play ended (sent at once, before any result screen).
struct GameEnded {
    bool abandoned = false;  // left with Esc or Backspace, or the window closed
    qint64 tick = 0;
    int correct = 0;
    int misses = 0;
};

// The outcome, once the rules have settled it (may come after GameEnded, from a result screen).
struct GameSettled {
    // Time trial: recorded time, grade ("S".."G"), score, place (0 not ranked).
    qint32 timeMs = 0;
    QString grade;
    qint32 score = 0;
    int place = 0;
    // Race: finishing place 1-4; boss: won or lost.
    int racePlace = 0;
    bool won = false;
};

// Derby lanes as they stood at a tick (lane 0 the player), for replays.
struct LanesMoved {
    qint64 tick = 0;
    std::array<int, 5> positions{};
};

class PlayObserver {
  public:
    virtual ~PlayObserver() = default;
    virtual void OnGameBegun(const GameBegun&) {}
    virtual void OnQuestionShown(const QuestionShown&) {}
    virtual void OnKeyJudged(const KeyJudged&) {}
    virtual void OnQuestionEnded(const QuestionEnded&) {}
    virtual void OnLanesMoved(const LanesMoved&) {}
    virtual void OnGameEnded(const GameEnded&) {}
    virtual void OnGameSettled(const GameSettled&) {}
};

}  // namespace kd
