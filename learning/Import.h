#pragma once
#include <QList>

#include "learning/LearningStore.h"

namespace kd {

class GameState;

// The player's past from the record files, as summary games marked imported: the practice
// history (oldest first) and the time-trial ranking. The files are only read; a missing file
// is not created.
QList<RecordedGame> OldRecordsAsGames(const GameState& g);
// Writes them into a new store in one transaction.
bool ImportOldRecords(const GameState& g, LearningStore& store);

}  // namespace kd
