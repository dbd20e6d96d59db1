// The floor under our start-up figures: the least a Qt Widgets program does before its first
// window is on screen (one window of the splash's size with one line of text), measured in the
// same run as the game.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Key Derby"));
    window.setAlignment(Qt::AlignCenter);
    window.resize(400, 240);
    window.show();
    return app.exec();
}
