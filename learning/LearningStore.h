#pragma once
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>

#include "common/PlayEvents.h"
#include "common/PlayerFiles.h"
#include "learning/RecordedGame.h"
#include "platform/core/WriteTrouble.h"

class QIODevice;
class QSqlError;

namespace kd {

class GameWriter;

// The learning record of one player: an SQLite file in the player's folder, opened (created,
// upgraded, or moved aside when damaged) and closed here. Every failure (damaged, locked,
// unwritable, written by a newer version) leaves a message for the player and a store that
// records nothing; the game itself never depends on it. The store keeps the connection and
// what the player is told; GameWriter does the writing, WriteLearningCsv the export and
// Setting (learning/Settings.h) the options.
class LearningStore {
  public:
    static constexpr int kSchemaVersion = 4;
    static constexpr const char* kFileName = kLearningRecordFile;

    enum class State { Closed, Ready, ReadOnly, Unavailable };

    explicit LearningStore(const QString& path);
    ~LearningStore();
    LearningStore(const LearningStore&) = delete;
    LearningStore& operator=(const LearningStore&) = delete;

    // Opens (creating or upgrading) the file; a damaged file is moved aside first. Returns
    // true when the record can be written.
    bool Open();
    void Close();
    State state() const { return state_; }
    bool Writable() const { return state_ == State::Ready; }
    // Created by the last Open (the old record files may be imported into it).
    bool IsNew() const { return created_; }
    // What the player should be told about the last failure, or "".
    QString Problem() const { return problem_; }
    // Why the last open or write failed.
    WriteTrouble Trouble() const { return trouble_; }
    // A failed SQLite call in the player's terms; the driver's own text goes to the log.
    static WriteTrouble TroubleOf(const QSqlError& error, const QString& folder);
    QString Path() const { return path_; }
    // The open connection, for queries; invalid when closed or unavailable.
    QSqlDatabase Database() const;

    // One transaction; the new game's id, or nullopt (and Problem() set) on failure. The
    // record stays open after a failed write, so a later one can succeed.
    std::optional<qint64> WriteGame(const RecordedGame& game);
    // Several games in one transaction (the import).
    bool WriteGames(const QList<RecordedGame>& games);
    // The outcome settled after the game's end (result screen, ranking).
    bool SettleGame(qint64 gameId, GameMode mode, const GameSettled& outcome);

    // Every game and key as CSV (WriteLearningCsv); false while the record is not open.
    bool ExportCsv(QIODevice& out) const;

    // Deletes the database with its -wal and -shm files (the store must be closed).
    static bool RemoveFiles(const QString& path);
    // The first free name for a damaged copy: path.damaged, path.damaged.1, ...
    static QString DamagedName(const QString& path);

  private:
    enum class Failure { None, Damaged, Locked, Unwritable };
    Failure OpenOnce();
    // Adds the connection: read and write, or read only.
    Failure Connect(bool writable);
    bool CheckDue(const QSqlDatabase& db) const;
    // A record that can be read but not written: the player is told why.
    Failure OpenedReadOnly(bool empty);
    // Creates the tables of a new record or brings an old one's up to date.
    Failure PrepareSchema(bool empty, bool checked);
    // A record of a newer version, opened again read only.
    Failure OpenNewer();
    bool CreateSchema();
    bool Upgrade(int from);
    Failure Classify(const QSqlError& error);
    Failure Unwritable();  // with the cause read from the folder
    void Fail(Failure f);
    void WriteFailed(const QSqlError& error);
    // The writer of the open connection, made on first use.
    GameWriter& Writer();

    QString path_;
    QString connection_;
    State state_ = State::Closed;
    bool created_ = false;
    QString problem_;
    WriteTrouble trouble_ = WriteTrouble::None;
    std::unique_ptr<GameWriter> writer_;
};

}  // namespace kd
