#include "learning/GameRecorder.h"

namespace kd {

namespace {
// Enough for a long practice without growing the lists while keys come in.
constexpr int kReservedKeys = 4096;
constexpr int kReservedQuestions = 256;
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
    if (!lastId_) return;
    if (LearningStore* store = source_ ? source_() : nullptr) store->SettleGame(*lastId_, lastMode_, e);
}

void GameRecorder::Flush() {
    if (!inGame_) return;
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
    if (LearningStore* store = source_ ? source_() : nullptr) {
        lastId_ = store->WriteGame(game_);
        if (!lastId_ && failed_) failed_(store->Problem());
    }
    game_ = RecordedGame{};
}

}  // namespace kd
