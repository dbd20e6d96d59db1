#include "learning/CsvExport.h"

#include <QDateTime>
#include <QIODevice>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>
#include <QVariant>

#include "common/PlayEvents.h"

namespace kd {

namespace {

constexpr int kModeColumn = 1, kStartedColumn = 6;

QString Csv(const QVariant& v) {
    if (v.isNull()) return {};
    QString s = v.toString();
    if (s.contains(u',') || s.contains(u'"') || s.contains(u'\n') || s.contains(u'\r'))
        s = u'"' + s.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
    return s;
}

}  // namespace

bool WriteLearningCsv(const QSqlDatabase& db, QIODevice& out) {
    if (!db.isOpen()) return false;
    QTextStream ts(&out);
    ts.setEncoding(QStringConverter::Utf8);
    ts << "game_id,mode,genre,chara,heat,setting_s,started_at,duration_ms,correct,misses,abandoned,imported,"
          "time_ms,grade,score,place,won,question_seq,question_id,question_text,reading,key_seq,key_ms,"
          "expected,"
          "expected_key,typed,hit,form\n";
    QSqlQuery q(db);
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
            if (c == kModeColumn)
                ts << ModeKey(GameMode(q.value(c).toInt()));
            else if (c == kStartedColumn)
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
