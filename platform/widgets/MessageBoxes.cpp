#include "platform/widgets/MessageBoxes.h"

#include <QMessageBox>

namespace kd {

MsgAnswer QtMessageBoxes::Show(QWidget* parent, const QString& title, const QString& text, MsgButtons buttons) {
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (buttons) {
        case MsgButtons::OK:
            box.setIcon(QMessageBox::Information);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MsgButtons::OKCancel:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MsgButtons::YesNo:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Cancel:
            return MsgAnswer::Cancel;
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        default:
            // The close box of a Yes/No question counts as No, of OK/Cancel as Cancel.
            if (buttons == MsgButtons::YesNo && box.clickedButton() == nullptr) return MsgAnswer::No;
            return MsgAnswer::OK;
    }
}

MsgAnswer ScriptedMessageBoxes::Show(QWidget*, const QString& title, const QString& text, MsgButtons buttons) {
    asked << Asked{title, text, buttons};
    if (!script.isEmpty()) return script.takeFirst();
    return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::OK;
}

}  // namespace kd
