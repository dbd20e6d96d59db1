#pragma once
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/Screens.h"
#include "practice/PracticeResultScreen.h"
#include "support/TestApp.h"

namespace kd::test {

// The whole program with every screen registered, driven through its real forms: a manual
// clock, fired timers, scripted random numbers and scripted message-box answers.
struct ChainApp : TestApp {
    explicit ChainApp(bool realBoxes = false) : TestApp(realBoxes) {
        RegisterAllScreens(nav);
        PracticeResultScreen::CurrentDate = [] { return QDate(2024, 5, 1); };
    }
    ~ChainApp() { PracticeResultScreen::CurrentDate = &QDate::currentDate; }

    // The newest open screen (a modal dialog counts) and its name.
    ScreenBase* Now() const { return nav.Current(); }
    QString NowName() const { return nav.Current() ? nav.Current()->objectName() : QString(); }
    std::optional<Screen> NowScreen() const { return nav.Current() ? nav.Current()->Id() : std::nullopt; }

    QString Player(const QString& relative) const { return PlayerPath(relative); }
};

inline QLabel* Label(QObject* form, const QString& name) {
    return Find<QLabel>(form, name);
}
inline QString Text(QObject* form, const QString& name) {
    QLabel* l = Label(form, name);
    return l ? l->text() : QStringLiteral("<no %1>").arg(name);
}
inline QString DisplayText(QObject* form) {
    return Text(form, QStringLiteral("readingText"));
}
inline QPushButton* Button(QObject* form, const QString& name) {
    return Find<QPushButton>(form, name);
}
inline QAction* Menu(QObject* form, const QString& name) {
    return form->findChild<QAction*>(name);
}

// Types the head of readingText: a correct key whenever the question is an English word.
inline void TypeHead(QWidget* form, int keys = 1) {
    for (int i = 0; i < keys; ++i) {
        const QString d = DisplayText(form);
        ASSERT_FALSE(d.isEmpty()) << "no question after " << i << " keys";
        Type(form, d.left(1));
    }
}

// "Q" starts no English word, so it is always a wrong key.
inline void TypeWrong(QWidget* form, int keys = 1) {
    for (int i = 0; i < keys; ++i) Type(form, QStringLiteral("Q"));
}

// Space, then "Ready..." and "Go!!": the first question is up.
inline void StartPlay(QWidget* form) {
    Press(form, Qt::Key_Space);
    ASSERT_EQ(Fire(form, QStringLiteral("readyGoTimer"), 2), 2);
}

// Splash, player-name screen with this name confirmed, main menu; the questions asked on
// the way are forgotten. App: ChainApp or any program with the same members.
template <class App>
void StartAs(App& app, const QString& name) {
    app.nav.Show(Screen::StartUp);
    ASSERT_EQ(app.NowScreen(), Screen::StartUp);
    ASSERT_EQ(Fire(app.Now(), QStringLiteral("splashTimer")), 1);
    ASSERT_EQ(app.NowScreen(), Screen::InputUserName);
    auto* box = Find<QComboBox>(app.Now(), QStringLiteral("userNameBox"));
    ASSERT_TRUE(box);
    box->setEditText(name);
    Press(box, Qt::Key_Return);
    ASSERT_EQ(app.NowScreen(), Screen::Main);
    app.msg.asked.clear();
    TestApp::Flush();
}

// Moves the main menu's selection down from item 0 (selected on loading) and presses Enter.
template <class App>
void ChooseMenuItem(App& app, int item) {
    ASSERT_EQ(app.NowScreen(), Screen::Main);
    QWidget* menu = app.Now();
    for (int i = 0; i < item; ++i) Press(menu, Qt::Key_Down);
    Press(menu, Qt::Key_Return);
    TestApp::Flush();
}

}  // namespace kd::test
