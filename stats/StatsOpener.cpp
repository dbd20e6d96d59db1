#include "stats/StatsOpener.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QShortcut>
#include <algorithm>

#include "common/GameState.h"
#include "stats/ReplayWindow.h"
#include "stats/StatsWindow.h"

namespace kd::stats {

namespace {

QPointer<StatsWindow> g_window;

// The controls a hint must not cover: captions, buttons and text boxes, not the panels and
// pictures that fill the screen behind them.
QList<QRect> Controls(QWidget* screen, const QWidget* except) {
    QList<QRect> out;
    for (QWidget* c : screen->findChildren<QWidget*>()) {
        if (c == except || c->isHidden() || c->isWindow()) continue;
        const QRect r(c->mapTo(screen, QPoint(0, 0)), c->size());
        if (r.width() * r.height() > screen->width() * screen->height() / 4) continue;
        const auto* label = qobject_cast<QLabel*>(c);
        if (label && label->text().isEmpty() && label->pixmap().isNull()) continue;
        if (label || qobject_cast<QAbstractButton*>(c) || c->inherits("QLineEdit")) out << r;
    }
    return out;
}

// The free place nearest the bottom-right corner along the bottom edge, then along the top
// edge; the bottom-right corner when the screen has no room at all.
QPoint FreeCorner(QWidget* screen, QWidget* hint) {
    const QList<QRect> controls = Controls(screen, hint);
    const int m = 3;
    const QSize s = hint->size();
    for (const int y : {screen->height() - s.height() - m, m})
        for (int x = screen->width() - s.width() - m; x >= m; x -= 4) {
            const QRect area(QPoint(x, y), s);
            if (std::none_of(controls.begin(), controls.end(),
                             [&](const QRect& r) { return r.intersects(area); }))
                return area.topLeft();
        }
    return {screen->width() - s.width() - m, screen->height() - s.height() - m};
}

}  // namespace

StatsWindow* OpenStatsWindow(const GameState& g) {
    if (!g_window) {
        g_window = new StatsWindow(g.player.GetUserName(), LearningDatabasePath(g));
        // A window of its own, not a child: the statistics' dark style sheet would pass to its
        // cream panels. It closes with the statistics window all the same.
        QObject::connect(g_window, &StatsWindow::ReplaysWanted, g_window, [&g, w = g_window.data()] {
            QWidget* list = OpenReplayList(g, nullptr);
            QObject::connect(w, &QObject::destroyed, list, &QWidget::close);
        });
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

ResultScreenHotkey::~ResultScreenHotkey() {
    qApp->removeEventFilter(this);
}

bool ResultScreenHotkey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w->isWindow() && kResultScreens.contains(w->objectName()) &&
            !w->property("kdStatsHotkey").toBool())
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

    // A small hint in a free corner of the screen, clear of its own controls.
    auto* hint = new QLabel(QCoreApplication::translate("StatsOpener", "F2：成績"), screen);
    hint->setObjectName(QLatin1String(kHintName));
    QFont f = hint->font();
    f.setPixelSize(11);
    hint->setFont(f);
    hint->setStyleSheet(
        QStringLiteral("color: rgba(255,255,255,220); background: rgba(0,0,0,120); "
                       "border-radius: 3px; padding: 0px 4px;"));
    hint->setAttribute(Qt::WA_TransparentForMouseEvents);
    hint->adjustSize();
    hint->move(FreeCorner(screen, hint));
    hint->show();
    hint->raise();
}

}  // namespace kd::stats
