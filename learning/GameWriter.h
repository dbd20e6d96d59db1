#pragma once
#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QtGlobal>
#include <memory>
#include <optional>

#include "common/PlayEvents.h"
#include "learning/RecordedGame.h"

class QSqlQuery;

namespace kd {

// Puts recorded games into an open learning record, one transaction per call. The insert of a
// game row is prepared once, so a writer lives no longer than its connection.
class GameWriter {
  public:
    explicit GameWriter(const QSqlDatabase& db);
    ~GameWriter();
    GameWriter(const GameWriter&) = delete;
    GameWriter& operator=(const GameWriter&) = delete;

    // The new game's id, or nullopt (with Error() set) when nothing was written.
    std::optional<qint64> Write(const RecordedGame& game);
    // Several games in one transaction (the import): all of them or none.
    bool WriteAll(const QList<RecordedGame>& games);
    // The outcome settled after the game's end (result screen, ranking); false with Error() set.
    bool Settle(qint64 gameId, GameMode mode, const GameSettled& outcome);
    // Why the last Write or Settle failed.
    QSqlError Error() const { return error_; }

  private:
    QSqlQuery* GameInsert();
    // Runs the prepared insert of the game row, then writes its questions, keys, cast and lanes.
    bool Insert(const RecordedGame& game, qint64& id, QSqlQuery& insert);
    bool InsertQuestions(const RecordedGame& game, qint64 id);
    bool InsertKeys(const RecordedGame& game, qint64 id);
    bool InsertCast(const RecordedGame& game, qint64 id);
    bool InsertLanes(const RecordedGame& game, qint64 id);

    QSqlDatabase db_;
    std::unique_ptr<QSqlQuery> gameInsert_;
    QSqlError error_;
};

}  // namespace kd
