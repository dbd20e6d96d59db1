#include "common/PracticeRecords.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <cmath>

#include "common/GameState.h"
#include "common/RecordFile.h"
#include "questions/Genre.h"

namespace kd {

namespace {
const QString kIdioms = GenreKey(Genre::Idioms);
const QString kEnglish = GenreKey(Genre::English);
constexpr qint16 kDefaultSeconds = 60;

// The records' fields in their stored order, for packing (RecordWriter) and unpacking (RecordReader).
template <typename Io, typename Data>
void SettingFields(Io& io, Data& d) {
    io.Field(d.PracticeSec).Field(d.GenreKey);
}

template <typename Io, typename Entry>
void HistoryFields(Io& io, Entry& e) {
    io.Field(e.HistDate).Field(e.CRate).Field(e.TPS).Field(e.PTime).Field(e.Genre);
}
}  // namespace

QString PracticeTimePath(const GameState& g, const QString& userName) {
    return g.programFolder + u'/' + userName + QStringLiteral("/DATA/PracticeTime");
}

PracticeTimeData LoadPracticeTime(const GameState& g, const QString& userName) {
    RecordReader r(RecordFile::ReadBlock(PracticeTimePath(g, userName), 1, 1));
    PracticeTimeData d;
    SettingFields(r, d);
    return d;
}

bool SavePracticeTime(const GameState& g, const QString& userName, const PracticeTimeData& data) {
    RecordWriter w;
    SettingFields(w, data);
    return w.ok() && RecordFile::Write(PracticeTimePath(g, userName), 1, w.Record());
}

bool IsPlayableSetting(const PracticeTimeData& data) {
    return (data.GenreKey == kIdioms || data.GenreKey == kEnglish) &&
           (data.PracticeSec > 0 || data.PracticeSec == kNoLimit);
}

PracticeTimeData PlayableSetting(const PracticeTimeData& data) {
    PracticeTimeData d = data;
    if (d.GenreKey != kIdioms && d.GenreKey != kEnglish) d.GenreKey = kIdioms;
    if (d.PracticeSec <= 0 && d.PracticeSec != kNoLimit) d.PracticeSec = kDefaultSeconds;
    return d;
}

QString MinutesSecondsText(int seconds) {
    return QString::number(seconds / 60) + QStringLiteral("分 ") + QString::number(seconds % 60) +
           QStringLiteral("秒");
}

QString ShownMinutesSeconds(const QString& stored) {
    static const QRegularExpression form(QStringLiteral("^(\\d+)\u5206 (\\d+)\u79D2$"));
    const QRegularExpressionMatch m = form.match(stored);
    if (!m.hasMatch()) return stored;
    return QCoreApplication::translate("PracticeRecords", "%1分 %2秒").arg(m.captured(1), m.captured(2));
}

QByteArray PackPracticeHistory(const PracticeHistoryData& e) {
    RecordWriter w;
    HistoryFields(w, e);
    return w.ok() ? w.Record() : QByteArray();
}

PracticeHistoryData UnpackPracticeHistory(QByteArrayView record) {
    RecordReader r(record);
    PracticeHistoryData e;
    HistoryFields(r, e);
    // No practice types more keys than the counter holds, nor fewer than none; a damaged
    // record would otherwise show "nan" or "inf" in the history.
    if (!std::isfinite(e.TPS) || e.TPS < 0 || e.TPS > 32767) e.TPS = 0;
    return e;
}

QList<PracticeHistoryData> LoadPracticeHistory(const QString& path, int count) {
    QList<PracticeHistoryData> out;
    out.reserve(count);
    const QByteArray block = RecordFile::ReadBlock(path, 2, count);
    for (int i = 0; i < count; ++i)
        out << UnpackPracticeHistory(QByteArrayView(block).sliced(qsizetype(i) * kRecordSize, kRecordSize));
    return out;
}

bool PushPracticeHistory(const QString& path, const PracticeHistoryData& newest) {
    const QByteArray packed = PackPracticeHistory(newest);
    if (packed.isEmpty()) return false;
    // The older entries move as raw records, so an entry this program cannot re-encode
    // (a damaged or foreign one) is kept exactly as it was rather than lost.
    return RecordFile::WriteBlock(path, 2, packed + RecordFile::ReadBlock(path, 2, kPracticeHistoryRows - 1));
}

}  // namespace kd
