// The floor under our figures, measured in the same run as the game: the least a Qt Widgets
// program does before its first window is on screen (one window of the splash's size with one
// line of text), and with --clock what such a window costs while a label in it counts down in
// tenths of a second, written the ordinary way (a 100 ms timer and QLabel::setText).
#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Key Derby"));
    window.setAlignment(Qt::AlignCenter);
    window.resize(400, 240);
    QTimer clock;
    int tenths = 6000;
    if (app.arguments().contains(QStringLiteral("--clock"))) {
        window.setText(QStringLiteral("600.0"));
        QObject::connect(&clock, &QTimer::timeout, [&] {
            tenths = tenths > 0 ? tenths - 1 : 6000;
            window.setText(QString::number(tenths / 10.0, 'f', 1));
        });
        clock.start(100);
    }
    window.show();
    return app.exec();
}
