#include "classui/ClassMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>

#include "classui/ClassDialogs.h"
#include "classui/ClassViewWindow.h"
#include "common/GameState.h"
#include "learning/LearningRecord.h"
#include "platform/widgets/AppContext.h"
#include "platform/widgets/MessageBoxes.h"

namespace kd {

namespace {

QAction* Item(QMenu* file, QAction* before, const QString& name, const QString& text) {
    auto* a = new QAction(text, file);
    a->setObjectName(name);
    file->insertAction(before, a);
    return a;
}

// Where no window manager runs, nothing hands the keyboard back to the window under a dialog
// when it is cancelled: the menu's keys would reach nobody. (An answer comes in a message box,
// which hands it back itself, or in a window that takes it.)
void HandBackKeyboard(QDialog* dialog, QWidget* owner) {
    QObject::connect(dialog, &QDialog::rejected, owner, [owner] {
        if (owner->window()->isVisible()) owner->window()->activateWindow();
    });
}

}  // namespace

void AddClassItems(QMenu* file, QAction* after, AppContext& ctx, QWidget* owner) {
    const QList<QAction*> actions = file->actions();
    const qsizetype at = actions.indexOf(after);
    QAction* before = at >= 0 && at + 1 < actions.size() ? actions[at + 1] : nullptr;
    QAction* join = Item(file, before, QStringLiteral("joinClassAction"),
                         QCoreApplication::translate("ClassMenu", "クラスに参加(&J)..."));
    QAction* teacher = Item(file, before, QStringLiteral("classResultsAction"),
                            QCoreApplication::translate("ClassMenu", "クラスの成績(&C)..."));
    QObject::connect(join, &QAction::triggered, owner, [&ctx, owner] { OpenJoinClassDialog(ctx, owner); });
    QObject::connect(teacher, &QAction::triggered, owner, [&ctx, owner] { OpenTeacherLogin(ctx, owner); });
}

void OpenJoinClassDialog(AppContext& ctx, QWidget* owner) {
    GameState& g = ctx.g;
    auto keep = [&g](const ClassMembership& m) {
        LearningStore* store = g.learning ? g.learning->WritableStore() : nullptr;
        return store && SaveMembership(store->Database(), m);
    };
    auto* dialog = new JoinClassDialog(g.player.GetUserName(), keep, owner);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    HandBackKeyboard(dialog, owner);
    QObject::connect(dialog, &QDialog::accepted, owner,
                     [&ctx, owner, said = QPointer<JoinClassDialog>(dialog)] {
                         if (said) ctx.msg.Show(owner, said->windowTitle(), said->Outcome(), MsgButtons::OK);
                     });
    if (LearningStore* store = g.learning ? g.learning->Store() : nullptr) {
        const ClassMembership m = LoadMembership(store->Database());
        if (m.Joined()) {
            dialog->server->setText(m.server);
            dialog->classCode->setText(m.classCode);
            dialog->name->setText(m.studentName);
            dialog->problem->setText(
                QCoreApplication::translate("ClassMenu", "いまは「%1」に参加しています。").arg(m.className));
        }
    }
    dialog->open();
}

void OpenTeacherLogin(AppContext& ctx, QWidget* owner) {
    MessageBoxes& msg = ctx.msg;
    auto* dialog = new TeacherLoginDialog(
        [&msg](const TeacherLogin& login, const ClassView& view) {
            auto* window = new ClassViewWindow(login, view, msg);
            window->show();
            window->activateWindow();
        },
        owner);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    HandBackKeyboard(dialog, owner);
    dialog->open();
}

}  // namespace kd
