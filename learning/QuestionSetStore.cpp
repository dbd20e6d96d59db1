#include "learning/QuestionSetStore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "learning/LearningStore.h"
#include "platform/core/WriteTrouble.h"

namespace kd {

namespace {

constexpr const char* kTables[] = {
    "CREATE TABLE IF NOT EXISTS question_sets("
    " id INTEGER PRIMARY KEY,"
    " name TEXT NOT NULL,"
    " kind INTEGER NOT NULL,"  // 0 idioms (text + reading), 1 English words
    " created_at INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS set_questions("
    " set_id INTEGER NOT NULL REFERENCES question_sets(id) ON DELETE CASCADE,"
    " seq INTEGER NOT NULL,"
    " text TEXT NOT NULL,"
    " reading TEXT NOT NULL,"
    " PRIMARY KEY(set_id, seq)) WITHOUT ROWID",
};

QString CleanName(const QString& name) {
    QString clean;
    for (QChar c : name.simplified())
        if (c.category() != QChar::Other_Control) clean += c;
    return clean.left(kSetTextMax).trimmed();
}

}  // namespace

bool QuestionSetStore::Fail(const QString& what) {
    m_error = what;
    if (m_db.isOpen()) m_db.rollback();
    return false;
}

bool QuestionSetStore::Fail(const QString& what, const QSqlError& error) {
    // The player is told why in their terms; what failed and the driver's words go to the log.
    qWarning("question sets: %s", qPrintable(what));
    Fail(TroubleText(LearningStore::TroubleOf(error, QFileInfo(m_db.databaseName()).absolutePath())));
    return false;
}

bool QuestionSetStore::EnsureTables() {
    QSqlQuery q(m_db);
    for (const char* sql : kTables)
        if (!q.exec(QLatin1String(sql)))
            return Fail(QCoreApplication::translate("QuestionSetStore", "問題集の表を作れません"),
                        q.lastError());
    return true;
}

bool QuestionSetStore::NameTaken(const QString& name, qint64 exceptId) const {
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("SELECT 1 FROM question_sets WHERE name = ? AND id <> ?"));
    q.addBindValue(name);
    q.addBindValue(exceptId);
    return q.exec() && q.next();
}

std::optional<qint64> QuestionSetStore::Add(const QString& name, QuestionSetKind kind,
                                            const QList<SetQuestion>& questions, qint64 nowMs) {
    if (questions.isEmpty()) {
        m_error = QCoreApplication::translate("QuestionSetStore", "取り込める問題がありません");
        return std::nullopt;
    }
    if (!EnsureTables()) return std::nullopt;
    const QString base = CleanName(name).isEmpty()
                             ? QCoreApplication::translate("QuestionSetStore", "自分の問題")
                             : CleanName(name);
    QString unique = base;
    for (int n = 2; NameTaken(unique, -1); ++n) unique = QStringLiteral("%1 (%2)").arg(base).arg(n);

    if (!m_db.transaction()) {
        Fail(QCoreApplication::translate("QuestionSetStore", "問題集を保存できません"), m_db.lastError());
        return std::nullopt;
    }
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("INSERT INTO question_sets(name, kind, created_at) VALUES(?, ?, ?)"));
    q.addBindValue(unique);
    q.addBindValue(int(kind));
    q.addBindValue(nowMs);
    if (!q.exec()) {
        Fail(QCoreApplication::translate("QuestionSetStore", "問題集を保存できません"), q.lastError());
        return std::nullopt;
    }
    const qint64 id = q.lastInsertId().toLongLong();

    // Many rows per statement: a large file is stored in a fraction of the time one statement
    // per row would take.
    constexpr int kRowsPerInsert = 64;
    auto insertSql = [](int rows) {
        QString sql = QStringLiteral("INSERT INTO set_questions(set_id, seq, text, reading) VALUES");
        for (int i = 0; i < rows; ++i) sql += i ? QStringLiteral(",(?,?,?,?)") : QStringLiteral("(?,?,?,?)");
        return sql;
    };
    QSqlQuery chunk(m_db), rest(m_db);
    chunk.prepare(insertSql(kRowsPerInsert));
    for (qsizetype first = 0; first < questions.size(); first += kRowsPerInsert) {
        const int rows = int(qMin<qsizetype>(kRowsPerInsert, questions.size() - first));
        QSqlQuery& q = rows == kRowsPerInsert ? chunk : rest;
        if (rows != kRowsPerInsert) q.prepare(insertSql(rows));
        for (int i = 0; i < rows; ++i) {
            const SetQuestion& sq = questions[first + i];
            q.bindValue(i * 4, id);
            q.bindValue(i * 4 + 1, qint64(first + i));
            q.bindValue(i * 4 + 2, sq.text);
            q.bindValue(i * 4 + 3, sq.reading);
        }
        if (!q.exec()) {
            Fail(QCoreApplication::translate("QuestionSetStore", "問題集を保存できません"), q.lastError());
            return std::nullopt;
        }
    }
    if (!m_db.commit()) {
        Fail(QCoreApplication::translate("QuestionSetStore", "問題集を保存できません"), m_db.lastError());
        return std::nullopt;
    }
    return id;
}

QList<QuestionSetInfo> QuestionSetStore::List() const {
    QList<QuestionSetInfo> sets;
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("SELECT s.id, s.name, s.kind, s.created_at,"
                               " (SELECT count(*) FROM set_questions WHERE set_id = s.id)"
                               " FROM question_sets s ORDER BY s.id"))) {
        m_error = q.lastError().text();
        return sets;
    }
    while (q.next()) {
        QuestionSetInfo info;
        info.id = q.value(0).toLongLong();
        info.name = q.value(1).toString();
        info.kind = q.value(2).toInt() == 1 ? QuestionSetKind::English : QuestionSetKind::Idioms;
        info.createdAt = q.value(3).toLongLong();
        info.count = q.value(4).toInt();
        sets << info;
    }
    return sets;
}

std::optional<QuestionSetInfo> QuestionSetStore::Find(qint64 id) const {
    for (const QuestionSetInfo& info : List())
        if (info.id == id) return info;
    return std::nullopt;
}

QList<SetQuestion> QuestionSetStore::Questions(qint64 id) const {
    QList<SetQuestion> questions;
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT text, reading FROM set_questions WHERE set_id = ? ORDER BY seq"));
    q.addBindValue(id);
    if (!q.exec()) {
        m_error = q.lastError().text();
        return questions;
    }
    while (q.next()) questions << SetQuestion{q.value(0).toString(), q.value(1).toString()};
    return questions;
}

bool QuestionSetStore::Rename(qint64 id, const QString& name) {
    const QString clean = CleanName(name);
    if (clean.isEmpty()) return Fail(QCoreApplication::translate("QuestionSetStore", "名前が空です"));
    if (NameTaken(clean, id))
        return Fail(QCoreApplication::translate("QuestionSetStore", "同じ名前の問題集があります"));
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("UPDATE question_sets SET name = ? WHERE id = ?"));
    q.addBindValue(clean);
    q.addBindValue(id);
    if (!q.exec())
        return Fail(QCoreApplication::translate("QuestionSetStore", "名前を変えられません"), q.lastError());
    if (q.numRowsAffected() != 1)
        return Fail(QCoreApplication::translate("QuestionSetStore", "その問題集はありません"));
    return true;
}

bool QuestionSetStore::Remove(qint64 id) {
    if (!m_db.transaction())
        return Fail(QCoreApplication::translate("QuestionSetStore", "問題集を削除できません"),
                    m_db.lastError());
    QSqlQuery q(m_db);
    // Without relying on the connection's foreign-key switch.
    q.prepare(QStringLiteral("DELETE FROM set_questions WHERE set_id = ?"));
    q.addBindValue(id);
    if (!q.exec())
        return Fail(QCoreApplication::translate("QuestionSetStore", "問題集を削除できません"), q.lastError());
    q.prepare(QStringLiteral("DELETE FROM question_sets WHERE id = ?"));
    q.addBindValue(id);
    if (!q.exec())
        return Fail(QCoreApplication::translate("QuestionSetStore", "問題集を削除できません"), q.lastError());
    const bool existed = q.numRowsAffected() == 1;
    if (!m_db.commit())
        return Fail(QCoreApplication::translate("QuestionSetStore", "問題集を削除できません"),
                    m_db.lastError());
    if (!existed) return Fail(QCoreApplication::translate("QuestionSetStore", "その問題集はありません"));
    return true;
}

QString QuestionSetStore::GenreKey(qint64 id) {
    return QStringLiteral("set:%1").arg(id);
}

std::optional<qint64> QuestionSetStore::IdOfGenreKey(const QString& key) {
    if (!key.startsWith(QLatin1String("set:"))) return std::nullopt;
    bool ok = false;
    const qint64 id = key.mid(4).toLongLong(&ok);
    if (!ok || id <= 0) return std::nullopt;
    return id;
}

ImportReport ImportQuestionSetFile(const QString& path, QuestionSetStore& store, qint64 nowMs) {
    ImportReport report;
    report.fileName = QFileInfo(path).fileName();
    report.result = ReadQuestionSetFile(path);
    if (!report.result.HasQuestions()) return report;
    const auto id = store.Add(SetNameFromPath(path), report.result.kind, report.result.questions, nowMs);
    if (!id) {
        report.storeError = store.LastError();
        return report;
    }
    report.setId = *id;
    report.setName = store.Find(*id) ? store.Find(*id)->name : SetNameFromPath(path);
    return report;
}

}  // namespace kd
