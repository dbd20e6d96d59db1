#pragma once
#include <QString>
#include <functional>
#include <memory>

#include "learning/GameRecorder.h"
#include "learning/LearningStore.h"

namespace kd {

class GameState;

// The current player's learning record for the whole run: opened on first need (never while
// the program starts), reopened when the player changes, and the one place that tells the
// player once when the record cannot be kept.
class LearningRecord {
  public:
    explicit LearningRecord(const GameState& g);
    ~LearningRecord();

    // Shows a message to the player; the program sets it, tests record what is said.
    void SetProblemReporter(std::function<void(const QString&)> report) { report_ = std::move(report); }

    // <player folder>/learning.sqlite
    static QString PathFor(const GameState& g);

    // The open store (read-only ones too), or nullptr when there is no player or no record.
    LearningStore* Store();
    // A store that can be written, or nullptr.
    LearningStore* WritableStore();
    // Closes the file (before it is deleted or exported elsewhere); the next need reopens it.
    void Close();
    // Deletes the current player's database with its -wal and -shm files.
    bool DeleteDatabase();

    GameRecorder& Recorder() { return recorder_; }
    // Why the record could not be opened or written last (None when it could).
    WriteTrouble Trouble() const { return store_ ? store_->Trouble() : WriteTrouble::None; }

  private:
    void Report(const QString& text);

    const GameState& g_;
    std::unique_ptr<LearningStore> store_;
    QString openedFor_;
    QString reported_;
    std::function<void(const QString&)> report_;
    GameRecorder recorder_;
};

}  // namespace kd
