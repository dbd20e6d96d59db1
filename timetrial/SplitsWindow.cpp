#include "timetrial/SplitsWindow.h"

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
    if (!gap) return Cell(QStringLiteral("―"));
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
    setWindowTitle(QStringLiteral("ベストとの比較"));
    auto* layout = new QVBoxLayout(this);

    auto* total = new QLabel(GapLine(totalGapMs) + QStringLiteral("　（■ は特に遅れた問題）"), this);
    total->setObjectName(QStringLiteral("totalGapText"));
    SetPixelFont(total, 15, true);
    layout->addWidget(total);

    m_table = new QTableWidget(int(splits.size()), 6, this);
    m_table->setObjectName(QStringLiteral("splitsTable"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("問"), QStringLiteral("問題"),
                                        QStringLiteral("今回(秒)"), QStringLiteral("ベスト(秒)"),
                                        QStringLiteral("差(秒)"), QStringLiteral("累計差(秒)")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int r = 0; r < splits.size(); ++r) {
        const Split& s = splits[r];
        const QString mark = s.largeLoss ? QStringLiteral("■ ") : QString();
        m_table->setItem(r, 0, Cell(mark + QString::number(s.seq + 1)));
        m_table->setItem(r, 1, Cell(s.text, Qt::AlignLeft | Qt::AlignVCenter));
        const QString cut = QStringLiteral("（途中）");
        m_table->setItem(r, 2,
                         Cell(s.ms ? Seconds(*s.ms) + (s.completed ? QString() : cut) : QStringLiteral("―")));
        m_table->setItem(
            r, 3,
            Cell(s.bestMs ? Seconds(*s.bestMs) + (s.bestCompleted ? QString() : cut) : QStringLiteral("―")));
        m_table->setItem(r, 4, GapCell(s.diffMs));
        m_table->setItem(r, 5, GapCell(s.cumulativeMs));
        if (s.largeLoss)
            for (int c = 0; c < 6; ++c) m_table->item(r, c)->setBackground(kLossBack);
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    layout->addWidget(m_table);

    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(560, 420);
}

}  // namespace kd
