#include "stats/StatsSource.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlDatabase>
#include <memory>

#include "common/GameState.h"
#include "learning/LearningRecord.h"
#include "learning/Settings.h"

namespace kd::stats {

namespace {

// A connection for the duration of one job, removed again afterwards.
class Connection {
  public:
    Connection(const QString& path, bool readOnly) {
        static QAtomicInt counter;
        m_name = QStringLiteral("kd_stats_%1").arg(counter.fetchAndAddRelaxed(1));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        if (readOnly) db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.open();
    }
    ~Connection() {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

  private:
    QString m_name;
};

}  // namespace

QString LearningDatabasePath(const GameState& g) {
    return LearningRecord::PathFor(g);
}

Snapshot LoadSnapshot(const QString& path, const Filter& f, const std::atomic_bool* cancel) {
    Snapshot s;
    s.filter = f;
    s.keyboardLayout = QStringLiteral("jis");
    if (!QFileInfo(path).isFile()) return s;
    s.exists = true;

    auto conn = std::make_unique<Connection>(path, false);
    QSqlDatabase db = conn->db();
    QString error;
    if (!db.isOpen() || !RefreshSummaries(db, &error, cancel)) {
        if (cancel && *cancel) return s;
        // A record that cannot be written still shows; its summaries are built in memory.
        db = QSqlDatabase();
        conn = std::make_unique<Connection>(path, true);
        db = conn->db();
        QString again;
        if (!db.isOpen() || !RefreshSummaries(db, &again, cancel)) {
            s.error = again.isEmpty() ? error : again;
            return s;
        }
    }
    s.overview = Summary(db, f);
    s.series = AvailableSeries(db, f);
    s.progress = Progress(db, f);
    s.timeTrials = TimeTrials(db, f);
    for (Alphabet a : {Alphabet::Kana, Alphabet::English, Alphabet::KanaKeys}) {
        const int i = int(a);
        s.units[i] = WeakUnits(db, a, f);
        s.keys[i] = WeakKeys(db, a, f);
        s.mixups[i] = MixUps(db, a, f);
        s.pairs[i] = KeyPairs(db, a, f);
    }
    s.keyboardLayout = Setting(db, kKeyboardSetting, s.keyboardLayout);
    db = QSqlDatabase();
    return s;
}

void SaveSetting(const QString& path, const QString& key, const QString& value) {
    if (!QFileInfo(path).isFile()) return;
    Connection conn(path, false);
    QSqlDatabase db = conn.db();
    if (db.isOpen()) SetSetting(db, key, value);
}

}  // namespace kd::stats
