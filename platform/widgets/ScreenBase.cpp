#include "platform/widgets/ScreenBase.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

#include "platform/widgets/Navigator.h"
#include "platform/widgets/Timer.h"

namespace kd {

ScreenBase::ScreenBase(AppContext& ctx_, const QString& formName, QWidget* owner)
    // A dialog gets a window of its own, also over a zoomed screen.
    : QWidget(owner, owner ? Qt::Dialog | Qt::BypassGraphicsProxyWidget : Qt::WindowFlags(Qt::Window)),
      ctx(ctx_),
      g(ctx_.g) {
    setObjectName(formName);
    setAttribute(Qt::WA_DeleteOnClose);
}

ScreenBase::ScreenBase(AppContext& ctx_, Screen screen, QWidget* owner)
    : ScreenBase(ctx_, ScreenName(screen), owner) {
    m_screen = screen;
}

ScreenBase::~ScreenBase() {
    if (m_keysFirst) qApp->removeEventFilter(this);
}

void ScreenBase::Load() {
    if (m_loaded) return;
    m_loaded = true;
    OnLoad();
    AfterLoad();
}

void ScreenBase::CloseScreen() {
    if (m_closing) return;
    m_closing = true;
    close();
}

Screen ScreenBase::BackScreen() const {
    const std::optional<Screen> back = m_screen ? BackTarget(*m_screen) : std::nullopt;
    Q_ASSERT_X(back, "ScreenBase::BackScreen", "this screen has no back target");
    return back.value_or(Screen::Main);
}

void ScreenBase::GoBack() {
    ctx.nav.Replace(this, BackScreen());
}

void ScreenBase::ShowBackTarget() {
    ctx.nav.Show(BackScreen());
}

void ScreenBase::SetClientSize(int width, int height) {
    setFixedSize(width, height);
}

void ScreenBase::SetBackgroundPicture(const QPixmap& picture) {
    m_background = picture;
    update();
}

void ScreenBase::SetBackgroundColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
    setAutoFillBackground(true);
}

void ScreenBase::SetKeysFirst(bool on) {
    if (on == m_keysFirst) return;
    m_keysFirst = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

void ScreenBase::DisableInputMethod() {
    setAttribute(Qt::WA_InputMethodEnabled, false);
    for (QWidget* w : findChildren<QWidget*>()) w->setAttribute(Qt::WA_InputMethodEnabled, false);
}

void ScreenBase::SetDefaultButtons(QPushButton* ok, QPushButton* cancel) {
    m_defaultButton = ok;
    m_cancelButton = cancel;
}

void ScreenBase::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    // Enter presses the button that has the focus, as the player sees it marked; the default
    // button when no button has it.
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    QPushButton* button = (key == Qt::Key_Return || key == Qt::Key_Enter)
                              ? (focused ? focused : m_defaultButton)
                          : key == Qt::Key_Escape ? m_cancelButton
                                                  : nullptr;
    if (button && button->isEnabled())
        button->click();
    else
        QWidget::keyPressEvent(event);
}

bool ScreenBase::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() != this || !isEnabled() || m_closing) return false;
    auto* ke = static_cast<QKeyEvent*>(event);
    const QString text = ke->text();
    m_lastKeyTime = ke->timestamp();
    QPointer<ScreenBase> self(this);
    m_keyScanCode = ke->nativeScanCode();
    m_keyShifted = ke->modifiers().testFlag(Qt::ShiftModifier);
    OnKeyDown(ke->key(), ke->modifiers());
    if (self && !self->m_closing && !text.isEmpty()) OnKeyTyped(text.at(0).unicode());
    return true;
}

void ScreenBase::closeEvent(QCloseEvent* event) {
    const CloseReason reason = m_closing ? CloseReason::Program : CloseReason::Player;
    if (!MayClose(reason) && reason == CloseReason::Player) {
        event->ignore();
        return;
    }
    m_closing = true;
    if (m_keysFirst) {
        qApp->removeEventFilter(this);
        m_keysFirst = false;
    }
    OnClose();
    // A closed screen lingers until it is deleted; its ticks must not act on it any more.
    for (Timer* t : findChildren<Timer*>()) t->Stop();
    event->accept();
}

void ScreenBase::paintEvent(QPaintEvent* event) {
    if (!m_background.isNull()) {
        QPainter p(this);
        p.drawPixmap(0, 0, m_background);
    }
    QWidget::paintEvent(event);
}

}  // namespace kd
