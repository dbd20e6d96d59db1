#pragma once
#include <QSqlDatabase>
#include <QString>

#include "common/TimeTrialRecords.h"
#include "engine/KanaLayout.h"

namespace kd {

class GameState;

// Per-player option kept in the learning record's settings: "kana" when the player types
// readings with kana keys; missing or anything else is romaji.
inline const QString kInputMethodSetting = QStringLiteral("input_method");

// Romaji when there is no record (no player, a damaged or missing file) or it was never set.
InputMethod PlayerInputMethod(const GameState& g);
// False when the record cannot be written; the option then stays as it was.
bool SetPlayerInputMethod(const GameState& g, InputMethod method);

// The time-trial ranking of kana runs. Romaji and kana times are not comparable, so kana runs
// never go into the ranking file; they have these ten places of the learning record instead,
// shaped as the file's. Empty places where there is no record.
TimeTrialTable LoadKanaRanking(const QSqlDatabase& db);
// Replaces all ten places in one transaction; false (the places left as they were) on failure.
bool SaveKanaRanking(const QSqlDatabase& db, const TimeTrialTable& table);

// Whether a kana run can be ranked: the current player's record can be written.
bool KanaRankingWritable(const GameState& g);
TimeTrialTable LoadKanaRanking(const GameState& g);
bool SaveKanaRanking(const GameState& g, const TimeTrialTable& table);

}  // namespace kd
