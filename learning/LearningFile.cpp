#include "learning/LearningFile.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>

#include "common/GameState.h"
#include "learning/LearningSchema.h"
#include "learning/PlayedGame.h"

namespace kd {

LearningFile::LearningFile(const QString& path, Mode mode) {
    static QAtomicInt counter;
    m_name = QStringLiteral("kd_learning_file_%1").arg(counter.fetchAndAddRelaxed(1));
    const bool exists = QFileInfo(path).isFile();
    if (!exists && mode != Mode::CreateIfMissing) return;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    if (mode == Mode::ReadOnly) db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open()) return;
    QSqlQuery q(db);
    // A damaged file opens but fails its first real read: treat it as no record.
    if (!q.exec(QStringLiteral("PRAGMA busy_timeout = 200")) ||
        !q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next() ||
        (q.value(0).toInt() == 0 && (mode != Mode::CreateIfMissing || !CreateTables()))) {
        db.close();
    }
}

LearningFile::~LearningFile() {
    if (!QSqlDatabase::contains(m_name)) return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

bool LearningFile::IsOpen() const {
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase LearningFile::Db() const {
    return QSqlDatabase::contains(m_name) ? QSqlDatabase::database(m_name, false) : QSqlDatabase();
}

bool LearningFile::CreateTables() {
    QSqlDatabase db = Db();
    if (!db.transaction()) return false;
    QSqlQuery q(db);
    QString sql;
    for (const QString& line : QString::fromUtf8(kLearningSchemaSql).split(QLatin1Char('\n')))
        sql += line.section(QStringLiteral("--"), 0, 0) + QLatin1Char('\n');
    for (const QString& stmt : sql.split(QLatin1Char(';'))) {
        if (stmt.trimmed().isEmpty()) continue;
        if (!q.exec(stmt)) {
            db.rollback();
            return false;
        }
    }
    if (!q.exec(QStringLiteral("INSERT INTO meta(key, value) VALUES('schema_version', '1')"))) {
        db.rollback();
        return false;
    }
    return db.commit();
}

std::optional<QString> LearningFile::Setting(const QString& key) const {
    if (!IsOpen()) return std::nullopt;
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("SELECT value FROM settings WHERE key = ?"));
    q.addBindValue(key);
    if (!q.exec() || !q.next()) return std::nullopt;
    return q.value(0).toString();
}

bool LearningFile::SetSetting(const QString& key, const QString& value) {
    if (!IsOpen()) return false;
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO settings(key, value) VALUES(?, ?)"));
    q.addBindValue(key);
    q.addBindValue(value);
    return q.exec();
}

QString LearningFilePath(const GameState& g) {
    return g.PlayerPath(QStringLiteral("learning.sqlite"));
}

bool ReadBoolSetting(const QString& path, const QString& key, bool fallback) {
    const LearningFile f(path, LearningFile::Mode::ReadOnly);
    const auto v = f.Setting(key);
    return v ? *v == QLatin1String("1") : fallback;
}

bool WriteBoolSetting(const QString& path, const QString& key, bool on) {
    LearningFile f(path, LearningFile::Mode::CreateIfMissing);
    return f.SetSetting(key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace kd

namespace kd {

std::optional<PlayedGame> LoadBestTimeTrial(const QString& path, const QString& genre) {
    const LearningFile f(path, LearningFile::Mode::ReadOnly);
    if (!f.IsOpen()) return std::nullopt;
    const auto id = FindBestTimeTrial(f.Db(), genre);
    if (!id) return std::nullopt;
    return LoadPlayedGame(f.Db(), *id);
}

}  // namespace kd
