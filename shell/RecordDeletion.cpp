#include "shell/RecordDeletion.h"

#include "common/FileSystem.h"
#include "common/GameState.h"
#include "common/PlayerFiles.h"
#include "learning/LearningRecord.h"

namespace kd {

bool DeleteRecords(const GameState& g) {
    // Without a player the path would be the program folder's own "DATA".
    if (g.player.GetUserName().isEmpty()) return false;
    const bool learningGone = !g.learning || g.learning->DeleteDatabase();
    return DeleteFilesIn(PlayerDataFolder(g)) && learningGone;
}

}  // namespace kd
