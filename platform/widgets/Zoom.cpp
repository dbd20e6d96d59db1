#include "platform/widgets/Zoom.h"

#include <private/qhighdpiscaling_p.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QWindow>
#include <algorithm>
#include <memory>

#include "platform/widgets/Bitmaps.h"

namespace kd {

namespace {

// QT_LOGGING_RULES="keyderby.zoom.debug=true" tells how long making the windows again took.
Q_LOGGING_CATEGORY(lcZoom, "keyderby.zoom", QtWarningMsg)

Zoom* g_instance = nullptr;

const char* const kPercentKey = "view/zoomPercent";
const char* const kFullScreenKey = "view/fullScreen";

// Room a window manager's frame and title bar take around a window, in device pixels.
constexpr int kFrameAllowanceX = 16;
constexpr int kFrameAllowanceY = 48;

bool ValidPercent(int percent) {
    return std::find(std::begin(Zoom::kPercents), std::end(Zoom::kPercents), percent) !=
           std::end(Zoom::kPercents);
}

// Zoom belongs to the machine (its screen), not to a player: the user's configuration folder.
std::unique_ptr<QSettings> OpenSettings(const QString& file) {
    if (!file.isEmpty()) return std::make_unique<QSettings>(file, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("keyderby"), QStringLiteral("keyderby"));
}

// The screen's room in device pixels, whatever the zoom in effect.
QSize DeviceRoom(const QScreen* screen) {
    return screen ? screen->availableGeometry().size() * screen->devicePixelRatio() : QSize();
}

// A window just shown is already on top; without a window manager nothing gives it the
// keyboard focus unless it asks.
void AskForFocus(QWidget* window) {
    window->activateWindow();
}

// QWidget::destroy, which lets go of the native window and keeps the widget, is protected;
// it is what Qt itself calls before it makes a widget's window again. A derived class may name
// it, and the member pointer is QWidget's own, so it is called on the widget as it is.
struct WindowRemaker : QWidget {
    static void DestroyNativeWindow(QWidget* w) {
        void (QWidget::*destroy)(bool, bool) = &WindowRemaker::destroy;
        (w->*destroy)(true, true);
    }
};

void Centre(QWidget* w, const QRect& room) {
    QRect frame(QPoint(), w->frameGeometry().size());
    frame.moveCenter(room.center());
    frame.moveLeft(std::max(room.left(), frame.left()));
    frame.moveTop(std::max(room.top(), frame.top()));
    w->move(frame.topLeft());
}

// Black around the game's windows in full screen. It takes no focus and stays below them.
class Backdrop : public QWidget {
  public:
    Backdrop()
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint |
                               Qt::WindowDoesNotAcceptFocus) {
        setObjectName(QStringLiteral("fullScreenBackdrop"));
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_DeleteOnClose);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::black);
        setPalette(pal);
        setAutoFillBackground(true);
        setWindowTitle(QStringLiteral("Key Derby"));
        setAccessibleName(QStringLiteral("Key Derby"));
    }
};

}  // namespace

Zoom::Zoom(const QString& settingsFile, QObject* parent) : QObject(parent), m_settingsFile(settingsFile) {
    g_instance = this;
    m_fullScreenAction = new QAction(QCoreApplication::translate("Zoom", "全画面(&F)"), this);
    m_fullScreenAction->setObjectName(QStringLiteral("fullScreenAction"));
    m_fullScreenAction->setCheckable(true);
    m_fullScreenAction->setShortcut(QKeySequence(Qt::Key_F11));
    // Every window carries the action, so F11 works wherever the player is.
    m_fullScreenAction->setShortcutContext(Qt::ApplicationShortcut);
    connect(m_fullScreenAction, &QAction::triggered, this, [this](bool on) { SetFullScreen(on); });

    m_zoomGroup = new QActionGroup(this);
    m_zoomGroup->setExclusive(true);
    for (int percent : kPercents) {
        QAction* a = m_zoomGroup->addAction(QStringLiteral("%1 %").arg(percent));
        a->setObjectName(QStringLiteral("zoom%1Action").arg(percent));
        a->setCheckable(true);
        a->setData(percent);
        // Queued: the windows are made again after the menu that chose it has closed.
        connect(
            a, &QAction::triggered, this, [this, percent] { SetPercent(percent); }, Qt::QueuedConnection);
    }
    m_applied = qRound(QHighDpiScaling::factor(QGuiApplication::primaryScreen()) * 100);
    UpdateChecks();
}

Zoom::~Zoom() {
    if (m_backdrop) m_backdrop->deleteLater();
    if (g_instance == this) g_instance = nullptr;
}

Zoom* Zoom::Instance() {
    return g_instance;
}

int Zoom::StartPercent(QSize screen, QSize menu) {
    if (menu.isEmpty()) return 100;
    const bool roomy = screen.width() * 2 >= menu.width() * 5 && screen.height() * 2 >= menu.height() * 5;
    return roomy ? 150 : 100;
}

int Zoom::FittingPercent(int percent, QSize screen, QSize largest) {
    if (screen.isEmpty() || largest.isEmpty()) return percent;
    int best = 100;
    for (int p : kPercents)
        if (p <= percent && largest.width() * p / 100 + kFrameAllowanceX <= screen.width() &&
            largest.height() * p / 100 + kFrameAllowanceY <= screen.height())
            best = std::max(best, p);
    return best;
}

void Zoom::LoadSettings(QSize menu) {
    m_largest = menu;
    const auto settings = OpenSettings(m_settingsFile);
    const int stored = settings->value(QLatin1String(kPercentKey), 0).toInt();
    if (ValidPercent(stored)) {
        m_percent = stored;
    } else {
        m_percent = StartPercent(DeviceRoom(QGuiApplication::primaryScreen()), menu);
    }
    m_fullScreen = settings->value(QLatin1String(kFullScreenKey), false).toBool();
    UpdateChecks();
    Apply(m_percent);
    ShowBackdrop(m_fullScreen);
}

void Zoom::Save() const {
    const auto settings = OpenSettings(m_settingsFile);
    settings->setValue(QLatin1String(kPercentKey), m_percent);
    settings->setValue(QLatin1String(kFullScreenKey), m_fullScreen);
    settings->sync();
}

void Zoom::UpdateChecks() {
    for (QAction* a : m_zoomGroup->actions()) a->setChecked(a->data().toInt() == m_percent);
    m_fullScreenAction->setChecked(m_fullScreen);
}

void Zoom::SetPercent(int percent) {
    if (!ValidPercent(percent)) {
        UpdateChecks();
        return;
    }
    m_percent = percent;
    Save();
    UpdateChecks();
    Apply(percent);
}

void Zoom::Apply(int percent) {
    const int applied = FittingPercent(percent, DeviceRoom(QGuiApplication::primaryScreen()), m_largest);
    const qreal oldFactor = QHighDpiScaling::factor(QGuiApplication::primaryScreen());
    m_applied = applied;
    if (qFuzzyCompare(oldFactor, applied / 100.0)) return;
    RemakeWindows(oldFactor);
}

void Zoom::RemakeWindows(qreal oldFactor) {
    QElapsedTimer timer;
    timer.start();
    const qreal factor = m_applied / 100.0;
    QPointer<QWidget> active = QApplication::activeWindow();
    QPointer<QWidget> focus = QApplication::focusWidget();
    struct Shown {
        QPointer<QWidget> window;
        QPointF centre;  // in device pixels: it stays where it was on the screen
    };
    // Screens before the dialogs they own, so each dialog comes up over its screen again.
    QList<Shown> shown;
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        if (!w->isVisible() || w == m_backdrop) continue;
        const Shown s{w, QRectF(w->geometry()).center() * oldFactor};
        if (w->parentWidget())
            shown.append(s);
        else
            shown.prepend(s);
    }
    // Every window, the hidden ones and Qt's own desktop widget too: Qt sets the scale only
    // while none is made.
    for (QWidget* w : QApplication::allWidgets()) {
        if (!w->isWindow() || !w->windowHandle()) continue;
        if (w->isVisible()) w->hide();
        WindowRemaker::DestroyNativeWindow(w);
    }
    for (QWindow* left : QGuiApplication::allWindows()) qCDebug(lcZoom) << "still made:" << left;
    QHighDpiScaling::setGlobalFactor(factor);

    RefreshNamedPictures();
    emit densityChanged();
    if (m_fullScreen) ShowBackdrop(true);
    for (const Shown& s : shown) {
        QWidget* w = s.window;
        if (!w) continue;
        const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
        if (m_fullScreen && !w->parentWidget()) {
            Centre(w, screen->geometry());
        } else {
            QRect frame(QPoint(), w->size());
            frame.moveCenter((s.centre / factor).toPoint());
            const QRect room = screen->availableGeometry();
            frame.moveLeft(
                std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width())));
            frame.moveTop(
                std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height())));
            w->move(frame.topLeft());
        }
        w->show();
    }
    if (active) {
        active->raise();
        AskForFocus(active);
    }
    if (focus) focus->setFocus();
    m_lastRemakeMs = timer.elapsed();
    qCDebug(lcZoom) << "windows made again at" << m_applied << "% in" << m_lastRemakeMs << "ms";
}

void Zoom::SetFullScreen(bool on) {
    m_fullScreen = on;
    Save();
    UpdateChecks();
    ShowBackdrop(on);
    if (!on) return;
    QPointer<QWidget> active = QApplication::activeWindow();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != m_backdrop && !w->parentWidget() && !w->inherits("QMenu")) {
            Centre(w, (w->screen() ? w->screen() : QGuiApplication::primaryScreen())->geometry());
            w->raise();
        }
    if (active) {
        active->raise();
        AskForFocus(active);
    }
}

void Zoom::ShowBackdrop(bool on) {
    if (!on) {
        if (m_backdrop) m_backdrop->close();
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    if (!m_backdrop) m_backdrop = new Backdrop;
    m_backdrop->setGeometry(screen->geometry());
    m_backdrop->show();
    m_backdrop->lower();
}

void Zoom::AddViewMenuItems(QMenu* view) {
    QMenu* zoom = view->addMenu(QCoreApplication::translate("Zoom", "拡大(&Z)"));
    zoom->setObjectName(QStringLiteral("zoomMenu"));
    zoom->addActions(m_zoomGroup->actions());
    // The action is made before the interface's translation is put in: name it here.
    m_fullScreenAction->setText(QCoreApplication::translate("Zoom", "全画面(&F)"));
    view->addAction(m_fullScreenAction);
}

qreal Zoom::PictureDensity() const {
    return kd::PictureDensity();
}

void Zoom::Present(QWidget* form) {
    if (!form) return;
    form->addAction(m_fullScreenAction);
    if (m_fullScreen && !form->parentWidget()) {
        ShowBackdrop(true);
        Centre(form, (form->screen() ? form->screen() : QGuiApplication::primaryScreen())->geometry());
    }
    form->show();
    form->raise();
    AskForFocus(form);
}

void PresentForm(QWidget* form) {
    if (Zoom* zoom = Zoom::Instance()) {
        zoom->Present(form);
        return;
    }
    form->show();
    AskForFocus(form);
}

qreal PictureDensity() {
    // The screen's, asked each time: QGuiApplication::devicePixelRatio keeps its first answer.
    const QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    return screen ? screen->devicePixelRatio() : 1.0;
}

}  // namespace kd
