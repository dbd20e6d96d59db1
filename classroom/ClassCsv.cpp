#include "classroom/ClassCsv.h"

#include <QIODevice>
#include <QStringList>

#include "common/PlayEvents.h"

namespace kd {

namespace {

QString Cell(const QString& s) {
    // A leading = + - @ would make a formula in a spreadsheet.
    QString t = s;
    if (!t.isEmpty() && QStringLiteral("=+-@").contains(t[0])) t.prepend(u'\'');
    if (t.contains(u',') || t.contains(u'"') || t.contains(u'\n') || t.contains(u'\r'))
        return u'"' + t.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
    return t;
}

}  // namespace

bool WriteClassCsv(const ClassView& view, QIODevice& out) {
    QByteArray text = "\xEF\xBB\xBF";
    text += "student,played_at,mode,genre,keys,misses,time_ms,keys_per_second,grade,abandoned\r\n";
    for (const StudentSummary& s : view.students) {
        for (const StudentGame& g : s.history) {
            const QStringList row{Cell(s.name),
                                  g.playedAt.toUTC().toString(Qt::ISODate),
                                  QString(ModeKey(GameMode(g.mode))),
                                  Cell(g.genre),
                                  QString::number(g.keys),
                                  QString::number(g.misses),
                                  QString::number(g.timeMs),
                                  QString::number(g.kps, 'f', 2),
                                  Cell(g.grade),
                                  g.abandoned ? QStringLiteral("1") : QStringLiteral("0")};
            text += row.join(u',').toUtf8() + "\r\n";
        }
    }
    return out.write(text) == text.size();
}

}  // namespace kd
