#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

namespace kd {

// One place of the time-trial ranking (DATA/TimeTrialData, record n = place n).
struct TimeTrialRecord {
    QString RankName;
    qint32 RankTime = 0;  // milliseconds; 0 marks an empty place
    QString RankRate;     // as shown, "97.5%"
    qint16 RankScore = 0;
    QString RankGrade;
    QString RankGenre;  // "慣用句" or "英単語"

    bool IsEmpty() const { return RankTime == 0; }
    bool operator==(const TimeTrialRecord&) const = default;
};

constexpr int kTimeTrialPlaces = 10;
using TimeTrialTable = std::array<TimeTrialRecord, kTimeTrialPlaces>;

// A record holds at most 128 bytes: 14 bytes of counts and numbers, up to 6 of rate, 3 of
// grade and 6 of genre leave 99 bytes of Shift-JIS for the name.
constexpr int kMaxRankNameBytes = 99;

// The letter grade of a time, "S" (under 12 s) to "G" (up to 600 s); "" beyond that.
QString GetTimeTrialRank(qint32 ms);
// 13300 - t/10, less 3 x misses squared for idioms only, never below 0.
qint16 GetTimeTrialScore(const QString& genreLabel, qint32 ms, qint32 missCount);
// "1m23s45" for 83 456 ms.
QString FormatTimeTrialTime(qint32 ms);

// The 128-byte record of one place, or nullopt when it cannot be stored (too long, or text
// Shift-JIS cannot hold).
std::optional<QByteArray> EncodeTimeTrialRecord(const TimeTrialRecord& r);
TimeTrialRecord DecodeTimeTrialRecord(QByteArrayView record);

// Reads the ten places. A missing file is created empty. A damaged file is mended on the way
// in so that it can be ranked against and saved again: places with a time of 0 or less are
// empty, the used places are sorted by time, and texts that cannot be stored again are
// cleaned. A sound file reads exactly as stored.
TimeTrialTable LoadTimeTrialData(const QString& path);
// Writes all ten places as records 1-10 in one atomic replacement; false (and the file left
// as it was) when a place cannot be stored or the write fails.
[[nodiscard]] bool SaveTimeTrialData(const QString& path, const TimeTrialTable& data);

// The place 0-9 a new time takes (before an equal time), or -1 when all ten are faster.
int FindTimeTrialPlace(const TimeTrialTable& data, qint32 ms);
// Puts the entry at the place; the entries below move down and the last one falls out.
void InsertTimeTrialEntry(TimeTrialTable& data, int place, const TimeTrialRecord& entry);

// What the name box accepts.
enum class RankNameCheck { Ok, TooLong, NotEncodable };
RankNameCheck CheckRankName(const QString& name);
// The first character (a whole surrogate pair) that Shift-JIS cannot hold, or "".
QString FirstUnencodableChar(const QString& text);
// The longest start of the name that the record can hold, without unencodable characters.
QString FitRankName(const QString& name);

}  // namespace kd
