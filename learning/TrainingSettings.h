#pragma once
#include <QList>
#include <QString>

#include "engine/RomajiGuide.h"
#include "learning/Drill.h"
#include "learning/PracticeSource.h"

class QSqlDatabase;

namespace kd {

class GameState;

// The current player's training options as the learning record keeps them. Without a record
// (no player, a damaged or locked file) every option reads as for a new player and nothing is
// stored; the functions that store say so by returning false.

bool RomajiGuideOn(const GameState& g);
bool SwitchRomajiGuide(const GameState& g, bool on);

RomajiChoices LoadRomajiChoices(const GameState& g);
bool SaveRomajiChoices(const GameState& g, const RomajiChoices& choices);

// The player's own question sets, oldest first; none without a record.
QList<QuestionSetInfo> PlayerQuestionSets(const GameState& g);
// The questions of one set, empty when it is gone.
QList<SetQuestion> PlayerSetQuestions(const GameState& g, qint64 setId);

// Where the practice takes its questions from, reconciled with the genre of the practice file.
PracticeSource LoadPracticeSource(const GameState& g, const QString& fileGenre);
bool SavePracticeSource(const GameState& g, const PracticeSource& source);

// The record's figures a drill is planned from: the weak kana units and keys as the statistics
// give them, key pairs from the player's recent games, and the totals.
struct DrillRecord {
    QList<WeakSpot> spots;
    int recordedKeys = 0;
    double overallMissRate = 0.0;
};
// method: the games and figures of romaji input or of kana input.
DrillRecord ReadDrillRecord(QSqlDatabase& db, InputMethod method = InputMethod::Romaji);

// The idioms of the bank as the drill weighs them: reading i is question ID 102 + 2 i.
QList<DrillQuestion> BankDrillQuestions();
constexpr int BankIdiomId(int index) {
    return 102 + 2 * index;
}

// A drill for the current player: the record read, the targets chosen, the bank weighed.
DrillPlan PlanPlayerDrill(const GameState& g, const RomajiChoices& choices);

}  // namespace kd
