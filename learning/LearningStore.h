#pragma once
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QtGlobal>
#include <array>
#include <memory>
#include <optional>

#include "common/PlayEvents.h"
#include "platform/core/WriteTrouble.h"

class QIODevice;
class QSqlError;
class QSqlQuery;

namespace kd {

// One game as it goes into the record (see learning/schema.sql for the columns).
struct RecordedQuestion {
    int questionId = 0;
    QString text;
    QString reading;
    qint64 shownMs = 0;                           // since the game began
    std::optional<qint64> firstKeyMs, lastKeyMs;  // since the question appeared
    int misses = 0;
    bool completed = false;
};

struct RecordedKey {
    int questionSeq = 0;
    qint64 ms = 0;  // since the question appeared
    QString expected;
    QChar expectedKey;
    QChar typed;
    bool hit = false;
    QString form;  // hits only
};

struct RecordedLanes {
    qint64 ms = 0;  // since the game began
    std::array<int, 5> positions{};
};

struct RecordedGame {
    GameMode mode = GameMode::Practice;
    QString genre;
    std::optional<int> chara, heat, settingSeconds;
    qint64 startedAt = 0;
    qint64 durationMs = 0;
    int correct = 0;
    int misses = 0;
    bool abandoned = false;
    bool imported = false;
    std::optional<qint32> timeMs, score;
    std::optional<QString> grade;
    std::optional<int> place;
    std::optional<bool> won;
    QList<RecordedQuestion> questions;
    QList<RecordedKey> keys;
    QList<RecordedLanes> lanes;
    std::array<int, 4> cast{};  // race: the character in each lane, 0 where not known
};

// The learning record of one player: an SQLite file in the player's folder. Every failure
// (damaged, locked, unwritable, written by a newer version) leaves a message for the player
// and a store that records nothing; the game itself never depends on it. Its options are kept
// with Setting (learning/Settings.h) on Database().
class LearningStore {
  public:
    static constexpr int kSchemaVersion = 2;
    static constexpr const char* kFileName = "learning.sqlite";

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

    // Every game and key as CSV (UTF-8, header row).
    bool ExportCsv(QIODevice& out) const;

    // Deletes the database with its -wal and -shm files (the store must be closed).
    static bool RemoveFiles(const QString& path);
    // The first free name for a damaged copy: path.damaged, path.damaged.1, ...
    static QString DamagedName(const QString& path);

  private:
    enum class Failure { None, Damaged, Locked, Unwritable };
    Failure OpenOnce();
    bool CheckDue(const QSqlDatabase& db) const;
    bool CreateSchema();
    bool Upgrade(int from);
    Failure Classify(const QSqlError& error);
    Failure Unwritable();  // with the cause read from the folder
    void Fail(Failure f);
    void WriteFailed(const QSqlError& error);
    // The insert of a game row, prepared once per connection (nullptr when it cannot be).
    QSqlQuery* GameInsert();
    // Binds and runs the prepared insert of the game row, then writes its questions, keys and lanes.
    bool InsertGame(const RecordedGame& game, qint64& id, QSqlQuery& insert);

    QString path_;
    QString connection_;
    State state_ = State::Closed;
    bool created_ = false;
    QString problem_;
    WriteTrouble trouble_ = WriteTrouble::None;
    std::unique_ptr<QSqlQuery> gameInsert_;
};

}  // namespace kd
