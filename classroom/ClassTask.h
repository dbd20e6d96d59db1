#pragma once
#include <QObject>
#include <functional>

#include "classroom/ClassServer.h"

namespace kd {

// Talks to the class server on a thread of its own, so no window waits for the network: `work`
// runs there with a connection made for it and returns what to do with its answer, which runs
// on `receiver`'s thread — or never, when the receiver is gone by then.
using ServerWork = std::function<std::function<void()>(ClassServer& server)>;
void RunOnServer(QObject* receiver, const ServerAddress& address, ServerWork work);
// How many of those are still running or have their answer still to be handled.
int ServerWorkRunning();

// The membership kept in a learning record file, read through a connection of its own (empty
// when the file is missing or the player has joined no class).
ClassMembership ReadMembership(const QString& learningPath);
bool WriteMembership(const QString& learningPath, const ClassMembership& m);

}  // namespace kd
