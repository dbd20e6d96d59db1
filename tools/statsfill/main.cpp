#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "tools/statsfill/StatsFill.h"

// statsfill FILE [GAMES [KEYS_PER_GAME [DAYS]]]
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 2) {
        std::fprintf(stderr, "usage: statsfill FILE [GAMES [KEYS_PER_GAME [DAYS]]]\n");
        return 2;
    }
    kd::statsfill::Options o;
    if (a.size() > 2) o.games = a[2].toInt();
    if (a.size() > 3) o.keysPerGame = a[3].toInt();
    if (a.size() > 4) o.days = a[4].toInt();
    QString error;
    if (!kd::statsfill::Fill(a[1], o, &error)) {
        std::fprintf(stderr, "statsfill: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
