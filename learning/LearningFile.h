#pragma once
#include <QSqlDatabase>
#include <QString>
#include <optional>

namespace kd {

class GameState;

// The player's learning record (learning.sqlite in the player's folder), opened for a short
// read or write on the calling thread and closed again when this goes. A record that is
// missing, damaged or locked leaves it closed: callers then go on without it.
class LearningFile {
  public:
    enum class Mode { ReadOnly, ReadWrite, CreateIfMissing };
    LearningFile(const QString& path, Mode mode);
    ~LearningFile();
    LearningFile(const LearningFile&) = delete;
    LearningFile& operator=(const LearningFile&) = delete;

    bool IsOpen() const;
    QSqlDatabase Db() const;

    std::optional<QString> Setting(const QString& key) const;
    bool SetSetting(const QString& key, const QString& value);

  private:
    bool CreateTables();
    QString m_name;
};

QString LearningFilePath(const GameState& g);

// Per-player options kept in the record.
inline const QString kGhostSetting = QStringLiteral("ghost");
bool ReadBoolSetting(const QString& path, const QString& key, bool fallback);
bool WriteBoolSetting(const QString& path, const QString& key, bool on);

}  // namespace kd

namespace kd {

struct PlayedGame;

// The player's best time trial of a genre with its keys, read from the record at `path`.
// nullopt when there is no record or no such run.
std::optional<PlayedGame> LoadBestTimeTrial(const QString& path, const QString& genre);

}  // namespace kd
