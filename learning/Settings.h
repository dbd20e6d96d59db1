#pragma once
#include <QString>

class QSqlDatabase;

namespace kd {

// Per-player options kept in the settings table of a learning record. A record that is closed,
// missing or read-only gives the fallback and stores nothing.
QString Setting(const QSqlDatabase& db, const QString& key, const QString& fallback = {});
bool SetSetting(const QSqlDatabase& db, const QString& key, const QString& value);

}  // namespace kd
