#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace kd {

class GameState;

// DATA/PracticeTime: record 1 holds the practice setting, records 2-11 the last ten
// practices, newest first.

// Record 1.
struct PracticeTimeData {
    qint16 PracticeSec = 0;  // seconds; -1 = no limit
    QString GenreKey;        // "kannyouku" or "english"
};

// Records 2-11. An empty variant (never written, or a practice without limit for PTime)
// is nullopt.
struct PracticeHistoryData {
    std::optional<QString> HistDate;  // "yyyy/mm/dd"
    std::optional<QString> CRate;     // "95.7%"
    float TPS = 0;                    // correct keys per second, one decimal
    std::optional<QString> PTime;     // "1分 0秒"
    QString Genre;                    // "慣用句" or "英単語"
};

constexpr int kPracticeHistoryRows = 10;
constexpr qint16 kNoLimit = -1;

// programFolder/<player>/DATA/PracticeTime
QString PracticeTimePath(const GameState& g, const QString& userName);

// Reads record 1 (a missing file is created empty and reads as 0 and "").
PracticeTimeData LoadPracticeTime(const GameState& g, const QString& userName);
// Writes record 1 only; the history stays as it is.
[[nodiscard]] bool SavePracticeTime(const GameState& g, const QString& userName,
                                    const PracticeTimeData& data);

// A setting the screens can play: a known genre key and a positive time or no limit.
bool IsPlayableSetting(const PracticeTimeData& data);
// The nearest playable setting: an unknown genre becomes idioms, a time of 0 or below
// (other than no limit) the one-minute default.
PracticeTimeData PlayableSetting(const PracticeTimeData& data);

// "1分 30秒" for 90 seconds.
QString MinutesSecondsText(int seconds);
// A stored "1分 30秒" in the interface's language; any other text as it is.
QString ShownMinutesSeconds(const QString& stored);

// One history record and back.
QByteArray PackPracticeHistory(const PracticeHistoryData& entry);
PracticeHistoryData UnpackPracticeHistory(QByteArrayView record);

// Records 2 to 1 + count, oldest last.
QList<PracticeHistoryData> LoadPracticeHistory(const QString& path, int count = kPracticeHistoryRows);
// Writes the newest entry to record 2 and moves records 2-10 down to 3-11 byte for byte
// (the old record 11 is dropped, record 1 is left alone). Fails without touching the file
// when the entry does not fit a record or the file cannot be written.
[[nodiscard]] bool PushPracticeHistory(const QString& path, const PracticeHistoryData& newest);

}  // namespace kd
