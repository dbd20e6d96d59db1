#include "shell/RecordDeletion.h"

#include "common/FileSystem.h"
#include "common/GameState.h"
#include "common/PlayerFiles.h"

namespace kd {

bool DeleteRecords(const GameState& g) {
    // Without a player the path would be the program folder's own "DATA".
    if (g.objUser.GetUserName().isEmpty()) return false;
    return DeleteFilesIn(PlayerDataFolder(g));
}

}  // namespace kd
