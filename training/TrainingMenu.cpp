#include "training/TrainingMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QMenu>

#include "common/GameState.h"
#include "learning/LearningRecord.h"
#include "learning/TrainingSettings.h"
#include "platform/core/WriteTrouble.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "questions/StringTable.h"
#include "training/ImportReportDialog.h"

namespace kd {

QAction* AddRomajiGuideItem(QMenu* view, GameState& g) {
    QAction* guide = view->addAction(QCoreApplication::translate("TrainingMenu", "ローマ字ガイド(&R)"));
    guide->setObjectName(QStringLiteral("romajiGuideAction"));
    guide->setCheckable(true);
    // The player can change between two openings of the menu; the mark follows the record (and
    // is right before the first opening: assistive tools read it from a closed menu).
    auto follow = [guide, &g] { guide->setChecked(RomajiGuideOn(g)); };
    follow();
    QObject::connect(view, &QMenu::aboutToShow, guide, follow);
    QObject::connect(guide, &QAction::triggered, guide, [guide, &g](bool on) {
        if (!SwitchRomajiGuide(g, on)) guide->setChecked(!on);
    });
    return guide;
}

OpenFileChooser& QuestionFileChooser() {
    static OpenFileChooser chooser = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(
            parent, QCoreApplication::translate("TrainingMenu", "問題集の読み込み"), QDir::homePath(),
            QCoreApplication::translate("TrainingMenu", "問題集 (*.tsv *.csv *.txt);;すべてのファイル (*)"));
    };
    return chooser;
}

QAction* AddImportItem(QMenu* file, QAction* after, AppContext& ctx, QWidget* owner) {
    auto* item = new QAction(QCoreApplication::translate("TrainingMenu", "問題集の読み込み(&I)..."), file);
    item->setObjectName(QStringLiteral("importSetAction"));
    const QList<QAction*> items = file->actions();
    const qsizetype at = items.indexOf(after);
    file->insertAction(at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr, item);
    QObject::connect(item, &QAction::triggered, owner, [&ctx, owner] { ImportQuestionSet(ctx, owner); });
    return item;
}

void ImportQuestionSet(AppContext& ctx, QWidget* owner) {
    LearningStore* store = ctx.g.learning ? ctx.g.learning->WritableStore() : nullptr;
    if (!store) {
        const WriteTrouble trouble = ctx.g.learning ? ctx.g.learning->Trouble() : WriteTrouble::None;
        ctx.msg.Show(owner, AppTitle(),
                     FailureMessage(QCoreApplication::translate(
                                        "TrainingMenu", "学習記録に書き込めないため、問題集を読み込めません"),
                                    trouble == WriteTrouble::None ? WriteTrouble::NotWritable : trouble),
                     MsgButtons::OK);
        return;
    }
    const QString path = QuestionFileChooser()(owner);
    if (path.isEmpty()) return;
    QuestionSetStore sets(store->Database());
    const ImportReport report = ImportQuestionSetFile(path, sets, QDateTime::currentMSecsSinceEpoch());
    ctx.nav.ShowModal(new ImportReportDialog(ctx, owner, report));
}

}  // namespace kd
