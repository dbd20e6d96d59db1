#include "platform/widgets/MessageBoxes.h"

#include <QMessageBox>
#include <QPointer>
#include <utility>

namespace kd {

namespace {

// A box over a screen, centred on that screen's window once its size is known. Qt's
// own placement allows for a guessed 40-pixel title bar where no window manager draws one,
// which left the box above the middle.
class CentredBox : public QMessageBox {
  public:
    using QMessageBox::QMessageBox;
    bool centre = false;

  protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);  // sizes the box for its text
        if (!centre || !parentWidget()) return;
        const QRect owner = parentWidget()->window()->geometry();
        move(owner.center() - QPoint(width() / 2, height() / 2));
    }
};

}  // namespace

MsgAnswer QtMessageBoxes::Show(QWidget* parent, const QString& title, const QString& text,
                               MsgButtons buttons) {
    // On the heap and watched: the window under the box may close while the box is up (a
    // screen's timer runs on, a game ends), and deleting it then deletes its children.
    QPointer<CentredBox> box = new CentredBox(parent);
    box->centre = parent != nullptr;
    box->setWindowTitle(title);
    box->setText(text);
    switch (buttons) {
        case MsgButtons::OK:
            box->setIcon(QMessageBox::Information);
            box->setStandardButtons(QMessageBox::Ok);
            break;
        case MsgButtons::OKCancel:
            box->setIcon(QMessageBox::Question);
            box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MsgButtons::YesNo:
            box->setIcon(QMessageBox::Question);
            box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
    }
    const QPointer<QWidget> under = box->parentWidget() ? box->parentWidget()->window() : nullptr;
    const int answer = box->exec();
    // Gone with its window: nobody answered, which counts as the close box.
    const bool closed = !box || box->clickedButton() == nullptr;
    delete box.data();
    // Where no window manager runs, nothing hands the keyboard back to the window under the box.
    if (under && under->isVisible()) under->activateWindow();
    switch (answer) {
        case QMessageBox::Cancel:
            return MsgAnswer::Cancel;
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        default:
            // The close box of a Yes/No question counts as No, of OK/Cancel as Cancel.
            if (!closed) return MsgAnswer::OK;
            if (buttons == MsgButtons::YesNo) return MsgAnswer::No;
            return buttons == MsgButtons::OKCancel ? MsgAnswer::Cancel : MsgAnswer::OK;
    }
}

MsgAnswer ScriptedMessageBoxes::Show(QWidget*, const QString& title, const QString& text,
                                     MsgButtons buttons) {
    asked << Asked{title, text, buttons};
    if (whileShown) std::exchange(whileShown, nullptr)();
    if (!script.isEmpty()) return script.takeFirst();
    return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::OK;
}

}  // namespace kd
