#include "stats/KeyPairsTab.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QLegend>
#include <QTableWidget>
#include <QValueAxis>
#include <cmath>

#include "stats/StatsLook.h"

namespace kd::stats {

namespace {

constexpr int kMostBars = 12;

// The slowest sure pairs as bars, slowest on top.
QChart* SlowPairsChart(const QVector<KeyPair>& pairs) {
    QChart* chart = NewChart(QCoreApplication::translate("KeyPairsTab", "続けて打つと遅いキー（平均時間）"));
    auto* set = new QBarSet(QCoreApplication::translate("KeyPairsTab", "平均時間"));
    set->setColor(QColor(255, 140, 60));
    set->setBorderColor(Qt::transparent);
    set->setLabelColor(kStatsText);
    QStringList names;
    for (const KeyPair& p : pairs) {
        if (p.uncertain || names.size() >= kMostBars) break;
        names.prepend(p.first.toUpper() + QCoreApplication::translate("KeyPairsTab", "→") +
                      p.second.toUpper());
        set->insert(0, p.avgMs);
    }
    if (names.isEmpty()) {
        delete set;
        return chart;
    }
    auto* series = new QHorizontalBarSeries;
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsFormat(QStringLiteral("@value ms"));
    series->setLabelsPrecision(3);
    chart->addSeries(series);
    auto* y = new QBarCategoryAxis;
    y->append(names);
    StyleAxis(y, QString());
    QFont big = y->labelsFont();
    big.setPixelSize(13);
    big.setBold(true);
    y->setLabelsFont(big);
    auto* x = new QValueAxis;
    double top = 0;
    for (int i = 0; i < set->count(); ++i) top = std::max(top, set->at(i));
    x->setRange(0, std::ceil(top / 100 + 0.6) * 100);
    x->applyNiceNumbers();
    x->setLabelFormat(QStringLiteral("%.0f"));
    StyleAxis(x, QCoreApplication::translate("KeyPairsTab", "ミリ秒"));
    chart->addAxis(y, Qt::AlignLeft);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    series->attachAxis(y);
    chart->legend()->setVisible(false);
    return chart;
}

}  // namespace

KeyPairsTab::KeyPairsTab(const Snapshot& data, QWidget* parent) : KeyFiguresTab(data, parent) {
    setObjectName(QStringLiteral("keyPairsTab"));
    auto* figures = new QWidget;
    auto* row = new QHBoxLayout(figures);
    row->setContentsMargins(8, 8, 8, 8);
    m_pairChart = NewChartView(QStringLiteral("pairChart"));
    row->addWidget(m_pairChart, 3);
    m_pairsTable =
        MakeTable(QStringLiteral("pairsTable"), {QCoreApplication::translate("KeyPairsTab", "キーの並び"),
                                                 QCoreApplication::translate("KeyPairsTab", "平均時間"),
                                                 QCoreApplication::translate("KeyPairsTab", "回数")});
    row->addWidget(m_pairsTable, 2);
    SetFigures(figures);
}

void KeyPairsTab::Draw(int) {
    const auto& pairs = m_data.pairs[int(m_alphabet)];
    m_pairsTable->setRowCount(int(pairs.size()));
    for (int i = 0; i < pairs.size(); ++i) {
        const KeyPair& p = pairs[i];
        SetRow(m_pairsTable, i,
               {p.first.toUpper() + QCoreApplication::translate("KeyPairsTab", " → ") + p.second.toUpper() +
                    UncertainMark(p.uncertain),
                Millis(p.avgMs), QCoreApplication::translate("KeyPairsTab", "%1回").arg(p.count)},
               p.uncertain);
    }
    ReplaceChart(m_pairChart, SlowPairsChart(pairs));
}

}  // namespace kd::stats
