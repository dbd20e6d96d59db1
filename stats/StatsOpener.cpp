#include "stats/StatsOpener.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QShortcut>

#include "common/GameState.h"
#include "stats/StatsWindow.h"

namespace kd::stats {

namespace {
QPointer<StatsWindow> g_window;
}

StatsWindow* OpenStatsWindow(const GameState& g) {
    if (!g_window) {
        g_window = new StatsWindow(g.objUser.GetUserName(), LearningDatabasePath(g));
        g_window->show();
    } else {
        g_window->showNormal();
    }
    g_window->raise();
    g_window->activateWindow();
    return g_window;
}

ResultScreenHotkey::ResultScreenHotkey(const GameState& g, QObject* parent) : QObject(parent), m_g(g) {
    qApp->installEventFilter(this);
}

ResultScreenHotkey::~ResultScreenHotkey() { qApp->removeEventFilter(this); }

bool ResultScreenHotkey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w->isWindow() && kResultScreens.contains(w->objectName()) && !w->property("kdStatsHotkey").toBool())
            Attach(w);
    }
    return false;
}

void ResultScreenHotkey::Attach(QWidget* screen) {
    screen->setProperty("kdStatsHotkey", true);
    // A shortcut is matched before the screen's own key handling sees the key, so F2 reaches
    // us on every result screen and changes nothing there.
    auto* f2 = new QShortcut(QKeySequence(Qt::Key_F2), screen);
    f2->setContext(Qt::WindowShortcut);
    connect(f2, &QShortcut::activated, this, [this] { OpenStatsWindow(m_g); });

    // A small hint in the bottom-right corner, below the screen's own controls.
    auto* hint = new QLabel(QStringLiteral("F2：成績"), screen);
    hint->setObjectName(QLatin1String(kHintName));
    QFont f = hint->font();
    f.setPixelSize(11);
    hint->setFont(f);
    hint->setStyleSheet(QStringLiteral("color: rgba(255,255,255,220); background: rgba(0,0,0,120); "
                                       "border-radius: 3px; padding: 0px 4px;"));
    hint->setAttribute(Qt::WA_TransparentForMouseEvents);
    hint->adjustSize();
    hint->move(screen->width() - hint->width() - 3, screen->height() - hint->height() - 3);
    hint->show();
    hint->raise();
}

}  // namespace kd::stats
