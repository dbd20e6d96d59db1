#include "shell/LearningExport.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>

#include "common/GameState.h"
#include "learning/LearningRecord.h"
#include "platform/core/WriteTrouble.h"
#include "platform/widgets/AppContext.h"
#include "platform/widgets/MessageBoxes.h"

namespace kd {

SaveFileChooser& ExportFileChooser() {
    static SaveFileChooser chooser = [](QWidget* parent, const QString& suggested) {
        return QFileDialog::getSaveFileName(
            parent, QCoreApplication::translate("LearningExport", "学習記録の書き出し"), suggested,
            QStringLiteral("CSV (*.csv)"));
    };
    return chooser;
}

void ExportLearningRecord(AppContext& ctx, QWidget* parent) {
    GameState& g = ctx.g;
    LearningStore* store = g.learning ? g.learning->Store() : nullptr;
    // The record's own message (damaged, locked...) has been shown by then.
    if (!store) return;
    const QString suggested = QDir::home().filePath(
        QStringLiteral("keyderby-%1-%2.csv")
            .arg(g.player.GetUserName(), QDate::currentDate().toString(QStringLiteral("yyyyMMdd"))));
    const QString path = ExportFileChooser()(parent, suggested);
    if (path.isEmpty()) return;
    // Written beside and renamed, so a failed export never leaves half a file under that name.
    QSaveFile file(path);
    const bool ok = file.open(QIODevice::WriteOnly) && store->ExportCsv(file) && file.commit();
    WriteTrouble trouble = WriteTrouble::None;
    if (!ok) {
        // Qt files a full disk under "resource error".
        trouble = file.error() == QFileDevice::ResourceError ? WriteTrouble::DiskFull
                  : file.error() == QFileDevice::PermissionsError
                      ? WriteTrouble::NotWritable
                      : TroubleOfFolder(QFileInfo(path).absolutePath());
        qWarning("export to %s failed: %s", qPrintable(path), qPrintable(file.errorString()));
        file.cancelWriting();
    }
    ctx.msg.Show(
        parent, QStringLiteral("KeyDerby"),
        ok ? QCoreApplication::translate("LearningExport", "学習記録を書き出しました。\n") + path
           : FailureMessage(QCoreApplication::translate("LearningExport", "学習記録を書き出せませんでした"),
                            trouble, path),
        MsgButtons::OK);
}

}  // namespace kd
