#pragma once
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

#include "learning/QuestionSetImport.h"

class QSqlError;

namespace kd {

struct QuestionSetInfo {
    qint64 id = 0;
    QString name;
    QuestionSetKind kind = QuestionSetKind::Idioms;
    int count = 0;
    qint64 createdAt = 0;  // milliseconds since the epoch
};

// The player's own question sets, kept in the player's learning database in two tables of
// their own. Every change is one transaction: a set is there whole or not at all.
class QuestionSetStore {
  public:
    // db: an open connection to the player's learning database.
    explicit QuestionSetStore(QSqlDatabase db) : m_db(std::move(db)) {}

    bool EnsureTables();
    // The new set's id; its name is made unique ("名前 (2)") when taken.
    std::optional<qint64> Add(const QString& name, QuestionSetKind kind, const QList<SetQuestion>& questions,
                              qint64 nowMs);
    QList<QuestionSetInfo> List() const;
    std::optional<QuestionSetInfo> Find(qint64 id) const;
    QList<SetQuestion> Questions(qint64 id) const;
    bool Rename(qint64 id, const QString& name);
    bool Remove(qint64 id);

    QString LastError() const { return m_error; }

    // The genre key a game of the set carries in the record ("set:12").
    static QString GenreKey(qint64 id);
    static std::optional<qint64> IdOfGenreKey(const QString& key);

  private:
    bool NameTaken(const QString& name, qint64 exceptId) const;
    bool Fail(const QString& what);
    bool Fail(const QString& what, const QSqlError& error);

    QSqlDatabase m_db;
    mutable QString m_error;
};

// One import as the report window shows it: the file, what it gave, and the set it became.
struct ImportReport {
    QString fileName;
    QuestionSetImport result;
    qint64 setId = 0;  // 0 when nothing was stored
    QString setName;
    QString storeError;  // the questions were good but could not be stored

    bool Stored() const { return setId != 0; }
};

// Reads a question file and stores its good lines as a new set named after the file.
ImportReport ImportQuestionSetFile(const QString& path, QuestionSetStore& store, qint64 nowMs);

}  // namespace kd
