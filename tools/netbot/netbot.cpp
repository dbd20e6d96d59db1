// A stand-in player for trying network races alone or with too few friends:
//   kd_netbot ADDRESS PORT CODE NAME CHARA [KEYS-PER-SECOND]
// joins the room, and in every race types correct keys at the given pace (a miss now and
// then), until the host closes the room.
#include <QCoreApplication>
#include <QHostAddress>
#include <QTimer>
#include <cstdio>

#include "net/NetClient.h"
#include "platform/core/TickCounter.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 6) {
        std::fprintf(stderr, "usage: %s ADDRESS PORT CODE NAME CHARA [KEYS-PER-SECOND]\n", argv[0]);
        return 2;
    }
    const QHostAddress address(QString::fromLocal8Bit(argv[1]));
    const double pace = argc > 6 ? QString::fromLocal8Bit(argv[6]).toDouble() : 4.0;
    kd::SteadyTickCounter clock;
    kd::net::NetClient bot(clock,
                           {QString::fromLocal8Bit(argv[4]), QString::fromLocal8Bit(argv[5]).toInt(), true});
    int correct = 0, misses = 0, keys = 0;
    QTimer typing;
    QObject::connect(&bot, &kd::net::Session::raceStarted, [&] {
        correct = misses = keys = 0;
        // Typing begins after Ready... Go!!
        QTimer::singleShot(bot.start().countdownMs, &typing,
                           [&] { typing.start(int(1000.0 / qMax(0.5, pace))); });
    });
    QObject::connect(&typing, &QTimer::timeout, [&] {
        if (bot.phase() != kd::net::Phase::Racing) return typing.stop();
        if (++keys % 17 == 0)
            ++misses;
        else
            ++correct;
        bot.LocalProgress(correct, misses);
    });
    QObject::connect(&bot, &kd::net::Session::closed, [&](const QString& why) {
        std::fprintf(stderr, "%s\n", why.toLocal8Bit().constData());
        app.quit();
    });
    bot.Connect(address, quint16(QString::fromLocal8Bit(argv[2]).toUInt()),
                QString::fromLocal8Bit(argv[3]).toInt());
    return app.exec();
}
