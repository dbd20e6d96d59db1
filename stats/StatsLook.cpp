#include "stats/StatsLook.h"

#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/widgets/Colors.h"

namespace kd::stats {

namespace {

const QColor kSeriesColors[] = {QColor(80, 200, 255),  QColor(255, 140, 60), QColor(120, 230, 120),
                                QColor(230, 110, 220), QColor(255, 230, 90), QColor(160, 160, 255)};

}  // namespace

QColor SeriesColor(int i) {
    return kSeriesColors[i % std::size(kSeriesColors)];
}

QString ModeName(GameMode mode) {
    switch (mode) {
        case GameMode::Practice:
            return QCoreApplication::translate("StatsLook", "練習");
        case GameMode::TimeTrial:
            return QCoreApplication::translate("StatsLook", "タイムトライアル");
        case GameMode::Race:
            return QCoreApplication::translate("StatsLook", "キーダービー");
        case GameMode::Boss:
            return QCoreApplication::translate("StatsLook", "ボス戦");
        case GameMode::NetRace:
            return QCoreApplication::translate("StatsLook", "ネット対戦");
    }
    // A mode from a newer program's record.
    return QCoreApplication::translate("StatsLook", "その他");
}

QString GenreName(const QString& genre) {
    if (genre == QLatin1String("kannyouku")) return QCoreApplication::translate("StatsLook", "慣用句");
    if (genre == QLatin1String("english")) return QCoreApplication::translate("StatsLook", "英単語");
    if (genre.startsWith(QLatin1String("set:")))
        return QCoreApplication::translate("StatsLook", "自作") + genre.mid(4);
    return genre;
}

QString Percent(double rate) {
    return QString::number(rate * 100, 'f', 1) + u'%';
}

QString Millis(double ms) {
    return ms > 0 ? QString::number(ms, 'f', 0) + QStringLiteral(" ms")
                  : QCoreApplication::translate("StatsLook", "―");
}

QString UncertainMark(bool uncertain) {
    return uncertain ? QCoreApplication::translate("StatsLook", "（参考）") : QString();
}

void SetFontPixels(QWidget* w, int px) {
    QFont f = w->font();
    f.setPixelSize(px);
    w->setFont(f);
}

QLabel* TitleLabel(const QString& text) {
    auto* l = new QLabel(text);
    l->setStyleSheet(QStringLiteral("color: #ffd740; font-weight: bold;"));
    return l;
}

QLabel* NoteLabel(const QString& text) {
    auto* l = new QLabel;
    l->setObjectName(QStringLiteral("note"));
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignCenter);
    l->setTextFormat(Qt::PlainText);
    l->setMargin(18);
    l->setFixedWidth(640);
    l->setText(text);
    return l;
}

QHBoxLayout* Centred(QWidget* w) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(w);
    row->addStretch(1);
    return row;
}

QWidget* NotePage(QLabel* note) {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->addStretch(1);
    column->addLayout(Centred(note));
    column->addStretch(2);
    return page;
}

namespace {

// The checked toggle is drawn bold (the window's style sheet), which is wider in Latin letters:
// the toggle asks for room for its bold text from the start, so checking it cuts nothing off.
class ToggleButton : public QPushButton {
  public:
    using QPushButton::QPushButton;
    QSize sizeHint() const override {
        QFont bold = font();
        bold.setBold(true);
        const int extra =
            QFontMetrics(bold).horizontalAdvance(text()) - fontMetrics().horizontalAdvance(text());
        return QPushButton::sizeHint() + QSize(qMax(0, extra), 0);
    }
};

}  // namespace

QPushButton* Toggle(const QString& name, const QString& text, QButtonGroup* group, int id) {
    auto* b = new ToggleButton(text);
    b->setObjectName(name);
    b->setCheckable(true);
    b->setFocusPolicy(Qt::TabFocus);
    group->addButton(b, id);
    return b;
}

QTableWidget* MakeTable(const QString& name, const QStringList& headers) {
    auto* t = new QTableWidget(0, headers.size());
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->setVisible(false);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setAlternatingRowColors(true);
    t->setShowGrid(false);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    t->verticalHeader()->setDefaultSectionSize(24);
    return t;
}

void SetRow(QTableWidget* t, int row, const QStringList& cells, bool uncertain, const QString& align) {
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        const QChar a = align.isEmpty() ? (c == 0 ? u'l' : u'r') : align.at(c);
        item->setTextAlignment((a == u'l'   ? Qt::AlignLeft
                                : a == u'c' ? Qt::AlignHCenter
                                            : Qt::AlignRight) |
                               Qt::AlignVCenter);
        if (uncertain) {
            item->setForeground(kUncertainText);
            item->setToolTip(QCoreApplication::translate("StatsLook", "%1回未満のため、まだ参考の値です")
                                 .arg(kCertainAttempts));
        }
        t->setItem(row, c, item);
    }
}

QChart* NewChart(const QString& title) {
    auto* chart = new QChart;
    chart->setBackgroundVisible(false);
    chart->setPlotAreaBackgroundVisible(true);
    chart->setPlotAreaBackgroundBrush(QColor(0, 0, 0, 90));
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setTitle(title);
    QFont f = chart->titleFont();
    f.setPixelSize(14);
    f.setBold(true);
    chart->setTitleFont(f);
    chart->setTitleBrush(kGold);
    chart->legend()->setLabelColor(kStatsText);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setAnimationOptions(QChart::NoAnimation);
    return chart;
}

QChartView* NewChartView(const QString& name) {
    auto* v = new QChartView(NewChart(QString()));
    v->setObjectName(name);
    v->setRenderHint(QPainter::Antialiasing);
    v->setStyleSheet(QStringLiteral("background: transparent"));
    v->setMinimumHeight(160);
    return v;
}

void ReplaceChart(QChartView* view, QChart* chart) {
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

void StyleAxis(QAbstractAxis* axis, const QString& title) {
    axis->setLabelsColor(kStatsText);
    axis->setTitleText(title);
    axis->setTitleBrush(kStatsText);
    axis->setGridLineColor(QColor(255, 255, 255, 40));
    axis->setLinePenColor(QColor(255, 255, 255, 90));
    QFont f = axis->labelsFont();
    f.setPixelSize(11);
    axis->setLabelsFont(f);
    axis->setTitleFont(f);
}

QDateTimeAxis* TimeAxis(qint64 from, qint64 to) {
    auto* x = new QDateTimeAxis;
    const qint64 span = std::max<qint64>(to - from, 3600000);
    x->setRange(QDateTime::fromMSecsSinceEpoch(from - span / 40),
                QDateTime::fromMSecsSinceEpoch(to + span / 40));
    // The date formats follow the interface's language.
    x->setFormat(span > 400LL * 86400000 ? QCoreApplication::translate("StatsLook", "yyyy/MM")
                                         : QCoreApplication::translate("StatsLook", "MM/dd"));
    x->setTickCount(7);
    StyleAxis(x, QString());
    return x;
}

QScatterSeries* BestMarkers() {
    auto* best = new QScatterSeries;
    best->setMarkerShape(QScatterSeries::MarkerShapeStar);
    best->setMarkerSize(16);
    best->setColor(kYellow);
    best->setBorderColor(kBlack);
    return best;
}

}  // namespace kd::stats
