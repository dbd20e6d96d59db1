#include "stats/ProgressTab.h"

#include <QAreaSeries>
#include <QButtonGroup>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

#include "stats/KeyboardView.h"
#include "stats/StatsLook.h"

namespace kd::stats {

namespace {

struct TimeSpan {
    qint64 from = 0, to = 0;
};

// The lowest and highest value drawn, for the value axis.
struct ValueRange {
    double bottom = 0, top = 0;
};

// The time trial's letter grades by seconds: S under 12 s, the As to 18 s, ...
struct GradeBand {
    double from, to;
    const char* name;
};
const GradeBand kGradeBands[] = {{0, 12, "S"},  {12, 18, "A"}, {18, 27, "B"},  {27, 43, "C"},
                                 {43, 64, "D"}, {64, 94, "E"}, {94, 133, "F"}, {133, 600, "G"}};

// The list is the legend: each kind of game in the colour of its line.
QIcon Swatch(const QColor& colour) {
    QPixmap swatch(24, 24);
    swatch.setDevicePixelRatio(2);
    swatch.fill(Qt::transparent);
    QPainter p(&swatch);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(1, 1, 10, 10), 2, 2);
    p.end();
    return QIcon(swatch);
}

void AttachToAll(QChart* chart, QAbstractAxis* x, QAbstractAxis* y) {
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
}

// One series' games: a faint point for each, the moving average as a line and stars for its
// bests. `seen` grows to the points drawn.
void AddSeries(QChart* chart, const ProgressSeries& s, const QColor& colour, bool rate, TimeSpan span,
               ValueRange& seen) {
    auto* points = new QScatterSeries;
    points->setMarkerSize(5);
    QColor faint = colour;
    faint.setAlpha(110);
    points->setColor(faint);
    points->setBorderColor(Qt::transparent);
    auto* average = new QLineSeries;
    average->setName(QCoreApplication::translate("ProgressTab", "%1・%2")
                         .arg(ModeName(GameMode(s.key.mode)), GenreName(s.key.genre)));
    average->setPen(QPen(colour, 2.5));
    auto* best = BestMarkers();

    auto value = [rate](const GamePoint& g) { return rate ? g.correctRate * 100 : g.keysPerSec; };
    auto moving = [rate](const GamePoint& g) {
        return rate ? g.movingCorrectRate * 100 : g.movingKeysPerSec;
    };
    const QList<QPointF> pts = Thinned(s.games, value, span.from, span.to);
    points->append(pts);
    average->append(Thinned(s.games, moving, span.from, span.to));
    for (const QPointF& p : pts) {
        seen.top = std::max(seen.top, p.y());
        seen.bottom = std::min(seen.bottom, p.y());
    }
    for (const GamePoint& g : s.games)
        if (g.bestKeysPerSec && !rate) best->append(double(g.startedAt), g.keysPerSec);
    if (rate) {
        // The best rate is marked where it was first reached.
        for (const GamePoint& g : s.games)
            if (g.correctRate >= s.bestCorrectRate) {
                best->append(double(g.startedAt), g.correctRate * 100);
                break;
            }
    }
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(points), static_cast<QAbstractSeries*>(average),
          static_cast<QAbstractSeries*>(best)})
        chart->addSeries(series);
}

void AddProgressAxes(QChart* chart, const QString& axisTitle, bool rate, TimeSpan span, ValueRange seen) {
    auto* x = TimeAxis(span.from, span.to);
    auto* y = new QValueAxis;
    if (rate) {
        const double low = std::max(0.0, std::floor(seen.bottom / 10) * 10 - 10);
        y->setRange(low, 100);
        y->setTickCount(int((100 - low) / 10) + 1);
    } else {
        y->setRange(0, std::ceil(seen.top + 0.5));
        y->applyNiceNumbers();
    }
    y->setLabelFormat(rate ? QStringLiteral("%.0f%%") : QStringLiteral("%.1f"));
    StyleAxis(y, axisTitle);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    AttachToAll(chart, x, y);
}

// The grades as bands behind the times, up to `top` seconds.
void AddGradeBands(QChart* chart, double x0, double x1, double top) {
    for (int i = 0; i < int(std::size(kGradeBands)); ++i) {
        const GradeBand& b = kGradeBands[i];
        if (b.from >= top) break;
        auto* lower = new QLineSeries(chart);
        auto* upper = new QLineSeries(chart);
        lower->append({{x0, b.from}, {x1, b.from}});
        upper->append({{x0, std::min(b.to, top)}, {x1, std::min(b.to, top)}});
        auto* area = new QAreaSeries(upper, lower);
        area->setName(QString::fromLatin1(b.name));
        QColor c = BadnessColor(i / 7.0);
        c.setAlpha(i % 2 ? 60 : 90);
        area->setBrush(c);
        area->setPen(Qt::NoPen);
        area->setPointLabelsVisible(false);
        chart->addSeries(area);
    }
}

// The runs as points, one colour per genre, and a star on each personal best.
void AddRuns(QChart* chart, const QVector<TimeTrialPoint>& runs, TimeSpan span) {
    QHash<QString, QScatterSeries*> byGenre;
    QHash<QString, QVector<GamePoint>> times;  // per genre, as points to thin like the games
    auto* best = BestMarkers();
    best->setName(QCoreApplication::translate("ProgressTab", "自己ベスト"));
    int colour = 0;
    for (const TimeTrialPoint& r : runs) {
        QScatterSeries*& s = byGenre[r.genre];
        if (!s) {
            s = new QScatterSeries;
            s->setName(GenreName(r.genre));
            s->setMarkerSize(7);
            s->setColor(SeriesColor(colour++));
            s->setBorderColor(Qt::transparent);
        }
        GamePoint p;
        p.startedAt = r.startedAt;
        p.keysPerSec = r.timeMs / 1000.0;
        times[r.genre] << p;
        if (r.best) best->append(double(r.startedAt), r.timeMs / 1000.0);
    }
    for (auto it = byGenre.begin(); it != byGenre.end(); ++it)
        it.value()->append(Thinned(
            times[it.key()], [](const GamePoint& p) { return p.keysPerSec; }, span.from, span.to));
    for (QScatterSeries* s : byGenre) chart->addSeries(s);
    chart->addSeries(best);
}

// The grades named on the right-hand axis, beside their bands.
QCategoryAxis* GradeAxis(double top) {
    auto* grades = new QCategoryAxis;
    grades->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    grades->setRange(0, top);
    for (const GradeBand& b : kGradeBands) {
        if (b.from >= top) break;
        grades->append(QString::fromLatin1(b.name), std::min(b.to, top));
    }
    StyleAxis(grades, QCoreApplication::translate("ProgressTab", "評価"));
    grades->setGridLineVisible(false);
    return grades;
}

}  // namespace

ProgressTab::ProgressTab(const Snapshot& data, QWidget* parent) : StatsTab(data, parent) {
    setObjectName(QStringLiteral("progressTab"));
    auto* figures = new QWidget;
    auto* row = new QHBoxLayout(figures);
    row->setContentsMargins(8, 8, 8, 8);
    row->addLayout(BuildSeriesPicker());

    m_chartPages = new QStackedWidget;
    auto* right = new QVBoxLayout;
    right->addLayout(BuildViewSwitches());
    auto* speedPage = new QWidget;
    auto* speedLayout = new QVBoxLayout(speedPage);
    speedLayout->setContentsMargins(0, 0, 0, 0);
    m_speedChart = NewChartView(QStringLiteral("speedChart"));
    m_rateChart = NewChartView(QStringLiteral("rateChart"));
    speedLayout->addWidget(m_speedChart, 1);
    speedLayout->addWidget(m_rateChart, 1);
    m_chartPages->addWidget(speedPage);
    m_chartPages->addWidget(BuildTimesPage());
    right->addWidget(m_chartPages, 1);
    row->addLayout(right, 1);
    SetFigures(figures);
}

QVBoxLayout* ProgressTab::BuildSeriesPicker() {
    auto* side = new QVBoxLayout;
    side->addWidget(TitleLabel(QCoreApplication::translate("ProgressTab", "表示するゲーム")));
    m_seriesList = new QListWidget;
    m_seriesList->setObjectName(QStringLiteral("seriesList"));
    m_seriesList->setFixedWidth(250);
    m_seriesList->setIconSize(QSize(12, 12));
    m_seriesList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_seriesList->setTextElideMode(Qt::ElideMiddle);
    SetFontPixels(m_seriesList, 13);
    connect(m_seriesList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const QStringList parts = item->data(Qt::UserRole).toString().split(u'\t');
        const SeriesKey key{parts.value(0).toInt(), parts.value(1)};
        if (!m_seriesChosen) m_checkedSeries = ChosenSeries();
        m_seriesChosen = true;
        m_checkedSeries.removeAll(key);
        if (item->checkState() == Qt::Checked) m_checkedSeries << key;
        DrawSpeedAndRate();
    });
    side->addWidget(m_seriesList, 1);
    auto* legend = new QLabel(
        QCoreApplication::translate("ProgressTab", "点：1ゲーム\n線：直近%1ゲームの平均\n★：自己ベスト")
            .arg(kMovingAverageGames));
    legend->setStyleSheet(QStringLiteral("color: #c8cdd8;"));
    side->addWidget(legend);
    return side;
}

QHBoxLayout* ProgressTab::BuildViewSwitches() {
    auto* switches = new QHBoxLayout;
    auto* views = new QButtonGroup(this);
    switches->addWidget(Toggle(QStringLiteral("showSpeed"),
                               QCoreApplication::translate("ProgressTab", "速さと正確さ"), views,
                               kSpeedView));
    switches->addWidget(Toggle(QStringLiteral("showTimes"),
                               QCoreApplication::translate("ProgressTab", "タイムトライアルのタイム"), views,
                               kTimesView));
    switches->addStretch(1);
    auto* replaysButton = new QPushButton(QCoreApplication::translate("ProgressTab", "記録の再生(&R)"));
    replaysButton->setObjectName(QStringLiteral("replaysButton"));
    replaysButton->setToolTip(
        QCoreApplication::translate("ProgressTab", "記録したタイムトライアル・レース・ボス戦をもう一度見る"));
    connect(replaysButton, &QPushButton::clicked, this, &ProgressTab::ReplaysWanted);
    switches->addWidget(replaysButton);
    views->button(kSpeedView)->setChecked(true);
    OnChosen(views, this, [this](int view) {
        m_chartPages->setCurrentIndex(view);
        emit ViewChanged();
    });
    return switches;
}

QWidget* ProgressTab::BuildTimesPage() {
    m_timesPages = new QStackedWidget;
    m_timesPages->addWidget(NotePage(NoteLabel(
        QCoreApplication::translate("ProgressTab",
                                    "この期間にはタイムトライアルの記録がありません。\n"
                                    "タイムトライアルを最後まで走ると、タイムと評価がここに並びます。"))));
    m_timeChart = NewChartView(QStringLiteral("timeChart"));
    m_timesPages->addWidget(m_timeChart);
    return m_timesPages;
}

int ProgressTab::VisibleView() const {
    return m_chartPages->currentIndex() == kSpeedView ? kSpeedView : kTimesView;
}

void ProgressTab::Draw(int view) {
    if (view == kSpeedView)
        DrawSpeedAndRate();
    else
        DrawTimeTrials();
}

QVector<SeriesKey> ProgressTab::ChosenSeries() const {
    // Until the player picks, the two kinds of game played most: more would crowd the chart.
    if (!m_seriesChosen) return m_data.series.mid(0, 2);
    QVector<SeriesKey> out;
    for (const SeriesKey& k : m_data.series)
        if (m_checkedSeries.contains(k)) out << k;
    return out;
}

void ProgressTab::FillSeriesList() {
    const QSignalBlocker block(m_seriesList);
    m_seriesList->clear();
    const QVector<SeriesKey> chosen = ChosenSeries();
    int colour = 0;
    for (const ProgressSeries& s : m_data.progress) {
        auto* item = new QListWidgetItem(QCoreApplication::translate("ProgressTab", "%1・%2（%3）")
                                             .arg(ModeName(GameMode(s.key.mode)), GenreName(s.key.genre))
                                             .arg(s.games.size()));
        item->setData(Qt::UserRole, QStringLiteral("%1\t%2").arg(int(s.key.mode)).arg(s.key.genre));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(chosen.contains(s.key) ? Qt::Checked : Qt::Unchecked);
        item->setIcon(Swatch(SeriesColor(colour++)));
        m_seriesList->addItem(item);
    }
}

void ProgressTab::DrawSpeedAndRate() {
    FillSeriesList();
    const QVector<SeriesKey> chosen = ChosenSeries();
    TimeSpan span;
    for (const ProgressSeries& s : m_data.progress) {
        if (s.games.isEmpty() || !chosen.contains(s.key)) continue;
        span.from = span.from ? std::min(span.from, s.games.first().startedAt) : s.games.first().startedAt;
        span.to = std::max(span.to, s.games.last().startedAt);
    }
    ReplaceChart(
        m_speedChart,
        ProgressChart(QCoreApplication::translate("ProgressTab", "速さ（1秒あたりの正しい打鍵）"),
                      QCoreApplication::translate("ProgressTab", "打/秒"), false, span.from, span.to));
    ReplaceChart(
        m_rateChart,
        ProgressChart(QCoreApplication::translate("ProgressTab", "正確さ（正しい打鍵の割合）"),
                      QCoreApplication::translate("ProgressTab", "正答率"), true, span.from, span.to));
}

QChart* ProgressTab::ProgressChart(const QString& title, const QString& axisTitle, bool rate, qint64 from,
                                   qint64 to) {
    QChart* chart = NewChart(title);
    const QVector<SeriesKey> chosen = ChosenSeries();
    ValueRange seen{rate ? 100.0 : 0.0, 1.0};
    int colour = 0;
    for (const ProgressSeries& s : m_data.progress) {
        const QColor c = SeriesColor(colour++);
        if (!chosen.contains(s.key) || s.games.isEmpty()) continue;
        AddSeries(chart, s, c, rate, {from, to}, seen);
    }
    AddProgressAxes(chart, axisTitle, rate, {from, to}, seen);
    chart->legend()->setVisible(false);
    return chart;
}

void ProgressTab::DrawTimeTrials() {
    const auto& runs = m_data.timeTrials;
    m_timesPages->setCurrentIndex(runs.isEmpty() ? 0 : 1);
    QChart* chart =
        NewChart(QCoreApplication::translate("ProgressTab", "タイムトライアルのタイム（低いほど速い）"));
    if (!runs.isEmpty()) {
        const TimeSpan span{runs.first().startedAt, runs.last().startedAt};
        double slowest = 0;
        for (const TimeTrialPoint& r : runs) slowest = std::max(slowest, r.timeMs / 1000.0);
        const double top = std::ceil(slowest / 10 + 0.5) * 10;
        auto* x = TimeAxis(span.from, span.to);
        const double x0 = x->min().toMSecsSinceEpoch(), x1 = x->max().toMSecsSinceEpoch();
        auto* y = new QValueAxis;
        y->setRange(0, top);
        y->setLabelFormat(QStringLiteral("%.0f"));
        StyleAxis(y, QCoreApplication::translate("ProgressTab", "秒"));
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        AddGradeBands(chart, x0, x1, top);
        AddRuns(chart, runs, span);
        chart->addAxis(GradeAxis(top), Qt::AlignRight);
        AttachToAll(chart, x, y);
        for (QLegendMarker* m : chart->legend()->markers())
            m->setVisible(qobject_cast<QAreaSeries*>(m->series()) == nullptr);
        chart->legend()->setAlignment(Qt::AlignBottom);
    }
    ReplaceChart(m_timeChart, chart);
}

}  // namespace kd::stats
