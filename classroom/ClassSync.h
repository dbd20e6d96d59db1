#pragma once
#include <QString>
#include <functional>
#include <memory>

#include "classroom/ClassSender.h"
#include "common/PlayEvents.h"

namespace kd {

// Wakes the background sender when a game begins (what an earlier session left queued) and
// when one ends or is settled (the game just queued). The sender's thread starts on the first
// game, never while the program starts.
class ClassSync : public PlayObserver {
  public:
    // The current player's learning record file, or "" without a player.
    using PathSource = std::function<QString()>;
    explicit ClassSync(PathSource source);
    ~ClassSync() override;

    void OnGameBegun(const GameBegun&) override { Kick(); }
    void OnGameEnded(const GameEnded&) override { Kick(); }
    void OnGameSettled(const GameSettled&) override { Kick(); }
    void Kick();

  private:
    PathSource source_;
    std::unique_ptr<ClassSender> sender_;
};

}  // namespace kd
