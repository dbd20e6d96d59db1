#pragma once
#include <QList>
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

    // A game begun and not ended (the program closing): kept as abandoned. Games a failed
    // write kept back are tried once more.
    void Flush();
    bool InGame() const { return inGame_; }
    // Ended games not yet in the record (the disk was full, another program held the file),
    // oldest first; written before the next game.
    int PendingGames() const { return int(pending_.size()); }
    // The player changes: the games kept back go to this store (their player's) or are given up.
    void SettlePending(LearningStore* store);
    // The id of the last game written, for its settled outcome.
    std::optional<qint64> LastGameId() const { return lastId_; }

  private:
    void Write();
    void WritePending(LearningStore* store);

    StoreSource source_;
    std::function<void(const QString&)> failed_;
    RecordedGame game_;
    QList<RecordedGame> pending_;
    bool inGame_ = false;
    qint64 beginTick_ = 0;
    qint64 lastTick_ = 0;
    qint64 questionTick_ = 0;
    std::optional<qint64> lastId_;
    GameMode lastMode_ = GameMode::Practice;
};

}  // namespace kd
