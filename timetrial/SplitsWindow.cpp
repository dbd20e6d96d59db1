#include "timetrial/SplitsWindow.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"

namespace kd {

namespace {

const QColor kLossBack(255, 214, 204);

QTableWidgetItem* Cell(const QString& text, Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(align);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTableWidgetItem* GapCell(const std::optional<qint64>& gap) {
    if (!gap) return Cell(QCoreApplication::translate("SplitsWindow", "―"));
    QTableWidgetItem* item = Cell(FormatGap(*gap).chopped(1));  // the column says 秒
    const GapSide side = SideOfGap(*gap);
    if (side != GapSide::Even) item->setForeground(side == GapSide::Ahead ? kAheadText : kBehindText);
    return item;
}

}  // namespace

QString SplitsWindow::Seconds(qint64 ms) {
    const qint64 h = (ms + 5) / 10;
    return QString::number(h / 100) + QLatin1Char('.') +
           QStringLiteral("%1").arg(h % 100, 2, 10, QLatin1Char('0'));
}

SplitsWindow::SplitsWindow(QWidget* parent, const QList<Split>& splits, qint64 totalGapMs) : QDialog(parent) {
    setObjectName(QStringLiteral("SplitsWindow"));
    setWindowTitle(QCoreApplication::translate("SplitsWindow", "ベストとの比較"));
    auto* layout = new QVBoxLayout(this);

    auto* total = new QLabel(
        GapLine(totalGapMs) + QCoreApplication::translate("SplitsWindow", "　（■ は特に遅れた問題）"), this);
    total->setObjectName(QStringLiteral("totalGapText"));
    SetPixelFont(total, 15, true);
    layout->addWidget(total);

    m_table = new QTableWidget(int(splits.size()), 6, this);
    m_table->setObjectName(QStringLiteral("splitsTable"));
    m_table->setHorizontalHeaderLabels({QCoreApplication::translate("SplitsWindow", "問"),
                                        QCoreApplication::translate("SplitsWindow", "問題"),
                                        QCoreApplication::translate("SplitsWindow", "今回(秒)"),
                                        QCoreApplication::translate("SplitsWindow", "ベスト(秒)"),
                                        QCoreApplication::translate("SplitsWindow", "差(秒)"),
                                        QCoreApplication::translate("SplitsWindow", "累計差(秒)")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int r = 0; r < splits.size(); ++r) {
        const Split& s = splits[r];
        const QString mark = s.largeLoss ? QCoreApplication::translate("SplitsWindow", "■ ") : QString();
        m_table->setItem(r, 0, Cell(mark + QString::number(s.seq + 1)));
        m_table->setItem(r, 1, Cell(s.text, Qt::AlignLeft | Qt::AlignVCenter));
        const QString cut = QCoreApplication::translate("SplitsWindow", "（途中）");
        m_table->setItem(r, 2,
                         Cell(s.ms ? Seconds(*s.ms) + (s.completed ? QString() : cut)
                                   : QCoreApplication::translate("SplitsWindow", "―")));
        m_table->setItem(r, 3,
                         Cell(s.bestMs ? Seconds(*s.bestMs) + (s.bestCompleted ? QString() : cut)
                                       : QCoreApplication::translate("SplitsWindow", "―")));
        m_table->setItem(r, 4, GapCell(s.diffMs));
        m_table->setItem(r, 5, GapCell(s.cumulativeMs));
        if (s.largeLoss)
            for (int c = 0; c < 6; ++c) m_table->item(r, c)->setBackground(kLossBack);
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    layout->addWidget(m_table);

    auto* close = new QPushButton(QCoreApplication::translate("SplitsWindow", "閉じる"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(560, 420);
}

}  // namespace kd
