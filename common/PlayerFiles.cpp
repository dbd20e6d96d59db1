#include "common/PlayerFiles.h"

#include "common/FileSystem.h"
#include "common/GameState.h"

namespace kd {

namespace {
QString DataFile(const GameState& g, const char* name) {
    return PlayerDataFolder(g) + u'/' + QLatin1String(name);
}
}  // namespace

QString PlayerDataFolder(const GameState& g) {
    return g.PlayerPath(QStringLiteral("DATA"));
}
QString SoundSwitchesPath(const GameState& g) {
    return DataFile(g, "Data");
}
QString TimeTrialGenrePath(const GameState& g) {
    return DataFile(g, "gen");
}
QString TimeTrialRankingPath(const GameState& g) {
    return DataFile(g, "TimeTrialData");
}
QString DerbyGenrePath(const GameState& g) {
    return DataFile(g, "genderby");
}
QString HeatPath(const GameState& g) {
    return DataFile(g, "Heat");
}

QString LearningRecordPath(const GameState& g) {
    return g.PlayerPath(QLatin1String(kLearningRecordFile));
}

bool MakePlayerDataFolder(const GameState& g) {
    const QString data = PlayerDataFolder(g);
    if (ExistFolder(data)) return true;
    if (!ExistFolder(g.PlayerFolder()) && !MakeFolder(g.PlayerFolder())) return false;
    return MakeFolder(data);
}

}  // namespace kd
