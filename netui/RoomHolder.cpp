#include "netui/RoomHolder.h"

namespace kd {

namespace {
std::unique_ptr<net::Session>& Slot() {
    static std::unique_ptr<net::Session> session;
    return session;
}
}  // namespace

net::Session* RoomHolder::Current() {
    return Slot().get();
}

void RoomHolder::Set(std::unique_ptr<net::Session> session) {
    End();
    Slot() = std::move(session);
}

void RoomHolder::End() {
    std::unique_ptr<net::Session> old = std::move(Slot());
    if (!old) return;
    old->Leave();
    // A screen may be handling one of its signals right now.
    old.release()->deleteLater();
}

}  // namespace kd
