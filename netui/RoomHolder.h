#pragma once
#include <memory>

#include "net/Session.h"

namespace kd {

// The room this copy of the game is in, shared by the lobby, race and result screens, which
// come and go while the room stays. Only one room at a time; ending it closes its port.
class RoomHolder {
  public:
    static net::Session* Current();
    // Takes the room; an earlier one is left first.
    static void Set(std::unique_ptr<net::Session> session);
    // Leaves the room (a host closes it) and forgets it.
    static void End();
};

}  // namespace kd
