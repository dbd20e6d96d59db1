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
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/widgets/Colors.h"

namespace kd::stats {

namespace {

// The game's colours: menu green, selection yellow, title gold, on a dark night blue.
const char* const kStyle = R"(
QWidget { color: #ebeef5; }
QTabWidget::pane { border: 1px solid rgba(255,255,255,70); background: rgba(6,12,32,170); border-radius: 6px; top: -1px; }
QTabBar::tab { background: rgba(20,40,96,220); color: #ebeef5; padding: 6px 22px; margin-right: 3px;
  border: 1px solid rgba(255,255,255,70); border-bottom: none; border-top-left-radius: 6px; border-top-right-radius: 6px; font-weight: bold; }
QTabBar::tab:selected { background: #ffd740; color: #101010; }
QTabBar::tab:hover:!selected { color: #ffff00; }
QPushButton { background: rgba(20,40,96,220); color: #ebeef5; border: 1px solid rgba(255,255,255,90);
  border-radius: 4px; padding: 3px 12px; }
QPushButton:checked { background: #ffd740; color: #101010; font-weight: bold; }
QPushButton:hover:!checked { color: #ffff00; }
QListWidget::indicator, QCheckBox::indicator { width: 13px; height: 13px; border: 1px solid rgba(255,255,255,170);
  border-radius: 2px; background: rgba(255,255,255,25); }
QListWidget::indicator:checked, QCheckBox::indicator:checked { background: #ffd740; border-color: #ffd740; }
QTableWidget, QListWidget { background: rgba(0,0,0,110); alternate-background-color: rgba(255,255,255,14);
  gridline-color: rgba(255,255,255,30); border: 1px solid rgba(255,255,255,50); selection-background-color: rgba(255,215,64,90); }
QHeaderView::section { background: rgba(20,40,96,235); color: #ffd740; border: none; padding: 3px 6px; font-weight: bold; }
QTableCornerButton::section { background: rgba(20,40,96,235); border: none; }
QCheckBox { spacing: 6px; }
QComboBox { background: rgba(20,40,96,220); color: #ebeef5; border: 1px solid rgba(255,255,255,90);
  border-radius: 4px; padding: 3px 10px; }
QComboBox:hover { color: #ffff00; }
QComboBox QAbstractItemView { background: #102060; color: #ebeef5; selection-background-color: #ffd740;
  selection-color: #101010; }
QLabel#note { background: rgba(0,0,0,150); border-radius: 8px; font-size: 16px; }
QScrollBar:vertical { background: rgba(0,0,0,60); width: 12px; }
QScrollBar::handle:vertical { background: rgba(255,255,255,80); border-radius: 5px; min-height: 24px; }
QScrollBar::add-line, QScrollBar::sub-line { height: 0; width: 0; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
)";

}  // namespace

QString WindowStyle() {
    return QLatin1String(kStyle);
}

void PaintWindowBackground(QWidget* w) {
    QPainter p(w);
    QLinearGradient grad(0, 0, 0, w->height());
    grad.setColorAt(0, kNightBlue);
    grad.setColorAt(1, QColor(8, 70, 48));
    p.fillRect(w->rect(), grad);
}

namespace {

// Okabe and Ito's colours, chosen to stay apart also for red-green colour blind players, with
// white where their black would vanish on the dark charts; yellow comes late, since the stars of
// the personal bests are yellow.
const QColor kSeriesColors[] = {QColor(86, 180, 233),  QColor(213, 94, 0),   QColor(0, 158, 115),
                                QColor(255, 255, 255), QColor(240, 228, 66), QColor(0, 114, 178)};

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

void OnChosen(QButtonGroup* group, QObject* receiver, std::function<void(int)> chosen) {
    QObject::connect(group, &QButtonGroup::idToggled, receiver,
                     [chosen = std::move(chosen)](int id, bool on) {
                         if (on) chosen(id);
                     });
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
