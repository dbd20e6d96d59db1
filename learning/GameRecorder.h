#pragma once
#include <functional>
#include <optional>

#include "common/PlayEvents.h"
#include "learning/LearningStore.h"

namespace kd {

// Listens to a play screen and keeps the game in memory; the game goes to the store in one
// transaction when it ends or is left, so nothing on the way of a key touches the disk.
class GameRecorder : public PlayObserver {
  public:
    // Gives the store to write to when a game ends (nullptr: not recording).
    using StoreSource = std::function<LearningStore*()>;
    explicit GameRecorder(StoreSource source);
    // Told when a game could not be written (the store's message for the player).
    void SetFailureReporter(std::function<void(const QString&)> f) { failed_ = std::move(f); }
    ~GameRecorder() override;

    void OnGameBegun(const GameBegun& e) override;
    void OnQuestionShown(const QuestionShown& e) override;
    void OnKeyJudged(const KeyJudged& e) override;
    void OnQuestionEnded(const QuestionEnded& e) override;
    void OnLanesMoved(const LanesMoved& e) override;
    void OnGameEnded(const GameEnded& e) override;
    void OnGameSettled(const GameSettled& e) override;

    // A game begun and not ended (the program closing): kept as abandoned.
    void Flush();
    bool InGame() const { return inGame_; }
    // The id of the last game written, for its settled outcome.
    std::optional<qint64> LastGameId() const { return lastId_; }

  private:
    void Write();

    StoreSource source_;
    std::function<void(const QString&)> failed_;
    RecordedGame game_;
    bool inGame_ = false;
    qint64 beginTick_ = 0;
    qint64 lastTick_ = 0;
    qint64 questionTick_ = 0;
    std::optional<qint64> lastId_;
    GameMode lastMode_ = GameMode::Practice;
};

}  // namespace kd
