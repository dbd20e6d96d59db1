// Writes games into a learning record over and over until it is killed. The crash test kills
// it at random moments and checks that the record opens and holds only whole games.
#include <QCoreApplication>
#include <cstdio>

#include "learning/LearningStore.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) return 2;
    kd::LearningStore store(QString::fromLocal8Bit(argv[1]));
    if (!store.Open()) return 3;
    for (unsigned i = 0;; ++i) {
        // Every game holds as many keys as its correct count says, so a torn game shows.
        kd::RecordedGame g;
        g.genre = QStringLiteral("kannyouku");
        g.startedAt = i;
        g.correct = 100 + int(i % 300);
        g.questions.append(
            {101, QStringLiteral("一石二鳥"), QStringLiteral("いっせきにちょう"), 0, 10, 20, 0, true});
        for (int k = 0; k < g.correct; ++k)
            g.keys.append({0, k, QStringLiteral("い"), u'i', u'i', true, QStringLiteral("i")});
        if (!store.WriteGame(g)) return 4;
        if (i == 0) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
