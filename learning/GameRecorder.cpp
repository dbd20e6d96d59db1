#include "learning/GameRecorder.h"

namespace kd {

namespace {
// Enough for a long practice without growing the lists while keys come in.
constexpr int kReservedKeys = 4096;
constexpr int kReservedQuestions = 256;
// Games kept back while the record cannot be written: a few hours of play, well under a
// megabyte; past that the oldest goes.
constexpr int kMaxPending = 100;

// The outcome told after the game's end, for a game that is not in the record yet.
void Settle(RecordedGame& game, const GameSettled& s) {
    switch (game.mode) {
        case GameMode::TimeTrial:
            game.timeMs = s.timeMs;
            game.grade = s.grade;
            game.score = s.score;
            if (s.place > 0) game.place = s.place;
            break;
        case GameMode::Boss:
            game.won = s.won;
            break;
        case GameMode::Race:
        case GameMode::NetRace:
            if (s.racePlace > 0) game.place = s.racePlace;
            break;
        case GameMode::Practice:
            break;
    }
}
}  // namespace

GameRecorder::GameRecorder(StoreSource source) : source_(std::move(source)) {}

GameRecorder::~GameRecorder() {
    Flush();
}

void GameRecorder::OnGameBegun(const GameBegun& e) {
    Flush();
    game_ = RecordedGame{};
    game_.keys.reserve(kReservedKeys);
    game_.questions.reserve(kReservedQuestions);
    game_.mode = e.mode;
    game_.genre = e.genre;
    game_.inputMethod = e.inputMethod;
    const bool derby = e.mode == GameMode::Race || e.mode == GameMode::Boss || e.mode == GameMode::NetRace;
    if (derby) {
        game_.chara = e.chara;
        game_.heat = e.heat;
        game_.cast = e.cast;
    }
    if (e.mode == GameMode::Practice) game_.settingSeconds = e.settingSeconds;
    game_.startedAt = e.wallClockMs;
    beginTick_ = lastTick_ = questionTick_ = e.tick;
    inGame_ = true;
    lastId_.reset();
}

void GameRecorder::OnQuestionShown(const QuestionShown& e) {
    if (!inGame_) return;
    RecordedQuestion q;
    q.questionId = e.questionId;
    q.text = e.text;
    q.reading = e.reading;
    q.shownMs = e.tick - beginTick_;
    game_.questions.append(q);
    questionTick_ = lastTick_ = e.tick;
}

void GameRecorder::OnKeyJudged(const KeyJudged& e) {
    if (!inGame_) return;
    lastTick_ = e.tick;
    const qint64 ms = e.tick - questionTick_;
    const int seq = qMax(0, int(game_.questions.size()) - 1);
    game_.keys.append(RecordedKey{seq, ms, e.expectedUnit, e.expectedKey, e.typed, e.hit,
                                  e.hit ? e.followedForm : QString()});
    if (game_.questions.isEmpty()) return;
    RecordedQuestion& q = game_.questions.last();
    if (!q.firstKeyMs) q.firstKeyMs = ms;
    q.lastKeyMs = ms;
    if (!e.hit) ++q.misses;
}

void GameRecorder::OnQuestionEnded(const QuestionEnded& e) {
    if (!inGame_) return;
    lastTick_ = e.tick;
    if (!game_.questions.isEmpty()) game_.questions.last().completed = e.completed;
}

void GameRecorder::OnLanesMoved(const LanesMoved& e) {
    if (!inGame_) return;
    lastTick_ = e.tick;
    game_.lanes.append(RecordedLanes{e.tick - beginTick_, e.positions});
}

void GameRecorder::OnGameEnded(const GameEnded& e) {
    if (!inGame_) return;
    game_.durationMs = qMax<qint64>(0, e.tick - beginTick_);
    game_.correct = e.correct;
    game_.misses = e.misses;
    game_.abandoned = e.abandoned;
    Write();
}

void GameRecorder::OnGameSettled(const GameSettled& e) {
    if (!lastId_) {
        if (!pending_.isEmpty() && !inGame_) Settle(pending_.last(), e);
        return;
    }
    if (LearningStore* store = source_ ? source_() : nullptr) store->SettleGame(*lastId_, lastMode_, e);
}

void GameRecorder::Flush() {
    if (!inGame_) {
        if (!pending_.isEmpty()) WritePending(source_ ? source_() : nullptr);
        return;
    }
    game_.durationMs = qMax<qint64>(0, lastTick_ - beginTick_);
    int correct = 0, misses = 0;
    for (const RecordedKey& k : game_.keys) (k.hit ? correct : misses)++;
    game_.correct = correct;
    game_.misses = misses;
    game_.abandoned = true;
    Write();
}

void GameRecorder::Write() {
    inGame_ = false;
    lastMode_ = game_.mode;
    if (pending_.size() >= kMaxPending) pending_.removeFirst();
    pending_.append(std::move(game_));
    game_ = RecordedGame{};
    WritePending(source_ ? source_() : nullptr);
}

void GameRecorder::SettlePending(LearningStore* store) {
    if (!pending_.isEmpty() && store && store->Writable()) WritePending(store);
    pending_.clear();
}

void GameRecorder::WritePending(LearningStore* store) {
    lastId_.reset();
    if (pending_.isEmpty()) return;
    if (!store) {
        // No record for this player at all (it could not be opened): nothing to wait for.
        pending_.clear();
        return;
    }
    // Oldest first, so the record keeps the order the games were played in; the id left is
    // the newest game's, for its settled outcome.
    while (!pending_.isEmpty()) {
        lastId_ = store->WriteGame(pending_.first());
        if (!lastId_) {
            if (failed_) failed_(store->Problem());
            return;
        }
        pending_.removeFirst();
    }
}

}  // namespace kd
