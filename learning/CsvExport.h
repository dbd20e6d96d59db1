#pragma once

class QIODevice;
class QSqlDatabase;

namespace kd {

// Every game and key of an open learning record as CSV (UTF-8, a header row, one row per key;
// a game without keys still gets one). False when the record cannot be read or `out` written.
bool WriteLearningCsv(const QSqlDatabase& db, QIODevice& out);

}  // namespace kd
