#include "learning/LearningStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>
#include <QUuid>
#include <QVariant>
#include <algorithm>
#include <memory>

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

QVariant Opt(const std::optional<int>& v) {
    return v ? QVariant(*v) : QVariant(QMetaType(QMetaType::Int));
}
QVariant Opt(const std::optional<qint64>& v) {
    return v ? QVariant(*v) : QVariant(QMetaType(QMetaType::LongLong));
}
QVariant Opt(const std::optional<QString>& v) {
    return v ? QVariant(*v) : QVariant(QMetaType(QMetaType::QString));
}

const char* ModeName(int mode) {
    switch (mode) {
        case 0:
            return "practice";
        case 1:
            return "timetrial";
        case 2:
            return "race";
        case 3:
            return "boss";
        case 4:
            return "netrace";
    }
    return "";
}

QString Csv(const QVariant& v) {
    if (v.isNull()) return {};
    QString s = v.toString();
    if (s.contains(u',') || s.contains(u'"') || s.contains(u'\n') || s.contains(u'\r'))
        s = u'"' + s.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
    return s;
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
    gameInsert_.reset();
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
                              ? QStringLiteral("ファイルが壊れています")
                              : TroubleText(f == Failure::Locked ? WriteTrouble::InUse : trouble_);
    problem_ =
        QStringLiteral(
            "学習記録を開けません（%1）。\nゲームはこのまま遊べますが、今回は学習記録を残しません。\n%2")
            .arg(cause, path_);
    Close();
    state_ = State::Unavailable;
}

void LearningStore::WriteFailed(const QSqlError& error) {
    trouble_ = TroubleOf(error, QFileInfo(path_).absolutePath());
    problem_ = FailureMessage(QStringLiteral("学習記録に書き込めません"), trouble_) +
               QStringLiteral(
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
            problem_ = QStringLiteral(
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

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    db.setConnectOptions(writable ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=300")
                                  : QStringLiteral("QSQLITE_BUSY_TIMEOUT=300;QSQLITE_OPEN_READONLY"));
    if (!db.open()) return Classify(db.lastError());

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
    if (!writable) {
        state_ = State::ReadOnly;
        trouble_ = TroubleOfFolder(info.absolutePath());
        if (trouble_ == WriteTrouble::Other) trouble_ = WriteTrouble::NotWritable;  // the file's own rights
        problem_ = FailureMessage(QStringLiteral("学習記録に書き込めません"), trouble_) +
                   QStringLiteral("\nゲームはこのまま遊べますが、今回は学習記録を残しません。\n") + path_;
        return empty ? Failure::Unwritable : Failure::None;
    }

    // Taking the write lock now tells a locked file at once, not after the first game.
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) return Classify(q.lastError());
    q.exec(QStringLiteral("ROLLBACK"));

    if (empty) {
        if (!CreateSchema()) return Unwritable();
        created_ = true;
        state_ = State::Ready;
        return Failure::None;
    }
    int version = 0;
    if (q.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'schema_version'")) && q.next())
        version = q.value(0).toInt();
    else
        return Failure::Damaged;  // tables without our meta row: not a record of ours
    q.finish();
    if (version > kSchemaVersion) {
        Close();
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
        db.setDatabaseName(path_);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=300;QSQLITE_OPEN_READONLY"));
        if (!db.open()) return Classify(db.lastError());
        state_ = State::ReadOnly;
        problem_ = QStringLiteral(
            "この学習記録は新しい版の Key Derby で作られています。\n"
            "読むことはできますが、この版では記録を書き足しません。");
        return Failure::None;
    }
    if (version < kSchemaVersion && !Upgrade(version)) return Unwritable();
    if (checking)
        q.exec(QStringLiteral("INSERT OR REPLACE INTO meta VALUES('checked_at', '%1')")
                   .arg(QDateTime::currentMSecsSinceEpoch()));
    state_ = State::Ready;
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

QSqlQuery* LearningStore::GameInsert() {
    if (!gameInsert_) {
        auto q = std::make_unique<QSqlQuery>(Database());
        // Named values: Qt makes a new text for every positional one it binds.
        const QString sql = QStringLiteral(
            "INSERT INTO games(mode, genre, chara, heat, setting_s, started_at, duration_ms, correct, "
            "misses, abandoned, imported, time_ms, grade, score, place, won) "
            "VALUES(:mode, :genre, :chara, :heat, :setting_s, :started_at, :duration_ms, :correct, "
            ":misses, :abandoned, :imported, :time_ms, :grade, :score, :place, :won)");
        if (!q->prepare(sql)) return nullptr;
        gameInsert_ = std::move(q);
    }
    return gameInsert_.get();
}

bool LearningStore::InsertGame(const RecordedGame& g, qint64& id, QSqlQuery& q) {
    QSqlDatabase db = Database();
    q.bindValue(QStringLiteral(":mode"), int(g.mode));
    q.bindValue(QStringLiteral(":genre"), g.genre);
    q.bindValue(QStringLiteral(":chara"), Opt(g.chara));
    q.bindValue(QStringLiteral(":heat"), Opt(g.heat));
    q.bindValue(QStringLiteral(":setting_s"), Opt(g.settingSeconds));
    q.bindValue(QStringLiteral(":started_at"), g.startedAt);
    q.bindValue(QStringLiteral(":duration_ms"), g.durationMs);
    q.bindValue(QStringLiteral(":correct"), g.correct);
    q.bindValue(QStringLiteral(":misses"), g.misses);
    q.bindValue(QStringLiteral(":abandoned"), int(g.abandoned));
    q.bindValue(QStringLiteral(":imported"), int(g.imported));
    q.bindValue(QStringLiteral(":time_ms"),
                g.timeMs ? QVariant(*g.timeMs) : QVariant(QMetaType(QMetaType::Int)));
    q.bindValue(QStringLiteral(":grade"), Opt(g.grade));
    q.bindValue(QStringLiteral(":score"), g.score ? QVariant(*g.score) : QVariant(QMetaType(QMetaType::Int)));
    q.bindValue(QStringLiteral(":place"), Opt(g.place));
    q.bindValue(QStringLiteral(":won"), g.won ? QVariant(int(*g.won)) : QVariant(QMetaType(QMetaType::Int)));
    if (!q.exec()) return false;
    id = q.lastInsertId().toLongLong();

    if (!g.questions.isEmpty()) {
        QSqlQuery qq(db);
        qq.prepare(QStringLiteral("INSERT INTO questions VALUES(?,?,?,?,?,?,?,?,?,?)"));
        for (int i = 0; i < g.questions.size(); ++i) {
            const RecordedQuestion& r = g.questions[i];
            qq.addBindValue(id);
            qq.addBindValue(i);
            qq.addBindValue(r.questionId);
            qq.addBindValue(r.text);
            qq.addBindValue(r.reading);
            qq.addBindValue(r.shownMs);
            qq.addBindValue(Opt(r.firstKeyMs));
            qq.addBindValue(Opt(r.lastKeyMs));
            qq.addBindValue(r.misses);
            qq.addBindValue(int(r.completed));
            if (!qq.exec()) return false;
        }
    }
    if (!g.keys.isEmpty()) {
        QSqlQuery kq(db);
        kq.prepare(QStringLiteral("INSERT INTO keys VALUES(?,?,?,?,?,?,?,?,?)"));
        for (int i = 0; i < g.keys.size(); ++i) {
            const RecordedKey& k = g.keys[i];
            kq.addBindValue(id);
            kq.addBindValue(i);
            kq.addBindValue(k.questionSeq);
            kq.addBindValue(k.ms);
            kq.addBindValue(k.expected);
            kq.addBindValue(k.expectedKey.isNull() ? QString() : QString(k.expectedKey));
            kq.addBindValue(QString(k.typed));
            kq.addBindValue(int(k.hit));
            kq.addBindValue(k.hit ? QVariant(k.form) : QVariant(QMetaType(QMetaType::QString)));
            if (!kq.exec()) return false;
        }
    }
    if (std::any_of(g.cast.begin(), g.cast.end(), [](int c) { return c > 0; })) {
        // Who ran in which lane (the co-qualifier of the heat before is named nowhere else).
        QSqlQuery cq(db);
        if (!cq.exec(
                QStringLiteral("CREATE TABLE IF NOT EXISTS game_cast(game_id INTEGER NOT NULL REFERENCES "
                               "games(id) ON DELETE CASCADE, lane INTEGER NOT NULL, chara INTEGER NOT NULL, "
                               "PRIMARY KEY(game_id, lane)) WITHOUT ROWID")))
            return false;
        cq.prepare(QStringLiteral("INSERT OR REPLACE INTO game_cast VALUES(?,?,?)"));
        for (int lane = 0; lane < int(g.cast.size()); ++lane) {
            if (g.cast[size_t(lane)] <= 0) continue;
            cq.addBindValue(id);
            cq.addBindValue(lane);
            cq.addBindValue(g.cast[size_t(lane)]);
            if (!cq.exec()) return false;
        }
    }
    if (!g.lanes.isEmpty()) {
        QSqlQuery lq(db);
        // Two moves in the same millisecond: the later one is where the lanes stood.
        lq.prepare(QStringLiteral("INSERT OR REPLACE INTO lanes VALUES(?,?,?,?,?,?,?)"));
        for (const RecordedLanes& l : g.lanes) {
            lq.addBindValue(id);
            lq.addBindValue(l.ms);
            for (int p : l.positions) lq.addBindValue(p);
            if (!lq.exec()) return false;
        }
    }
    return true;
}

std::optional<qint64> LearningStore::WriteGame(const RecordedGame& game) {
    if (!Writable()) return std::nullopt;
    QSqlDatabase db = Database();
    qint64 id = 0;
    // A failed write leaves the record open: the game is kept by the caller and written once
    // the disk has room again or the other program lets go.
    if (!db.transaction()) {
        WriteFailed(db.lastError());
        return std::nullopt;
    }
    QSqlQuery* insert = GameInsert();
    if (!insert || !InsertGame(game, id, *insert) || !db.commit()) {
        QSqlError e = db.lastError();
        if (insert && insert->lastError().isValid()) e = insert->lastError();
        db.rollback();
        WriteFailed(e);
        return std::nullopt;
    }
    problem_.clear();
    return id;
}

bool LearningStore::WriteGames(const QList<RecordedGame>& games) {
    if (!Writable()) return false;
    QSqlDatabase db = Database();
    if (!db.transaction()) return false;
    qint64 id = 0;
    QSqlQuery* insert = GameInsert();
    if (!insert) return db.rollback(), false;
    for (const RecordedGame& g : games)
        if (!InsertGame(g, id, *insert)) return db.rollback(), false;
    if (!db.commit()) return db.rollback(), false;
    return true;
}

bool LearningStore::SettleGame(qint64 gameId, GameMode mode, const GameSettled& s) {
    if (!Writable()) return false;
    QSqlQuery q(Database());
    switch (mode) {
        case GameMode::TimeTrial:
            q.prepare(
                QStringLiteral("UPDATE games SET time_ms = ?, grade = ?, score = ?, place = ? WHERE id = ?"));
            q.addBindValue(s.timeMs);
            q.addBindValue(s.grade);
            q.addBindValue(s.score);
            q.addBindValue(s.place > 0 ? QVariant(s.place) : QVariant(QMetaType(QMetaType::Int)));
            break;
        case GameMode::Boss:
            q.prepare(QStringLiteral("UPDATE games SET won = ? WHERE id = ?"));
            q.addBindValue(int(s.won));
            break;
        case GameMode::Race:
        case GameMode::NetRace:
            q.prepare(QStringLiteral("UPDATE games SET place = ? WHERE id = ?"));
            q.addBindValue(s.racePlace > 0 ? QVariant(s.racePlace) : QVariant(QMetaType(QMetaType::Int)));
            break;
        case GameMode::Practice:
            return true;  // its figures are the game's own counts
    }
    q.addBindValue(gameId);
    if (!q.exec()) {
        WriteFailed(q.lastError());
        return false;
    }
    return true;
}

bool LearningStore::ExportCsv(QIODevice& out) const {
    if (state_ != State::Ready && state_ != State::ReadOnly) return false;
    QTextStream ts(&out);
    ts.setEncoding(QStringConverter::Utf8);
    ts << "game_id,mode,genre,chara,heat,setting_s,started_at,duration_ms,correct,misses,abandoned,imported,"
          "time_ms,grade,score,place,won,question_seq,question_id,question_text,reading,key_seq,key_ms,"
          "expected,"
          "expected_key,typed,hit,form\n";
    QSqlQuery q(Database());
    q.setForwardOnly(true);
    // Games without keys (imported summaries, games left before the first key) still get a row.
    if (!q.exec(QStringLiteral(
            "SELECT g.id, g.mode, g.genre, g.chara, g.heat, g.setting_s, g.started_at, g.duration_ms, "
            "g.correct, "
            "g.misses, g.abandoned, g.imported, g.time_ms, g.grade, g.score, g.place, g.won, k.question_seq, "
            "q.question_id, q.text, q.reading, k.seq, k.ms, k.expected, k.expected_key, k.typed, k.hit, "
            "k.form "
            "FROM games g LEFT JOIN keys k ON k.game_id = g.id "
            "LEFT JOIN questions q ON q.game_id = g.id AND q.seq = k.question_seq ORDER BY g.id, k.seq")))
        return false;
    const int columns = q.record().count();
    while (q.next()) {
        for (int c = 0; c < columns; ++c) {
            if (c) ts << ',';
            if (c == 1)
                ts << ModeName(q.value(c).toInt());
            else if (c == 6)
                ts << QDateTime::fromMSecsSinceEpoch(q.value(c).toLongLong()).toString(Qt::ISODate);
            else
                ts << Csv(q.value(c));
        }
        ts << '\n';
    }
    ts.flush();
    return ts.status() == QTextStream::Ok && q.lastError().type() == QSqlError::NoError;
}

}  // namespace kd
