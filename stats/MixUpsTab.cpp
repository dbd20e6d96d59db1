#include "stats/MixUpsTab.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "stats/KeyboardView.h"
#include "stats/StatsLook.h"

namespace kd::stats {

MixUpsTab::MixUpsTab(const Snapshot& data, QWidget* parent) : KeyFiguresTab(data, parent) {
    setObjectName(QStringLiteral("mixUpsTab"));
    auto* figures = new QWidget;
    auto* column = new QVBoxLayout(figures);
    column->setContentsMargins(8, 8, 8, 8);
    m_mixUpHeadline = new QLabel;
    m_mixUpHeadline->setObjectName(QStringLiteral("mixUpHeadline"));
    m_mixUpHeadline->setWordWrap(true);
    m_mixUpHeadline->setStyleSheet(
        QStringLiteral("font-size: 16px; color: #ffffff; background: rgba(0,0,0,120); "
                       "border-radius: 6px; padding: 8px;"));
    column->addWidget(m_mixUpHeadline);
    m_mixUpsTable = MakeTable(QStringLiteral("mixUpsTable"),
                              {QCoreApplication::translate("MixUpsTab", "かな"),
                               QCoreApplication::translate("MixUpsTab", "正しいキー"),
                               QCoreApplication::translate("MixUpsTab", "打ったキー"),
                               QCoreApplication::translate("MixUpsTab", "回数"),
                               QCoreApplication::translate("MixUpsTab", "指（正しい → 打った）")});
    for (int c = 0; c < 4; ++c)
        m_mixUpsTable->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Fixed);
    m_mixUpsTable->setColumnWidth(0, 110);
    m_mixUpsTable->setColumnWidth(1, 120);
    m_mixUpsTable->setColumnWidth(2, 120);
    m_mixUpsTable->setColumnWidth(3, 110);
    m_mixUpsTable->horizontalHeader()->setSectionResizeMode(4, QHeaderView::Stretch);
    column->addWidget(m_mixUpsTable, 1);
    SetFigures(figures);
}

void MixUpsTab::Draw(int) {
    const auto& mix = m_data.mixups[int(m_alphabet)];
    m_mixUpsTable->setRowCount(int(mix.size()));
    for (int i = 0; i < mix.size(); ++i) {
        const MixUp& m = mix[i];
        const QString from = FingerOf(m.expectedKey), to = FingerOf(m.typed);
        const QString fingers = from.isEmpty() || to.isEmpty() ? QString()
                                : from == to ? from + QCoreApplication::translate("MixUpsTab", "（同じ指）")
                                             : from + QCoreApplication::translate("MixUpsTab", " → ") + to;
        SetRow(m_mixUpsTable, i,
               {m.unit, m.expectedKey.toUpper(), m.typed.toUpper(),
                QCoreApplication::translate("MixUpsTab", "%1回").arg(m.count), fingers},
               false, QStringLiteral("lcccl"));
    }
    if (mix.isEmpty()) {
        m_mixUpHeadline->setText(
            QCoreApplication::translate("MixUpsTab", "この期間には打ち間違いがありません。"));
    } else {
        const MixUp& m = mix.first();
        m_mixUpHeadline->setText(QCoreApplication::translate(
                                     "MixUpsTab", "いちばん多い打ち間違い　「%1」：%2 のところで %3 — %4回")
                                     .arg(m.unit, m.expectedKey.toUpper(), m.typed.toUpper())
                                     .arg(m.count));
    }
}

}  // namespace kd::stats
