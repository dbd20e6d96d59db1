// Sends a learning record's outbox to the class server and stops for good right after the
// server has stored the first batch, before the record has dropped it: the test kills it there.
#include <unistd.h>

#include <QCoreApplication>
#include <cstdio>

#include "classroom/ClassSender.h"
#include "learning/LearningStore.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) return 2;
    kd::LearningStore store(QString::fromLocal8Bit(argv[1]));
    if (!store.Open()) return 3;
    const kd::ClassMembership m = kd::LoadMembership(store.Database());
    const std::optional<kd::ServerAddress> address = kd::ParseServer(m.server);
    if (!address) return 4;
    kd::ClassServer server(*address);
    kd::SendOutbox(store.Database(), server, [] {
        std::puts("stored");
        std::fflush(stdout);
        for (;;) pause();  // until killed
    });
    return 5;
}
