#include "learning/Settings.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

namespace kd {

QString Setting(const QSqlDatabase& db, const QString& key, const QString& fallback) {
    if (!db.isOpen()) return fallback;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT value FROM settings WHERE key = ?"));
    q.addBindValue(key);
    if (q.exec() && q.next()) return q.value(0).toString();
    return fallback;
}

bool SetSetting(const QSqlDatabase& db, const QString& key, const QString& value) {
    if (!db.isOpen()) return false;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO settings(key, value) VALUES(?, ?)"));
    q.addBindValue(key);
    q.addBindValue(value);
    return q.exec();
}

}  // namespace kd
