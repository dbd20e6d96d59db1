#include "learning/LearningStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>
#include <memory>

#include "learning/ClassOutbox.h"
#include "learning/CsvExport.h"
#include "learning/GameWriter.h"
#include "platform/core/WriteTrouble.h"

namespace kd {

namespace {

// Qt reports SQLite's primary result codes as text.
constexpr int kSqliteBusy = 5, kSqliteLocked = 6, kSqliteReadOnly = 8, kSqliteCorrupt = 11, kSqliteFull = 13,
              kSqliteNotADb = 26;

// Additions of version 2: indexes for the statistics' filters by date and their look at
// wrong keys (a few percent of all keys, so the partial index stays small; it holds every
// column the mix-ups read, so they never visit the table).
const char* const kVersion2[] = {
    "CREATE INDEX IF NOT EXISTS games_by_start ON games(started_at)",
    "CREATE INDEX IF NOT EXISTS keys_missed ON keys(expected_key, typed, expected, hit) WHERE hit = 0",
};

// Additions of version 3: the games on their way to the class server, in the order played.
const char* const kVersion3[] = {
    "CREATE TABLE IF NOT EXISTS class_outbox(seq INTEGER PRIMARY KEY AUTOINCREMENT, uid TEXT NOT NULL "
    "UNIQUE, "
    "game_id INTEGER, payload TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS class_outbox_by_game ON class_outbox(game_id)",
};

// Additions of version 4 (schema.sql has them for a new record): how each game's readings were
// typed (0 romaji, 1 kana keys; the games of older records were all romaji), and the ten places
// of the kana time-trial ranking, kept apart from the ranking file.
const char* const kVersion4Column = "ALTER TABLE games ADD COLUMN input_method INTEGER NOT NULL DEFAULT 0";
const char* const kVersion4Table =
    "CREATE TABLE IF NOT EXISTS kana_ranking(place INTEGER PRIMARY KEY, name TEXT NOT NULL, "
    "time_ms INTEGER NOT NULL, rate TEXT NOT NULL, score INTEGER NOT NULL, grade TEXT NOT NULL, "
    "genre TEXT NOT NULL)";

bool HasColumn(QSqlQuery& q, const QString& table, const QString& column) {
    if (!q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table))) return false;
    while (q.next())
        if (q.value(1).toString() == column) return true;
    return false;
}

QString SchemaText() {
    QFile f(QStringLiteral(":/learning/schema.sql"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

// The statements of a script without its "--" comments.
QStringList Statements(const QString& script) {
    QString plain;
    for (const QString& line : script.split(u'\n')) {
        const int dash = line.indexOf(QStringLiteral("--"));
        plain += (dash < 0 ? line : line.left(dash)) + u'\n';
    }
    QStringList out;
    for (const QString& s : plain.split(u';'))
        if (!s.trimmed().isEmpty()) out << s.trimmed();
    return out;
}

}  // namespace

LearningStore::LearningStore(const QString& path)
    : path_(path), connection_(QStringLiteral("learning-") + QUuid::createUuid().toString(QUuid::Id128)) {}

LearningStore::~LearningStore() {
    Close();
}

QSqlDatabase LearningStore::Database() const {
    return QSqlDatabase::contains(connection_) ? QSqlDatabase::database(connection_, false) : QSqlDatabase();
}

void LearningStore::Close() {
    writer_.reset();
    if (QSqlDatabase::contains(connection_)) {
        {
            QSqlDatabase db = QSqlDatabase::database(connection_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(connection_);
    }
    if (state_ != State::Unavailable) state_ = State::Closed;
}

QString LearningStore::DamagedName(const QString& path) {
    QString name = path + QStringLiteral(".damaged");
    for (int n = 1; QFileInfo::exists(name) || QFileInfo::exists(name + QStringLiteral("-wal")); ++n)
        name = path + QStringLiteral(".damaged.") + QString::number(n);
    return name;
}

bool LearningStore::RemoveFiles(const QString& path) {
    bool ok = true;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        const QString p = path + QLatin1String(suffix);
        if (QFileInfo::exists(p) && !QFile::remove(p)) ok = false;
    }
    return ok;
}

WriteTrouble LearningStore::TroubleOf(const QSqlError& error, const QString& folder) {
    // The driver's words are for us, not for the player.
    if (error.isValid()) qWarning("learning record: %s", qPrintable(error.text()));
    switch (error.nativeErrorCode().toInt()) {
        case kSqliteFull:
            return WriteTrouble::DiskFull;
        case kSqliteBusy:
        case kSqliteLocked:
            return WriteTrouble::InUse;
        case kSqliteReadOnly:
            return WriteTrouble::NotWritable;
    }
    // An I/O error or a file that cannot be opened says nothing of why: the folder may.
    return TroubleOfFolder(folder);
}

LearningStore::Failure LearningStore::Classify(const QSqlError& error) {
    switch (error.nativeErrorCode().toInt()) {
        case kSqliteCorrupt:
        case kSqliteNotADb:
            return Failure::Damaged;
    }
    trouble_ = TroubleOf(error, QFileInfo(path_).absolutePath());
    return trouble_ == WriteTrouble::InUse ? Failure::Locked : Failure::Unwritable;
}

LearningStore::Failure LearningStore::Unwritable() {
    trouble_ = TroubleOfFolder(QFileInfo(path_).absolutePath());
    return Failure::Unwritable;
}

void LearningStore::Fail(Failure f) {
    // A file still damaged after the damaged one was moved aside is not a writing trouble.
    const QString cause = f == Failure::Damaged
                              ? QCoreApplication::translate("LearningStore", "ファイルが壊れています")
                              : TroubleText(f == Failure::Locked ? WriteTrouble::InUse : trouble_);
    problem_ =
        QCoreApplication::translate(
            "LearningStore",
            "学習記録を開けません（%1）。\nゲームはこのまま遊べますが、今回は学習記録を残しません。\n%2")
            .arg(cause, path_);
    Close();
    state_ = State::Unavailable;
}

void LearningStore::WriteFailed(const QSqlError& error) {
    trouble_ = TroubleOf(error, QFileInfo(path_).absolutePath());
    problem_ =
        FailureMessage(QCoreApplication::translate("LearningStore", "学習記録に書き込めません"), trouble_) +
        QCoreApplication::translate(
            "LearningStore",
            "\n今回のゲームはまだ記録されていません。書き込めるようになれば、次のゲームのときに"
            "あわせて記録します。\n") +
        path_;
}

bool LearningStore::Open() {
    if (state_ == State::Ready || state_ == State::ReadOnly) return Writable();
    problem_.clear();
    created_ = false;
    state_ = State::Closed;
    Failure f = OpenOnce();
    if (f == Failure::Damaged) {
        // Kept aside, never deleted: the player (or we) may still rescue something from it.
        Close();
        const QString aside = DamagedName(path_);
        bool moved = QFile::rename(path_, aside);
        for (const char* suffix : {"-wal", "-shm"})
            if (QFileInfo::exists(path_ + QLatin1String(suffix)))
                moved = QFile::rename(path_ + QLatin1String(suffix), aside + QLatin1String(suffix)) && moved;
        if (!moved) {
            Unwritable();
            Fail(Failure::Unwritable);
            return false;
        }
        f = OpenOnce();
        if (f == Failure::None)
            problem_ = QCoreApplication::translate(
                           "LearningStore",
                           "学習記録のファイルが壊れていたため、%1 として残し、新しい学習記録を始めます。")
                           .arg(QFileInfo(aside).fileName());
    }
    if (f != Failure::None && state_ != State::Unavailable) Fail(f);
    return Writable();
}

bool LearningStore::CheckDue(const QSqlDatabase& db) const {
    // A whole check reads every page: instant for a young record, most of a second for a
    // record of millions of keys, which is then checked once a week.
    constexpr qint64 kAlwaysCheckBytes = 16 * 1024 * 1024;
    constexpr qint64 kWeekMs = 7LL * 24 * 3600 * 1000;
    if (QFileInfo(path_).size() <= kAlwaysCheckBytes) return true;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'checked_at'")) || !q.next()) return true;
    const qint64 age = QDateTime::currentMSecsSinceEpoch() - q.value(0).toLongLong();
    return age < 0 || age > kWeekMs;
}

LearningStore::Failure LearningStore::Connect(bool writable) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    db.setConnectOptions(writable ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=300")
                                  : QStringLiteral("QSQLITE_BUSY_TIMEOUT=300;QSQLITE_OPEN_READONLY"));
    return db.open() ? Failure::None : Classify(db.lastError());
}

LearningStore::Failure LearningStore::OpenOnce() {
    Close();
    const QFileInfo info(path_);
    const bool existed = info.exists() && info.size() > 0;
    trouble_ = WriteTrouble::None;
    if (info.exists() && !info.isReadable()) return Unwritable();
    // SQLite would quietly open an unwritable file read-only; say so instead.
    const bool writable = existed ? info.isWritable() && QFileInfo(info.absolutePath()).isWritable()
                                  : QFileInfo(info.absolutePath()).isWritable();
    if (!existed && !writable) return Unwritable();
    if (const Failure f = Connect(writable); f != Failure::None) return f;

    const QSqlDatabase db = Database();
    QSqlQuery q(db);
    // The first read tells a database from any other file.
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) return Classify(q.lastError());
    q.next();
    const bool empty = q.value(0).toInt() == 0;
    if (writable) {
        if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL"))) return Classify(q.lastError());
        // A kill loses at most the transaction being written; an fsync per game is not needed.
        q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    }
    q.exec(QStringLiteral("PRAGMA foreign_keys=ON"));

    const bool checking = !empty && CheckDue(db);
    if (checking) {
        if (!q.exec(QStringLiteral("PRAGMA quick_check"))) return Classify(q.lastError());
        if (!q.next() || q.value(0).toString() != QLatin1String("ok")) return Failure::Damaged;
        q.finish();
    }
    if (!writable) return OpenedReadOnly(empty);

    // Taking the write lock now tells a locked file at once, not after the first game.
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) return Classify(q.lastError());
    q.exec(QStringLiteral("ROLLBACK"));
    return PrepareSchema(empty, checking);
}

LearningStore::Failure LearningStore::OpenedReadOnly(bool empty) {
    state_ = State::ReadOnly;
    trouble_ = TroubleOfFolder(QFileInfo(path_).absolutePath());
    if (trouble_ == WriteTrouble::Other) trouble_ = WriteTrouble::NotWritable;  // the file's own rights
    problem_ =
        FailureMessage(QCoreApplication::translate("LearningStore", "学習記録に書き込めません"), trouble_) +
        QCoreApplication::translate("LearningStore",
                                    "\nゲームはこのまま遊べますが、今回は学習記録を残しません。\n") +
        path_;
    return empty ? Failure::Unwritable : Failure::None;
}

LearningStore::Failure LearningStore::PrepareSchema(bool empty, bool checked) {
    if (empty) {
        if (!CreateSchema()) return Unwritable();
        created_ = true;
        state_ = State::Ready;
        return Failure::None;
    }
    QSqlQuery q(Database());
    int version = 0;
    if (q.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'schema_version'")) && q.next())
        version = q.value(0).toInt();
    else
        return Failure::Damaged;  // tables without our meta row: not a record of ours
    q.finish();
    if (version > kSchemaVersion) return OpenNewer();
    if (version < kSchemaVersion && !Upgrade(version)) return Unwritable();
    if (checked)
        q.exec(QStringLiteral("INSERT OR REPLACE INTO meta VALUES('checked_at', '%1')")
                   .arg(QDateTime::currentMSecsSinceEpoch()));
    state_ = State::Ready;
    return Failure::None;
}

LearningStore::Failure LearningStore::OpenNewer() {
    Close();
    if (const Failure f = Connect(false); f != Failure::None) return f;
    state_ = State::ReadOnly;
    problem_ = QCoreApplication::translate("LearningStore",
                                           "この学習記録は新しい版の Key Derby で作られています。\n"
                                           "読むことはできますが、この版では記録を書き足しません。");
    return Failure::None;
}

bool LearningStore::CreateSchema() {
    QSqlDatabase db = Database();
    const QStringList base = Statements(SchemaText());
    if (base.isEmpty()) return false;
    if (!db.transaction()) return false;
    QSqlQuery q(db);
    for (const QString& s : base)
        if (!q.exec(s)) return db.rollback(), false;
    q.exec(QStringLiteral("INSERT INTO meta VALUES('schema_version', '1')"));
    if (!db.commit()) return db.rollback(), false;
    return Upgrade(1);
}

bool LearningStore::Upgrade(int from) {
    QSqlDatabase db = Database();
    if (!db.transaction()) return false;
    QSqlQuery q(db);
    bool ok = true;
    if (from < 2)
        for (const char* s : kVersion2) ok = ok && q.exec(QString::fromLatin1(s));
    if (from < 3)
        for (const char* s : kVersion3) ok = ok && q.exec(QString::fromLatin1(s));
    if (from < 4) {
        if (ok && !HasColumn(q, QStringLiteral("games"), QStringLiteral("input_method")))
            ok = q.exec(QString::fromLatin1(kVersion4Column));
        ok = ok && q.exec(QString::fromLatin1(kVersion4Table));
    }
    ok =
        ok &&
        q.exec(
            QStringLiteral("INSERT OR REPLACE INTO meta VALUES('schema_version', '%1')").arg(kSchemaVersion));
    if (!ok || !db.commit()) {
        db.rollback();
        return false;
    }
    return true;
}

GameWriter& LearningStore::Writer() {
    if (!writer_) writer_ = std::make_unique<GameWriter>(Database());
    return *writer_;
}

std::optional<qint64> LearningStore::WriteGame(const RecordedGame& game) {
    if (!Writable()) return std::nullopt;
    // A failed write leaves the record open: the game is kept by the caller and written once
    // the disk has room again or the other program lets go.
    const std::optional<qint64> id = Writer().Write(game);
    if (!id) {
        WriteFailed(writer_->Error());
        return std::nullopt;
    }
    problem_.clear();
    return id;
}

bool LearningStore::WriteGames(const QList<RecordedGame>& games) {
    return Writable() && Writer().WriteAll(games);
}

bool LearningStore::SettleGame(qint64 gameId, GameMode mode, const GameSettled& outcome) {
    if (!Writable()) return false;
    if (Writer().Settle(gameId, mode, outcome) && SettleQueuedGame(Database(), gameId, outcome)) return true;
    WriteFailed(writer_->Error());
    return false;
}

bool LearningStore::ExportCsv(QIODevice& out) const {
    if (state_ != State::Ready && state_ != State::ReadOnly) return false;
    return WriteLearningCsv(Database(), out);
}

}  // namespace kd
