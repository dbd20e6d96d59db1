#include "common/GameState.h"

namespace kd {

GameState::GameState(RandomSource& rnd_, TickCounter& clock_, Audio& audio_, const QString& programFolder_)
    : rnd(rnd_),
      clock(clock_),
      audio(audio_),
      judge(&audio_, &keySoundsOn),
      questions(rnd_, judge),
      play(clock_, judge),
      programFolder(programFolder_) {}

QString GameState::PlayerFolder() const {
    return programFolder + u'/' + player.GetUserName();
}

QString GameState::PlayerPath(const QString& relative) const {
    return PlayerFolder() + u'/' + relative;
}

}  // namespace kd
