#include "learning/LearningRecord.h"

#include "common/GameState.h"
#include "common/PlayerFiles.h"
#include "learning/Import.h"

namespace kd {

LearningRecord::LearningRecord(const GameState& g) : g_(g), recorder_([this] { return WritableStore(); }) {
    recorder_.SetFailureReporter([this](const QString& problem) { Report(problem); });
}

LearningRecord::~LearningRecord() {
    recorder_.Flush();
}

QString LearningRecord::PathFor(const GameState& g) {
    return LearningRecordPath(g);
}

LearningStore* LearningRecord::Store() {
    const QString user = g_.player.GetUserName();
    if (user.isEmpty()) return nullptr;
    if (store_ && openedFor_ == user) {
        if (store_->state() == LearningStore::State::Unavailable) {
            Report(store_->Problem());
            return nullptr;
        }
        if (store_->state() != LearningStore::State::Closed) return store_.get();
    }
    // Games the old player's record could not take yet go there now or not at all.
    if (store_ && openedFor_ != user) recorder_.SettlePending(store_.get());
    store_ = std::make_unique<LearningStore>(PathFor(g_));
    openedFor_ = user;
    store_->Open();
    if (!store_->Problem().isEmpty()) Report(store_->Problem());
    if (store_->state() == LearningStore::State::Unavailable) return nullptr;
    if (store_->IsNew() && store_->Writable()) ImportOldRecords(g_, *store_);
    return store_.get();
}

LearningStore* LearningRecord::WritableStore() {
    LearningStore* s = Store();
    if (s && !s->Writable()) {
        // A write that failed just now (locked, disk full) leaves the reason behind.
        if (s->state() == LearningStore::State::Unavailable) Report(s->Problem());
        return nullptr;
    }
    return s;
}

void LearningRecord::Close() {
    if (store_) store_->Close();
    store_.reset();
    openedFor_.clear();
}

bool LearningRecord::DeleteDatabase() {
    if (g_.player.GetUserName().isEmpty()) return false;
    recorder_.SettlePending(nullptr);  // deleted with the rest
    Close();
    reported_.clear();
    return LearningStore::RemoveFiles(PathFor(g_));
}

void LearningRecord::Report(const QString& text) {
    // One message per trouble, not one per game.
    if (text.isEmpty() || text == reported_) return;
    reported_ = text;
    if (report_) report_(text);
}

}  // namespace kd
