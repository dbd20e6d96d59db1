#pragma once
#include <QString>
#include <QVector>
#include <array>

#include "learning/Statistics.h"

namespace kd {

class GameState;

namespace stats {

// Where the player's learning record lives. The one place that knows it.
QString LearningDatabasePath(const GameState& g);

// Everything the window shows for one range, read in one go (on a worker thread).
struct Snapshot {
    bool exists = false;  // the player has a learning record at all
    QString error;        // set when the record could not be read
    Filter filter;
    Overview overview;
    QVector<SeriesKey> series;
    QVector<ProgressSeries> progress;
    QVector<TimeTrialPoint> timeTrials;
    std::array<QVector<UnitStat>, kAlphabets> units;  // by Alphabet
    std::array<QVector<UnitStat>, kAlphabets> keys;
    std::array<QVector<MixUp>, kAlphabets> mixups;
    std::array<QVector<KeyPair>, kAlphabets> pairs;
    QString keyboardLayout;  // "us" or "jis"
};

// Opens the record at `path` on a connection of its own (safe on any thread), brings its
// summaries up to date and reads every figure. A missing file is not created.
// `cancel` stops it early (the program is ending); the snapshot is then incomplete.
Snapshot LoadSnapshot(const QString& path, const Filter& f, const std::atomic_bool* cancel = nullptr);

// Remembers a player option in the record; nothing happens when there is no record yet.
void SaveSetting(const QString& path, const QString& key, const QString& value);

inline const QString kKeyboardSetting = QStringLiteral("stats.keyboard");

}  // namespace stats
}  // namespace kd
