#include "common/TimeTrialRecords.h"

#include <QList>
#include <algorithm>

#include "common/Cp932.h"
#include "common/Format.h"
#include "common/RecordFile.h"

namespace kd {

namespace {

struct GradeRow {
    int fromHundredths, toHundredths;
    const char* grade;
};

constexpr GradeRow kGrades[] = {
    {0, 1199, "S"},      {1200, 1399, "AAA"},  {1400, 1599, "AA"},   {1600, 1799, "A"},   {1800, 2099, "BBB"},
    {2100, 2399, "BB"},  {2400, 2699, "B"},    {2700, 3199, "CCC"},  {3200, 3799, "CC"},  {3800, 4299, "C"},
    {4300, 4999, "DDD"}, {5000, 5699, "DD"},   {5700, 6399, "D"},    {6400, 7399, "EEE"}, {7400, 8399, "EE"},
    {8400, 9399, "E"},   {9400, 10699, "FFF"}, {10700, 11999, "FF"}, {12000, 13299, "F"}, {13300, 60000, "G"},
};

// The text positions of a string split into whole characters (a surrogate pair stays whole).
QList<QString> Characters(const QString& text) {
    QList<QString> out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        out << text.mid(i, n);
        i += n - 1;
    }
    return out;
}

QString WithoutUnencodable(const QString& text) {
    if (IsCp932Encodable(text)) return text;
    QString out;
    out.reserve(text.size());
    const QChar* p = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        // A high surrogate takes the next unit with it, as in Characters(); no code page 932
        // text holds either.
        if (p[i].isHighSurrogate() && i + 1 < n) {
            ++i;
            continue;
        }
        if (IsCp932Encodable(p[i])) out += p[i];
    }
    return out;
}

// A place's fields in their stored order, for packing (RecordWriter) and unpacking (RecordReader).
template <typename Io, typename Record>
void TimeTrialFields(Io& io, Record& r) {
    io.Field(r.RankName)
        .Field(r.RankTime)
        .Field(r.RankRate)
        .Field(r.RankScore)
        .Field(r.RankGrade)
        .Field(r.RankGenre);
}

RecordWriter Packed(const TimeTrialRecord& r) {
    RecordWriter w;
    TimeTrialFields(w, r);
    return w;
}

bool Storable(const TimeTrialRecord& r) {
    return Packed(r).ok();
}

// Makes a place read from a damaged record storable again. `exact`: it was read whole and valid
// from its record, so it packs into as many bytes again and needs no check.
void Mend(TimeTrialRecord& r, bool exact) {
    if (r.RankTime <= 0) {
        r = TimeTrialRecord();
        return;
    }
    if (exact || Storable(r)) return;
    r.RankRate = WithoutUnencodable(r.RankRate);
    r.RankGrade = WithoutUnencodable(r.RankGrade);
    r.RankGenre = WithoutUnencodable(r.RankGenre);
    r.RankName = WithoutUnencodable(r.RankName);
    if (Storable(r)) return;
    // The longest start of the name that still fits (the record only grows with the name);
    // none: the name goes, and when even that is too long, the texts that follow it.
    const QString name = r.RankName;
    r.RankName.clear();
    const RecordWriter rest = Packed(r);
    if (!rest.ok()) {
        r.RankRate = r.RankGrade = r.RankGenre = QString();
        return;
    }
    // Every character left takes one or two bytes of what the other fields leave.
    qsizetype room = kRecordSize - rest.size(), fits = 0;
    for (; fits < name.size(); ++fits) {
        const qsizetype bytes = EncodeCp932Into(QStringView(name).sliced(fits, 1), nullptr, 0);
        if (bytes < 0 || bytes > room) break;
        room -= bytes;
    }
    r.RankName = name.left(fits);
}

}  // namespace

QString GetTimeTrialRank(qint32 ms) {
    if (ms < 0) return QString();
    // Seconds with two decimals, halves rounded up as the "###0.00" pattern prints them.
    const qint64 hundredths = (qint64(ms) + 5) / 10;
    for (const GradeRow& row : kGrades)
        if (hundredths >= row.fromHundredths && hundredths <= row.toHundredths)
            return QLatin1String(row.grade);
    return QString();
}

qint16 GetTimeTrialScore(const QString& genreLabel, qint32 ms, qint32 missCount) {
    qint64 score = RoundHalfEven(13300.0 - double(ms) / 10.0);
    if (genreLabel == QStringLiteral("慣用句")) score -= 3 * qint64(missCount) * qint64(missCount);
    return qint16(std::clamp<qint64>(score, 0, 32767));
}

QString FormatTimeTrialTime(qint32 ms) {
    const qint32 t = std::max<qint32>(ms, 0);
    // Seconds get two digits, like the hundredths, so 125 000 ms reads 2m05s00.
    return QString::number(t / 60000) + u'm' + FixedText((t / 1000) % 60, 0, 2) + u's' +
           FixedText((t % 1000) / 10, 0, 2);
}

std::optional<QByteArray> EncodeTimeTrialRecord(const TimeTrialRecord& r) {
    const RecordWriter w = Packed(r);
    if (!w.ok()) return std::nullopt;
    return w.Record();
}

namespace {

TimeTrialRecord Decode(QByteArrayView record, bool* exact) {
    RecordReader rd(record);
    TimeTrialRecord r;
    TimeTrialFields(rd, r);
    if (exact) *exact = rd.Exact();
    return r;
}

}  // namespace

TimeTrialRecord DecodeTimeTrialRecord(QByteArrayView record) {
    return Decode(record, nullptr);
}

TimeTrialTable LoadTimeTrialData(const QString& path) {
    const QByteArray block = RecordFile::ReadBlock(path, 1, kTimeTrialPlaces);
    TimeTrialTable data;
    for (int i = 0; i < kTimeTrialPlaces; ++i) {
        bool exact = false;
        data[i] = Decode(QByteArrayView(block).sliced(qsizetype(i) * kRecordSize, kRecordSize), &exact);
        Mend(data[i], exact);
    }
    const auto faster = [](const TimeTrialRecord& a, const TimeTrialRecord& b) {
        if (a.IsEmpty() || b.IsEmpty()) return !a.IsEmpty() && b.IsEmpty();
        return a.RankTime < b.RankTime;
    };
    // A sound file is in order already; sorting it anyway would only copy the places around.
    if (!std::is_sorted(data.begin(), data.end(), faster)) std::stable_sort(data.begin(), data.end(), faster);
    return data;
}

bool SaveTimeTrialData(const QString& path, const TimeTrialTable& data) {
    QByteArray block(kTimeTrialPlaces * kRecordSize, Qt::Uninitialized);
    for (int i = 0; i < kTimeTrialPlaces; ++i) {
        const RecordWriter w = Packed(data[i]);
        if (!w.ok()) return false;
        w.CopyTo(block.data() + qsizetype(i) * kRecordSize);
    }
    return RecordFile::WriteBlock(path, 1, block);
}

int FindTimeTrialPlace(const TimeTrialTable& data, qint32 ms) {
    for (int i = 0; i < kTimeTrialPlaces; ++i)
        if (data[i].IsEmpty() || ms <= data[i].RankTime) return i;
    return -1;
}

void InsertTimeTrialEntry(TimeTrialTable& data, int place, const TimeTrialRecord& entry) {
    if (place < 0 || place >= kTimeTrialPlaces) return;
    for (int i = kTimeTrialPlaces - 1; i > place; --i) data[i] = data[i - 1];
    data[place] = entry;
}

RankNameCheck CheckRankName(const QString& name) {
    const auto bytes = EncodeCp932(name);
    if (!bytes) return RankNameCheck::NotEncodable;
    return bytes->size() > kMaxRankNameBytes ? RankNameCheck::TooLong : RankNameCheck::Ok;
}

QString FirstUnencodableChar(const QString& text) {
    for (const QString& ch : Characters(text))
        if (!IsCp932Encodable(ch)) return ch;
    return QString();
}

QString FitRankName(const QString& name) {
    QString out;
    for (const QString& ch : Characters(WithoutUnencodable(name))) {
        if (CheckRankName(out + ch) != RankNameCheck::Ok) break;
        out += ch;
    }
    return out;
}

}  // namespace kd
