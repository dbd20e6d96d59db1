#include "learning/GhostSetting.h"

#include "common/GameState.h"
#include "learning/KanaInput.h"
#include "learning/LearningRecord.h"
#include "learning/PlayedGame.h"
#include "learning/Settings.h"

namespace kd {

bool GhostSwitchedOn(const GameState& g) {
    LearningStore* store = g.learning ? g.learning->Store() : nullptr;
    return store && Setting(store->Database(), kGhostSetting) == QLatin1String("1");
}

bool SwitchGhost(const GameState& g, bool on) {
    LearningStore* store = g.learning ? g.learning->WritableStore() : nullptr;
    return store &&
           SetSetting(store->Database(), kGhostSetting, on ? QStringLiteral("1") : QStringLiteral("0"));
}

QSqlDatabase LearningDatabase(const GameState& g) {
    LearningStore* store = g.learning ? g.learning->Store() : nullptr;
    return store ? store->Database() : QSqlDatabase();
}

std::optional<PlayedGame> LoadBestTimeTrial(const GameState& g, const QString& genre) {
    const QSqlDatabase db = LearningDatabase(g);
    if (!db.isOpen()) return std::nullopt;
    const auto id = FindBestTimeTrial(db, genre, 0, PlayerInputMethod(g));
    if (!id) return std::nullopt;
    return LoadPlayedGame(db, *id);
}

}  // namespace kd
