#include "training/ImportReportDialog.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/ShellLook.h"
#include "questions/StringTable.h"

namespace kd {

namespace {
constexpr int kWidth = 520;
constexpr int kHeight = 400;
const QColor kText = kWhite;
}  // namespace

QString ImportReportDialog::SummaryText(const ImportReport& r) {
    if (!r.result.error.isEmpty()) return r.result.error;
    if (!r.storeError.isEmpty())
        return QCoreApplication::translate("ImportReportDialog",
                                           "問題を記録に保存できませんでした（%1）。何も取り込んでいません。")
            .arg(r.storeError);
    if (!r.Stored())
        return QCoreApplication::translate("ImportReportDialog", "取り込める行がありませんでした。");
    const QString kind = r.result.kind == QuestionSetKind::English
                             ? QCoreApplication::translate("ImportReportDialog", "英単語")
                             : QCoreApplication::translate("ImportReportDialog", "慣用句");
    return QCoreApplication::translate(
               "ImportReportDialog",
               "問題集「%1」（%2）に %3 問を取り込みました。練習の設定でジャンルに選べます。")
        .arg(r.setName, kind)
        .arg(r.result.questions.size());
}

ImportReportDialog::ImportReportDialog(AppContext& ctx_, QWidget* owner, const ImportReport& report)
    : ScreenBase(ctx_, QStringLiteral("ImportReportDialog"), owner) {
    for (int i = 0; i < 2; ++i)
        titleTexts[i] =
            MakeLabel(this, QStringLiteral("titleText%1").arg(i),
                      QCoreApplication::translate("ImportReportDialog", "問題集の読み込み"), 0, 0, 400, 36);
    StyleTitle(titleTexts[0], titleTexts[1], 24, QPoint(20, 12), 3);

    fileText = MakeLabel(this, QStringLiteral("fileText"),
                         QCoreApplication::translate("ImportReportDialog", "ファイル：") + report.fileName,
                         20, 56, 480, 20);
    summaryLine = MakeLabel(this, QStringLiteral("summaryLine"), SummaryText(report), 20, 80, 480, 44);
    summaryLine->setWordWrap(true);
    const qsizetype refused = report.result.refused.size();
    refusedCaption = MakeLabel(
        this, QStringLiteral("refusedCaption"),
        refused ? QCoreApplication::translate("ImportReportDialog", "取り込めなかった行：%1 行").arg(refused)
                : QCoreApplication::translate("ImportReportDialog", "取り込めなかった行はありません。"),
        20, 128, 480, 20);
    for (QLabel* l : {fileText, summaryLine, refusedCaption}) {
        SetPixelFont(l, 14, l == summaryLine);
        SetForeColor(l, kText);
    }

    refusedTable = new QTableWidget(int(refused), 2, this);
    refusedTable->setObjectName(QStringLiteral("refusedTable"));
    refusedTable->setGeometry(20, 152, 480, 196);
    refusedTable->setHorizontalHeaderLabels({QCoreApplication::translate("ImportReportDialog", "行"),
                                             QCoreApplication::translate("ImportReportDialog", "理由")});
    refusedTable->verticalHeader()->hide();
    refusedTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    refusedTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    refusedTable->setAlternatingRowColors(true);
    refusedTable->horizontalHeader()->setStretchLastSection(true);
    refusedTable->setColumnWidth(0, 64);
    refusedTable->setColumnWidth(1, 480 - 64 - 24);  // the rest, beside the scroll bar
    refusedTable->setAccessibleName(
        QCoreApplication::translate("ImportReportDialog", "取り込めなかった行の一覧"));
    SetPixelFont(refusedTable, 13);
    for (int i = 0; i < int(refused); ++i) {
        auto* line = new QTableWidgetItem(QString::number(report.result.refused[i].line));
        line->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        refusedTable->setItem(i, 0, line);
        auto* reason = new QTableWidgetItem(report.result.refused[i].reason);
        reason->setToolTip(report.result.refused[i].reason);
        refusedTable->setItem(i, 1, reason);
    }
    // Long reasons wrap onto a second line; measuring every row of a huge file would stall.
    refusedTable->setWordWrap(true);
    if (refused <= 500) refusedTable->resizeRowsToContents();
    refusedTable->setVisible(refused > 0);

    okButton = MakeButton(this, QStringLiteral("okButton"), QStringLiteral("OK"), 418, 360, 82, 28);
    connect(okButton, &QPushButton::clicked, this, [this] { Dismiss(); });
    SetDefaultButtons(okButton, okButton);
}

void ImportReportDialog::OnLoad() {
    SetCaption(AppTitle() + QCoreApplication::translate("ImportReportDialog", " -問題集の読み込み-"));
    SetClientSize(kWidth, kHeight);
    SetBackgroundPicture(ShellBackground(kWidth, kHeight));
    if (QWidget* owner = parentWidget()) move(owner->geometry().center() - QPoint(kWidth / 2, kHeight / 2));
}

}  // namespace kd
