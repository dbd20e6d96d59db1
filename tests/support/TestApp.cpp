#include "support/TestApp.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include "common/RecordFile.h"

namespace kd::test {

TestApp::TestApp(bool realBoxes)
    : g(rnd, clock, audio, QString()), ctx{g, realBoxes ? static_cast<MessageBoxes&>(realMsg) : msg, nav} {
    g.programFolder = dir.path();
    nav.SetContext(&ctx);
    nav.quitOnEnd = false;
    // A test builds only the screens it registers; the others are recorded when shown.
    for (Screen s : AllScreens()) nav.Register(s, nullptr);
}

TestApp::~TestApp() {
    for (ScreenBase* f : nav.OpenForms()) f->CloseScreen();
    Flush();
}

void TestApp::UsePlayer(const QString& name) {
    g.player.SetUserName(name);
    QDir().mkpath(g.PlayerPath(QStringLiteral("DATA")));
}

QByteArray TestApp::ReadFile(const QString& path) const {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestApp::WriteFile(const QString& path, const QByteArray& bytes) const {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

void TestApp::Flush() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Press(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods) {
    QTest::keyClick(w, key, mods);
}

void Type(QWidget* w, const QString& text) {
    for (QChar c : text) {
        const char ch = c.toLatin1();
        Qt::Key key = Qt::Key_unknown;
        if (ch >= 'a' && ch <= 'z')
            key = Qt::Key(Qt::Key_A + (ch - 'a'));
        else if (ch >= 'A' && ch <= 'Z')
            key = Qt::Key(Qt::Key_A + (ch - 'A'));
        else if (ch >= '0' && ch <= '9')
            key = Qt::Key(Qt::Key_0 + (ch - '0'));
        else if (ch == ' ')
            key = Qt::Key_Space;
        else if (ch == '-')
            key = Qt::Key_Minus;
        else if (ch == ',')
            key = Qt::Key_Comma;
        else if (ch == '.')
            key = Qt::Key_Period;
        const Qt::KeyboardModifiers mods = (ch >= 'A' && ch <= 'Z') ? Qt::ShiftModifier : Qt::NoModifier;
        QKeyEvent press(QEvent::KeyPress, key, mods, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

Timer* FindTimer(QObject* form, const QString& timerName) {
    return form->findChild<Timer*>(timerName);
}

int Fire(QObject* form, const QString& timerName, int times) {
    int ran = 0;
    for (int i = 0; i < times; ++i) {
        Timer* t = FindTimer(form, timerName);
        if (!t || !t->fire()) break;
        ++ran;
    }
    return ran;
}

void Click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton);
}

QByteArray Record(const char* hexBytes) {
    QByteArray rec = QByteArray::fromHex(QByteArray(hexBytes).replace(' ', ""));
    rec.append(QByteArray(kRecordSize - rec.size(), '\0'));
    return rec;
}

}  // namespace kd::test
