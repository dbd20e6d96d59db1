#include "common/GameState.h"

namespace kd {

GameState::GameState(RandomSource& rnd_, TickCounter& clock_, Audio& audio_, const QString& programFolder_)
    : rnd(rnd_),
      clock(clock_),
      audio(audio_),
      objTypingSystem(&audio_, &EffectOn),
      objMondai(rnd_, objTypingSystem),
      play(clock_, objTypingSystem),
      programFolder(programFolder_) {}

QString GameState::PlayerFolder() const {
    return programFolder + u'/' + objUser.GetUserName();
}

QString GameState::PlayerPath(const QString& relative) const {
    return PlayerFolder() + u'/' + relative;
}

}  // namespace kd
