#include "platform/widgets/FormBase.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

#include "common/GameState.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/Timer.h"

namespace kd {

FormBase::FormBase(AppContext& ctx_, const QString& formName, QWidget* owner)
    // A dialog gets a window of its own, also over a zoomed screen.
    : QWidget(owner, owner ? Qt::Dialog | Qt::BypassGraphicsProxyWidget : Qt::WindowFlags(Qt::Window)),
      ctx(ctx_),
      g(ctx_.g) {
    setObjectName(formName);
    setAttribute(Qt::WA_DeleteOnClose);
}

FormBase::FormBase(AppContext& ctx_, Screen screen, QWidget* owner)
    : FormBase(ctx_, ScreenName(screen), owner) {
    m_screen = screen;
}

FormBase::~FormBase() {
    if (m_keyPreview) qApp->removeEventFilter(this);
}

void FormBase::Load() {
    if (m_loaded) return;
    m_loaded = true;
    Form_Load();
    AfterLoad();
}

void FormBase::Unload() {
    if (m_unloading) return;
    m_unloading = true;
    close();
}

Screen FormBase::BackScreen() const {
    const std::optional<Screen> back = m_screen ? BackTarget(*m_screen) : std::nullopt;
    Q_ASSERT_X(back, "FormBase::BackScreen", "this screen has no back target");
    return back.value_or(Screen::Main);
}

void FormBase::GoBack() {
    ctx.nav.Replace(this, BackScreen());
}

void FormBase::ShowBackTarget() {
    ctx.nav.Show(BackScreen());
}

void FormBase::SetClientSize(int width, int height) {
    setFixedSize(width, height);
}

void FormBase::SetBackgroundPicture(const QPixmap& picture) {
    m_background = picture;
    update();
}

void FormBase::SetBackgroundColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
    setAutoFillBackground(true);
}

void FormBase::SetKeyPreview(bool on) {
    if (on == m_keyPreview) return;
    m_keyPreview = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

void FormBase::DisableInputMethod() {
    setAttribute(Qt::WA_InputMethodEnabled, false);
    for (QWidget* w : findChildren<QWidget*>()) w->setAttribute(Qt::WA_InputMethodEnabled, false);
}

void FormBase::SetDefaultButtons(QPushButton* ok, QPushButton* cancel) {
    m_defaultButton = ok;
    m_cancelButton = cancel;
}

void FormBase::keyPressEvent(QKeyEvent* event) {
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

int VbKeyCode(int key) {
    switch (key) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
            return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        default:
            break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return 112 + (key - Qt::Key_F1);
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) return key;
    return key < 256 ? key : 0;
}

bool FormBase::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() != this || !isEnabled() || m_unloading) return false;
    auto* ke = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = ke->modifiers();
    const int shift = (mods & Qt::ShiftModifier ? 1 : 0) | (mods & Qt::ControlModifier ? 2 : 0) |
                      (mods & Qt::AltModifier ? 4 : 0);
    const QString text = ke->text();
    QPointer<FormBase> self(this);
    Form_KeyDown(VbKeyCode(ke->key()), shift);
    if (self && !self->m_unloading && !text.isEmpty()) Form_KeyPress(text.at(0).unicode());
    return true;
}

void FormBase::closeEvent(QCloseEvent* event) {
    const UnloadMode mode = m_unloading ? UnloadMode::ProgramClosed : UnloadMode::UserClosed;
    if (!Form_QueryUnload(mode) && mode == UnloadMode::UserClosed) {
        event->ignore();
        return;
    }
    m_unloading = true;
    if (m_keyPreview) {
        qApp->removeEventFilter(this);
        m_keyPreview = false;
    }
    Form_Unload();
    // A closed screen lingers until it is deleted; its ticks must not act on it any more.
    for (Timer* t : findChildren<Timer*>()) t->Stop();
    event->accept();
}

void FormBase::paintEvent(QPaintEvent* event) {
    if (!m_background.isNull()) {
        QPainter p(this);
        p.drawPixmap(0, 0, m_background);
    }
    QWidget::paintEvent(event);
}

}  // namespace kd
