#include "platform/widgets/ZoomStage.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/widgets/Bitmaps.h"

namespace kd {

namespace {

ZoomStage* g_instance = nullptr;

const char* const kPercentKey = "view/zoomPercent";
const char* const kFullScreenKey = "view/fullScreen";

// Room a window manager's frame and title bar take around a window.
constexpr int kFrameAllowanceX = 16;
constexpr int kFrameAllowanceY = 48;

bool ValidPercent(int percent) {
    return std::find(std::begin(ZoomStage::kPercents), std::end(ZoomStage::kPercents), percent) !=
           std::end(ZoomStage::kPercents);
}

QScreen* ScreenOf(const QWidget* w) {
    if (w && w->screen()) return w->screen();
    return QGuiApplication::primaryScreen();
}

// Zoom belongs to the machine (its screen), not to a player: the user's configuration folder.
std::unique_ptr<QSettings> OpenSettings(const QString& file) {
    if (!file.isEmpty()) return std::make_unique<QSettings>(file, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("keyderby"), QStringLiteral("keyderby"));
}

// A window just shown is already on top; without a window manager nothing gives it the
// keyboard focus unless it asks.
void AskForFocus(QWidget* window) {
    window->activateWindow();
}

}  // namespace

ZoomStage::ZoomStage(const QString& settingsFile, QObject* parent)
    : QObject(parent), m_settingsFile(settingsFile) {
    g_instance = this;
    m_fullScreenAction = new QAction(QCoreApplication::translate("ZoomStage", "全画面(&F)"), this);
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
        connect(a, &QAction::triggered, this, [this, percent] { SetPercent(percent); });
    }
    m_density = PictureDensity();
    UpdateChecks();
}

ZoomStage::~ZoomStage() {
    for (const auto& s : m_stages)
        if (s) s->deleteLater();
    if (g_instance == this) g_instance = nullptr;
}

ZoomStage* ZoomStage::Instance() {
    return g_instance;
}

int ZoomStage::StartPercent(QSize screen, QSize menu) {
    if (menu.isEmpty()) return 100;
    const bool roomy = screen.width() * 2 >= menu.width() * 5 && screen.height() * 2 >= menu.height() * 5;
    return roomy ? 150 : 100;
}

void ZoomStage::LoadSettings(QSize menu) {
    const auto settings = OpenSettings(m_settingsFile);
    const int stored = settings->value(QLatin1String(kPercentKey), 0).toInt();
    if (ValidPercent(stored)) {
        m_percent = stored;
    } else {
        const QScreen* screen = QGuiApplication::primaryScreen();
        m_percent = screen ? StartPercent(screen->availableGeometry().size(), menu) : 100;
    }
    m_fullScreen = settings->value(QLatin1String(kFullScreenKey), false).toBool();
    m_density = PictureDensity();
    UpdateChecks();
}

void ZoomStage::Save() const {
    const auto settings = OpenSettings(m_settingsFile);
    settings->setValue(QLatin1String(kPercentKey), m_percent);
    settings->setValue(QLatin1String(kFullScreenKey), m_fullScreen);
    settings->sync();
}

void ZoomStage::UpdateChecks() {
    for (QAction* a : m_zoomGroup->actions()) a->setChecked(a->data().toInt() == m_percent);
    m_fullScreenAction->setChecked(m_fullScreen);
}

void ZoomStage::SetPercent(int percent) {
    if (!ValidPercent(percent)) return;
    m_percent = percent;
    Save();
    UpdateChecks();
    Restage();
}

void ZoomStage::SetFullScreen(bool on) {
    m_fullScreen = on;
    Save();
    UpdateChecks();
    Restage();
}

void ZoomStage::AddViewMenuItems(QMenu* view) {
    QMenu* zoom = view->addMenu(QCoreApplication::translate("ZoomStage", "拡大(&Z)"));
    zoom->setObjectName(QStringLiteral("zoomMenu"));
    zoom->addActions(m_zoomGroup->actions());
    view->addAction(m_fullScreenAction);
}

qreal ZoomStage::PictureDensity() const {
    const qreal screen = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    return Staged() ? std::max<qreal>(screen, 2.0) : screen;
}

QWidget* ZoomStage::HostOf(QWidget* form) const {
    if (!form) return nullptr;
    for (const auto& s : m_stages)
        if (s && s->Form() == form) return s;
    return form;
}

qreal ZoomStage::ScaleOf(QWidget* form) const {
    for (const auto& s : m_stages)
        if (s && s->Form() == form) return s->Scale();
    return 1.0;
}

qreal ZoomStage::ScaleFor(QSize formSize, const StageWindow* owner) const {
    const QScreen* screen = ScreenOf(owner);
    if (!screen || formSize.isEmpty()) return m_percent / 100.0;
    if (m_fullScreen && !owner) {
        const QSize room = screen->geometry().size();
        return std::min(qreal(room.width()) / formSize.width(), qreal(room.height()) / formSize.height());
    }
    // A dialog keeps its owner's scale; nothing may grow past the screen.
    const qreal wanted = owner ? owner->Scale() : m_percent / 100.0;
    const QSize room = screen->availableGeometry().size() - QSize(kFrameAllowanceX, kFrameAllowanceY);
    const qreal fit =
        std::min(qreal(room.width()) / formSize.width(), qreal(room.height()) / formSize.height());
    return std::max<qreal>(std::min(wanted, fit), 0.25);
}

void ZoomStage::Present(QWidget* form) {
    if (!form) return;
    if (form->graphicsProxyWidget()) {
        form->show();
        if (QWidget* host = HostOf(form); host != form) {
            host->show();
            AskForFocus(host);
        }
        return;
    }
    StageWindow* owner = nullptr;
    if (QWidget* parent = form->parentWidget()) {
        for (const auto& s : m_stages)
            if (s && s->Form() == parent->window()) owner = s;
    }
    form->addAction(m_fullScreenAction);
    if (!Staged() && !owner) {
        form->show();
        AskForFocus(form);
        return;
    }
    m_stages.removeIf([](const QPointer<StageWindow>& s) { return !s; });
    auto* stage = new StageWindow(*this, form, owner);
    m_stages << stage;
    form->show();
    stage->Relayout();
    stage->show();
    AskForFocus(stage);
}

void ZoomStage::Restage() {
    const qreal density = PictureDensity();
    if (!qFuzzyCompare(density, m_density)) {
        m_density = density;
        RefreshNamedPictures();
        emit densityChanged();
    }
    if (!Staged()) {
        // Back at 100 %: every screen is a plain window again, the screens before their dialogs.
        QList<QWidget*> released;
        for (const auto& s : m_stages)
            if (s && !s->Owner())
                if (QWidget* form = s->Release()) released << form;
        for (const auto& s : m_stages)
            if (s)
                if (QWidget* form = s->Release()) released << form;
        m_stages.clear();
        for (QWidget* form : released) Present(form);
        return;
    }
    for (const auto& s : m_stages)
        if (s) s->Relayout();
    // Windows shown at 100 % move onto a stage: screens first, then the dialogs over them.
    QList<QWidget*> plain;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || !w->inherits("kd::ScreenBase") || w->graphicsProxyWidget()) continue;
        if (w->parentWidget())
            plain.append(w);
        else
            plain.prepend(w);
    }
    for (QWidget* w : plain) {
        w->hide();
        Present(w);
    }
}

StageWindow::StageWindow(ZoomStage& stage, QWidget* form, StageWindow* owner)
    : QGraphicsView(owner), m_stage(&stage), m_form(form), m_owner(owner) {
    setWindowFlags(owner ? Qt::Dialog : Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(form->objectName() + QStringLiteral("Stage"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignCenter);
    setRenderHint(QPainter::TextAntialiasing);
    setOptimizationFlags(QGraphicsView::DontSavePainterState | QGraphicsView::DontAdjustForAntialiasing);
    // Only what changed is drawn again, as in a plain window.
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    // The screen covers its part of the view with its own opaque pixels: the black around it
    // (full screen) is drawn by drawBackground alone, and nothing fills the viewport first.
    setBackgroundBrush(Qt::NoBrush);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowTitle(form->windowTitle());
    setWindowIcon(form->windowIcon());

    // The stage carries the screen's modality, so a dialog still blocks the screen behind it.
    if (form->windowModality() != Qt::NonModal) {
        setWindowModality(form->windowModality());
        form->setWindowModality(Qt::NonModal);
    }
    auto* scene = new QGraphicsScene(this);
    m_proxy = scene->addWidget(form, Qt::Widget);
    m_proxy->setFocusPolicy(Qt::StrongFocus);
    m_proxy->setFocus();  // keys go to the screen as soon as the window is active
    setScene(scene);
    connect(m_proxy, &QGraphicsWidget::geometryChanged, this, &StageWindow::Relayout);
    form->installEventFilter(this);
    addAction(stage.FullScreenAction());
}

StageWindow::~StageWindow() {
    if (m_form) m_form->removeEventFilter(this);
}

QWidget* StageWindow::Release() {
    QWidget* form = m_form;
    if (!form || !m_proxy || !form->isVisible()) return nullptr;
    form->removeEventFilter(this);
    m_form = nullptr;
    const QPoint centre = geometry().center();
    const Qt::WindowModality modality = windowModality();
    m_proxy->setWidget(nullptr);  // a window of its own again, no longer drawn by this view
    form->hide();
    form->setWindowModality(modality);
    form->move(centre - QPoint(form->width() / 2, form->height() / 2));
    hide();
    deleteLater();
    return form;
}

void StageWindow::Relayout() {
    if (!m_form || !m_proxy || !m_stage) return;
    const QRectF area = m_proxy->sceneBoundingRect();
    m_scale = m_stage->ScaleFor(area.size().toSize(), m_owner);
    setTransform(QTransform::fromScale(m_scale, m_scale));
    // At the pictures' own density they are copied pixel for pixel; only other scales (150 %,
    // full screen) need the slower smoothing to look clean.
    setRenderHint(QPainter::SmoothPixmapTransform, !qFuzzyCompare(m_scale, m_stage->PictureDensity()));
    setSceneRect(area);
    QScreen* screen = ScreenOf(m_owner ? static_cast<QWidget*>(m_owner) : this);
    const bool fullScreen = m_stage->IsFullScreen() && !m_owner;
    if (fullScreen) {
        // Without a window manager the full-screen state is only a wish: the size is set too.
        if (!m_wasFullScreen) {
            setWindowFlag(Qt::FramelessWindowHint, true);
            setMinimumSize(0, 0);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
        setGeometry(screen->geometry());
        setWindowState(windowState() | Qt::WindowFullScreen);
    } else {
        if (m_wasFullScreen) {
            setWindowState(windowState() & ~Qt::WindowFullScreen);
            setWindowFlag(Qt::FramelessWindowHint, false);
        }
        const QSize size(int(std::ceil(area.width() * m_scale)), int(std::ceil(area.height() * m_scale)));
        setFixedSize(size);
        const QRect room = screen->availableGeometry();
        const QRect near = m_owner ? m_owner->geometry() : room;
        QRect frame(QPoint(), size);
        frame.moveCenter(near.center());
        // Keep the whole window, its title bar included, on the screen.
        frame.moveLeft(
            std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - size.width())));
        frame.moveTop(std::clamp(frame.top(), room.top() + kFrameAllowanceY / 2,
                                 std::max(room.top(), room.bottom() - size.height())));
        move(frame.topLeft());
    }
    if (fullScreen != m_wasFullScreen) {
        m_wasFullScreen = fullScreen;
        if (m_form && m_form->isVisible()) {
            show();
            raise();
            activateWindow();
        }
    }
}

bool StageWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_form) {
        switch (event->type()) {
            case QEvent::WindowTitleChange:
                setWindowTitle(m_form->windowTitle());
                break;
            case QEvent::WindowIconChange:
                setWindowIcon(m_form->windowIcon());
                break;
            case QEvent::Hide:
                // The screen closed (or hid itself): its window goes with it, off the screen at
                // once as a plain window would be, and away once the screen's close is over.
                hide();
                QTimer::singleShot(0, this, [this] {
                    if (!m_form || !m_form->isVisible()) deleteLater();
                });
                break;
            default:
                break;
        }
    }
    return QGraphicsView::eventFilter(watched, event);
}

void StageWindow::closeEvent(QCloseEvent* event) {
    // The close box asks the screen, which may refuse (the main menu asks first).
    if (m_form && m_form->isVisible()) {
        m_form->close();
        if (m_form && m_form->isVisible()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void StageWindow::drawBackground(QPainter* painter, const QRectF& exposed) {
    // Only the margins around the screen; a change inside the screen paints the screen alone.
    const QRectF screen = m_proxy ? m_proxy->sceneBoundingRect() : QRectF();
    const QRegion margins =
        QRegion(exposed.toAlignedRect()) - QRegion(screen.toAlignedRect().adjusted(0, 0, -1, -1));
    for (const QRect& r : margins) painter->fillRect(r, Qt::black);
}

void StageWindow::focusInEvent(QFocusEvent* event) {
    QGraphicsView::focusInEvent(event);
    if (m_proxy && scene() && !scene()->focusItem()) m_proxy->setFocus();
}

void PresentForm(QWidget* form) {
    if (ZoomStage* stage = ZoomStage::Instance()) {
        stage->Present(form);
        return;
    }
    form->show();
    AskForFocus(form);
}

qreal PictureDensity() {
    if (ZoomStage* stage = ZoomStage::Instance()) return stage->PictureDensity();
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

}  // namespace kd
