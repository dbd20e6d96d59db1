#include "stats/StatsWindow.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QButtonGroup>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHorizontalBarSeries>
#include <QKeyEvent>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QScreen>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>
#include <memory>

#include "platform/widgets/Colors.h"

namespace kd::stats {

namespace {

// The game's colours: menu green, selection yellow, title gold, on a dark night blue.
const QColor kText(235, 238, 245);
const QColor kDim(150, 156, 172);
const QColor kSeriesColors[] = {QColor(80, 200, 255),  QColor(255, 140, 60), QColor(120, 230, 120),
                                QColor(230, 110, 220), QColor(255, 230, 90), QColor(160, 160, 255)};

constexpr int kMaxChartPoints = 250;

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
QLabel#note { background: rgba(0,0,0,150); border-radius: 8px; font-size: 16px; }
QScrollBar:vertical { background: rgba(0,0,0,60); width: 12px; }
QScrollBar::handle:vertical { background: rgba(255,255,255,80); border-radius: 5px; min-height: 24px; }
QScrollBar::add-line, QScrollBar::sub-line { height: 0; width: 0; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
)";

void SetFontPixels(QWidget* w, int px) {
    QFont f = w->font();
    f.setPixelSize(px);
    w->setFont(f);
}

QColor SeriesColor(int i) {
    return kSeriesColors[i % std::size(kSeriesColors)];
}

QString Percent(double rate) {
    return QString::number(rate * 100, 'f', 1) + u'%';
}
QString Millis(double ms) {
    return ms > 0 ? QString::number(ms, 'f', 0) + QStringLiteral(" ms") : QStringLiteral("―");
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

// Fills one row; figures on too few attempts are greyed and say so.
// Text on the left, figures on the right, unless the table says otherwise (keys centred).
void SetRow(QTableWidget* t, int row, const QStringList& cells, bool uncertain, const QString& align = {}) {
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        const QChar a = align.isEmpty() ? (c == 0 ? u'l' : u'r') : align.at(c);
        item->setTextAlignment((a == u'l'   ? Qt::AlignLeft
                                : a == u'c' ? Qt::AlignHCenter
                                            : Qt::AlignRight) |
                               Qt::AlignVCenter);
        if (uncertain) {
            item->setForeground(kDim);
            item->setToolTip(QStringLiteral("%1回未満のため、まだ参考の値です").arg(kCertainAttempts));
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
    chart->legend()->setLabelColor(kText);
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

void StyleAxis(QAbstractAxis* axis, const QString& title) {
    axis->setLabelsColor(kText);
    axis->setTitleText(title);
    axis->setTitleBrush(kText);
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
    x->setFormat(span > 400LL * 86400000 ? QStringLiteral("yyyy/MM") : QStringLiteral("MM/dd"));
    x->setTickCount(7);
    StyleAxis(x, QString());
    return x;
}

// Several thousand games would make one marker each: they are averaged into time slices.
template <typename Value>
QList<QPointF> Thinned(const QVector<GamePoint>& games, Value value, qint64 from, qint64 to) {
    QList<QPointF> out;
    if (games.size() <= kMaxChartPoints) {
        for (const GamePoint& g : games) out << QPointF(double(g.startedAt), value(g));
        return out;
    }
    const double slice = double(std::max<qint64>(to - from, 1)) / kMaxChartPoints;
    double sumX = 0, sumY = 0;
    int n = 0, current = -1;
    for (const GamePoint& g : games) {
        const int s = int((g.startedAt - from) / slice);
        if (s != current && n > 0) {
            out << QPointF(sumX / n, sumY / n);
            sumX = sumY = 0;
            n = 0;
        }
        current = s;
        sumX += double(g.startedAt);
        sumY += value(g);
        ++n;
    }
    if (n > 0) out << QPointF(sumX / n, sumY / n);
    return out;
}

QLabel* NoteLabel() {
    auto* l = new QLabel;
    l->setObjectName(QStringLiteral("note"));
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignCenter);
    l->setTextFormat(Qt::PlainText);
    l->setMargin(18);
    l->setFixedWidth(640);
    return l;
}

// Centred by stretches, not by alignment: an aligned label loses its height for its width and
// a wrapped note would be cut.
QHBoxLayout* Centred(QWidget* w) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(w);
    row->addStretch(1);
    return row;
}

QPushButton* Toggle(const QString& name, const QString& text, QButtonGroup* group, int id) {
    auto* b = new QPushButton(text);
    b->setObjectName(name);
    b->setCheckable(true);
    b->setFocusPolicy(Qt::TabFocus);
    group->addButton(b, id);
    return b;
}

QString LoadingText() {
    return QStringLiteral(
        "記録を集計しています…\n\n初めて開くときや、たくさん遊んだあとは少し時間がかかります。"
        "このあいだもゲームは遊べます。");
}

QString EmptyRecordText() {
    return QStringLiteral(
        "まだ記録がありません。\n\n"
        "練習・タイムトライアル・キーダービーを遊ぶと、打ったキーが一つずつ記録され、ここに表示されます。\n\n"
        "・推移：ゲームごとの速さ（1秒あたりの正しい打鍵）と正確さの移り変わり\n"
        "・苦手：ミスの多いかなやキー、時間のかかるキー\n"
        "・打ち間違い：どのキーのところで、どのキーを打ってしまったか\n"
        "・連続キー：続けて打つと遅くなるキーの並び\n\n"
        "まずは一度遊んでみてください。20回未満の数字は、まだ参考の値として灰色で表示されます。");
}

}  // namespace

QString ModeName(int mode) {
    switch (mode) {
        case 0:
            return QStringLiteral("練習");
        case 1:
            return QStringLiteral("タイムトライアル");
        case 2:
            return QStringLiteral("キーダービー");
        case 3:
            return QStringLiteral("ボス戦");
        case 4:
            return QStringLiteral("ネット対戦");
        default:
            return QStringLiteral("その他");
    }
}

QString GenreName(const QString& genre) {
    if (genre == QLatin1String("kannyouku")) return QStringLiteral("慣用句");
    if (genre == QLatin1String("english")) return QStringLiteral("英単語");
    if (genre.startsWith(QLatin1String("set:"))) return QStringLiteral("自作") + genre.mid(4);
    return genre;
}

StatsWindow::StatsWindow(const QString& playerName, const QString& databasePath, Loading loading,
                         QWidget* parent)
    : QWidget(parent, Qt::Window), m_path(databasePath), m_player(playerName), m_loading(loading) {
    setObjectName(QStringLiteral("StatsWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("成績 — ") + playerName);
    setStyleSheet(QLatin1String(kStyle));
    resize(980, 700);
    setMinimumSize(760, 560);
    m_nowMs = QDateTime::currentMSecsSinceEpoch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 10, 14, 10);
    layout->setSpacing(8);
    BuildTop(layout);

    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->addTab(BuildProgressTab(), QStringLiteral("推移"));
    m_tabs->addTab(BuildWeakTab(), QStringLiteral("苦手"));
    m_tabs->addTab(BuildMixUpTab(), QStringLiteral("打ち間違い"));
    m_tabs->addTab(BuildPairTab(), QStringLiteral("連続キー"));
    layout->addWidget(m_tabs, 1);

    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setStyleSheet(QStringLiteral("color: #c8cdd8; font-size: 12px;"));
    layout->addWidget(m_status);

    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int tab) {
        for (QAbstractButton* b : m_alpha->buttons()) b->setEnabled(tab != kProgress);
        ShowVisible();
    });
    m_tabs->setCurrentIndex(kProgress);
    for (QAbstractButton* b : m_alpha->buttons()) b->setEnabled(false);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    Reload();
}

StatsWindow::~StatsWindow() = default;

void StatsWindow::BuildTop(QVBoxLayout* layout) {
    auto* top = new QHBoxLayout;
    auto* title = new QLabel(QStringLiteral("成績"));
    title->setObjectName(QStringLiteral("title"));
    title->setStyleSheet(
        QStringLiteral("color: #ffd740; font-size: 30px; font-weight: bold; font-style: italic;"));
    auto* name = new QLabel(m_player);
    name->setObjectName(QStringLiteral("player"));
    name->setStyleSheet(
        QStringLiteral("color: #ffffff; font-size: 18px; font-weight: bold; padding-top: 8px;"));
    top->addWidget(title);
    top->addSpacing(10);
    top->addWidget(name);
    top->addStretch(1);

    m_alpha = new QButtonGroup(this);
    top->addWidget(new QLabel(QStringLiteral("文字：")));
    top->addWidget(Toggle(QStringLiteral("kana"), QStringLiteral("かな"), m_alpha, int(Alphabet::Kana)));
    top->addWidget(
        Toggle(QStringLiteral("english"), QStringLiteral("英字"), m_alpha, int(Alphabet::English)));
    m_alpha->button(int(Alphabet::Kana))->setChecked(true);
    connect(m_alpha, &QButtonGroup::idClicked, this, [this](int id) { SetAlphabet(Alphabet(id)); });
    top->addSpacing(16);

    m_range = new QButtonGroup(this);
    top->addWidget(new QLabel(QStringLiteral("期間：")));
    top->addWidget(Toggle(QStringLiteral("range7"), QStringLiteral("7日"), m_range, 7));
    top->addWidget(Toggle(QStringLiteral("range30"), QStringLiteral("30日"), m_range, 30));
    top->addWidget(Toggle(QStringLiteral("rangeAll"), QStringLiteral("すべて"), m_range, 0));
    m_range->button(0)->setChecked(true);
    connect(m_range, &QButtonGroup::idClicked, this, [this](int id) { SetRangeDays(id); });
    top->addSpacing(12);

    m_abandoned = new QCheckBox(QStringLiteral("途中でやめたゲームも"));
    m_abandoned->setObjectName(QStringLiteral("includeAbandoned"));
    connect(m_abandoned, &QCheckBox::toggled, this, [this] { Reload(); });
    top->addWidget(m_abandoned);
    layout->addLayout(top);
}

// A tab's content, or in its place a note that says why there is nothing yet.
QWidget* StatsWindow::Explained(QWidget* content, QLabel** note) {
    auto* pages = new QStackedWidget;
    auto* holder = new QWidget;
    auto* l = new QVBoxLayout(holder);
    *note = NoteLabel();
    (*note)->setText(LoadingText());
    l->addStretch(1);
    l->addLayout(Centred(*note));
    l->addStretch(2);
    pages->addWidget(holder);
    pages->addWidget(content);
    return pages;
}

QWidget* StatsWindow::BuildProgressTab() {
    auto* content = new QWidget;
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(8, 8, 8, 8);

    auto* side = new QVBoxLayout;
    auto* pick = new QLabel(QStringLiteral("表示するゲーム"));
    pick->setStyleSheet(QStringLiteral("color: #ffd740; font-weight: bold;"));
    side->addWidget(pick);
    m_seriesList = new QListWidget;
    m_seriesList->setObjectName(QStringLiteral("series"));
    m_seriesList->setFixedWidth(250);
    m_seriesList->setIconSize(QSize(12, 12));
    m_seriesList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_seriesList->setTextElideMode(Qt::ElideMiddle);
    SetFontPixels(m_seriesList, 13);
    connect(m_seriesList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const QStringList parts = item->data(Qt::UserRole).toString().split(u'\t');
        const SeriesKey key{parts.value(0).toInt(), parts.value(1)};
        if (!m_seriesChosen) m_checked = ChosenSeries();
        m_seriesChosen = true;
        m_checked.removeAll(key);
        if (item->checkState() == Qt::Checked) m_checked << key;
        ShowProgress();
    });
    side->addWidget(m_seriesList, 1);
    auto* legend = new QLabel(
        QStringLiteral("点：1ゲーム\n線：直近%1ゲームの平均\n★：自己ベスト").arg(kMovingAverageGames));
    legend->setStyleSheet(QStringLiteral("color: #c8cdd8;"));
    side->addWidget(legend);
    row->addLayout(side);

    auto* right = new QVBoxLayout;
    auto* switches = new QHBoxLayout;
    auto* which = new QButtonGroup(this);
    switches->addWidget(Toggle(QStringLiteral("showSpeed"), QStringLiteral("速さと正確さ"), which, 0));
    switches->addWidget(
        Toggle(QStringLiteral("showTimes"), QStringLiteral("タイムトライアルのタイム"), which, 1));
    switches->addStretch(1);
    auto* replays = new QPushButton(QStringLiteral("記録の再生(&R)"));
    replays->setObjectName(QStringLiteral("cmdReplays"));
    replays->setToolTip(QStringLiteral("記録したタイムトライアル・レース・ボス戦をもう一度見る"));
    connect(replays, &QPushButton::clicked, this, &StatsWindow::ReplaysWanted);
    switches->addWidget(replays);
    which->button(0)->setChecked(true);
    right->addLayout(switches);

    m_progressCharts = new QStackedWidget;
    auto* speedPage = new QWidget;
    auto* speedLayout = new QVBoxLayout(speedPage);
    speedLayout->setContentsMargins(0, 0, 0, 0);
    m_speedChart = NewChartView(QStringLiteral("speedChart"));
    m_rateChart = NewChartView(QStringLiteral("rateChart"));
    speedLayout->addWidget(m_speedChart, 1);
    speedLayout->addWidget(m_rateChart, 1);
    m_progressCharts->addWidget(speedPage);

    m_timePages = new QStackedWidget;
    auto* timeHolder = new QWidget;
    auto* th = new QVBoxLayout(timeHolder);
    m_timeNote = NoteLabel();
    m_timeNote->setText(
        QStringLiteral("この期間にはタイムトライアルの記録がありません。\n"
                       "タイムトライアルを最後まで走ると、タイムと評価がここに並びます。"));
    th->addStretch(1);
    th->addLayout(Centred(m_timeNote));
    th->addStretch(2);
    m_timeChart = NewChartView(QStringLiteral("timeChart"));
    m_timePages->addWidget(timeHolder);
    m_timePages->addWidget(m_timeChart);
    m_progressCharts->addWidget(m_timePages);
    connect(which, &QButtonGroup::idClicked, this, [this](int page) {
        m_progressCharts->setCurrentIndex(page);
        ShowVisible();
    });
    right->addWidget(m_progressCharts, 1);
    row->addLayout(right, 1);

    m_progressPages = static_cast<QStackedWidget*>(Explained(content, &m_progressNote));
    return m_progressPages;
}

QWidget* StatsWindow::BuildWeakTab() {
    auto* content = new QWidget;
    auto* col = new QVBoxLayout(content);
    col->setContentsMargins(8, 8, 8, 8);
    auto* tables = new QHBoxLayout;
    auto* unitCol = new QVBoxLayout;
    m_unitTitle = new QLabel;
    m_unitTitle->setStyleSheet(QStringLiteral("color: #ffd740; font-weight: bold;"));
    unitCol->addWidget(m_unitTitle);
    m_unitTable = MakeTable(QStringLiteral("units"), {QStringLiteral("かな"), QStringLiteral("回数"),
                                                      QStringLiteral("ミス率"), QStringLiteral("平均時間")});
    unitCol->addWidget(m_unitTable);
    auto* keyCol = new QVBoxLayout;
    auto* keyTitle = new QLabel(QStringLiteral("苦手なキー（ミスの多い順）"));
    keyTitle->setStyleSheet(QStringLiteral("color: #ffd740; font-weight: bold;"));
    keyCol->addWidget(keyTitle);
    m_keyTable = MakeTable(QStringLiteral("keys"), {QStringLiteral("キー"), QStringLiteral("打鍵数"),
                                                    QStringLiteral("ミス率"), QStringLiteral("平均時間")});
    keyCol->addWidget(m_keyTable);
    tables->addLayout(unitCol, 1);
    tables->addLayout(keyCol, 1);
    col->addLayout(tables, 1);

    auto* controls = new QHBoxLayout;
    m_layoutGroup = new QButtonGroup(this);
    controls->addWidget(new QLabel(QStringLiteral("キーボード：")));
    controls->addWidget(Toggle(QStringLiteral("layoutJis"), QStringLiteral("JIS配列"), m_layoutGroup,
                               int(KeyboardLayout::JIS)));
    controls->addWidget(
        Toggle(QStringLiteral("layoutUs"), QStringLiteral("US配列"), m_layoutGroup, int(KeyboardLayout::US)));
    controls->addSpacing(16);
    m_colouringGroup = new QButtonGroup(this);
    controls->addWidget(new QLabel(QStringLiteral("色分け：")));
    controls->addWidget(Toggle(QStringLiteral("byMisses"), QStringLiteral("ミス率"), m_colouringGroup,
                               int(KeyColouring::MissRate)));
    controls->addWidget(Toggle(QStringLiteral("bySlowness"), QStringLiteral("遅さ"), m_colouringGroup,
                               int(KeyColouring::Slowness)));
    controls->addSpacing(16);
    auto* scale = new QLabel(
        QStringLiteral("<span style='color:%1'>■</span> 得意　<span style='color:%2'>■</span> ふつう　"
                       "<span style='color:%3'>■</span> 苦手　<span style='color:#464e64'>■</span> 記録なし")
            .arg(BadnessColor(0).name(), BadnessColor(0.5).name(), BadnessColor(1).name()));
    controls->addWidget(scale);
    controls->addStretch(1);
    m_layoutGroup->button(int(KeyboardLayout::JIS))->setChecked(true);
    m_colouringGroup->button(int(KeyColouring::MissRate))->setChecked(true);
    connect(m_layoutGroup, &QButtonGroup::idClicked, this, [this](int id) {
        m_keyboard->SetLayout(KeyboardLayout(id));
        const QString value = id == int(KeyboardLayout::US) ? QStringLiteral("us") : QStringLiteral("jis");
        m_data.keyboardLayout = value;
        SaveSetting(m_path, kKeyboardSetting, value);
    });
    connect(m_colouringGroup, &QButtonGroup::idClicked, this,
            [this](int id) { m_keyboard->SetColouring(KeyColouring(id)); });
    col->addLayout(controls);
    m_keyboard = new KeyboardView;
    m_keyboard->setMinimumHeight(190);
    col->addWidget(m_keyboard, 1);

    m_weakPages = static_cast<QStackedWidget*>(Explained(content, &m_weakNote));
    return m_weakPages;
}

QWidget* StatsWindow::BuildMixUpTab() {
    auto* content = new QWidget;
    auto* col = new QVBoxLayout(content);
    col->setContentsMargins(8, 8, 8, 8);
    m_mixHeadline = new QLabel;
    m_mixHeadline->setObjectName(QStringLiteral("mixHeadline"));
    m_mixHeadline->setWordWrap(true);
    m_mixHeadline->setStyleSheet(
        QStringLiteral("font-size: 16px; color: #ffffff; background: rgba(0,0,0,120); "
                       "border-radius: 6px; padding: 8px;"));
    col->addWidget(m_mixHeadline);
    m_mixTable = MakeTable(QStringLiteral("mixups"), {QStringLiteral("かな"), QStringLiteral("正しいキー"),
                                                      QStringLiteral("打ったキー"), QStringLiteral("回数"),
                                                      QStringLiteral("指（正しい → 打った）")});
    for (int c = 0; c < 4; ++c) m_mixTable->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Fixed);
    m_mixTable->setColumnWidth(0, 110);
    m_mixTable->setColumnWidth(1, 120);
    m_mixTable->setColumnWidth(2, 120);
    m_mixTable->setColumnWidth(3, 110);
    m_mixTable->horizontalHeader()->setSectionResizeMode(4, QHeaderView::Stretch);
    col->addWidget(m_mixTable, 1);
    m_mixPages = static_cast<QStackedWidget*>(Explained(content, &m_mixNote));
    return m_mixPages;
}

QWidget* StatsWindow::BuildPairTab() {
    auto* content = new QWidget;
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(8, 8, 8, 8);
    m_pairChart = NewChartView(QStringLiteral("pairChart"));
    row->addWidget(m_pairChart, 3);
    m_pairTable = MakeTable(QStringLiteral("pairs"), {QStringLiteral("キーの並び"),
                                                      QStringLiteral("平均時間"), QStringLiteral("回数")});
    row->addWidget(m_pairTable, 2);
    m_pairPages = static_cast<QStackedWidget*>(Explained(content, &m_pairNote));
    return m_pairPages;
}

void StatsWindow::SetRangeDays(int days) {
    if (QAbstractButton* b = m_range->button(days)) b->setChecked(true);
    if (days == m_days) return;
    m_days = days;
    Reload();
}

void StatsWindow::SetAlphabet(Alphabet a) {
    m_alpha->button(int(a))->setChecked(true);
    if (a == m_alphabet) return;
    m_alphabet = a;
    m_dirty |= kWeakView | kMixUpView | kPairView;
    if (m_loaded) ShowKeyPages();
    ShowVisible();
}

// Only what the player sees is drawn; the other tabs are filled when they are opened, so the
// window opens (and a range button answers) at the cost of one tab, not four.
void StatsWindow::ShowVisible() {
    if (!m_loaded) return;
    int view = 0;
    switch (m_tabs->currentIndex()) {
        case kProgress:
            view = m_progressCharts->currentIndex() == 0 ? kProgressView : kTimeView;
            break;
        case kWeak:
            view = kWeakView;
            break;
        case kMixUps:
            view = kMixUpView;
            break;
        default:
            view = kPairView;
            break;
    }
    if (!(m_dirty & view)) return;
    m_dirty &= ~view;
    switch (view) {
        case kProgressView:
            ShowProgress();
            break;
        case kTimeView:
            ShowTimeTrials();
            break;
        case kWeakView:
            ShowWeak();
            break;
        case kMixUpView:
            ShowMixUps();
            break;
        default:
            ShowPairs();
            break;
    }
}

void StatsWindow::Reload() {
    Filter f = LastDays(m_days, m_nowMs);
    f.includeAbandoned = m_abandoned->isChecked();
    const int generation = ++m_generation;
    m_status->setText(QStringLiteral("記録を集計しています…"));
    if (m_loading == Loading::Now) {
        Show(LoadSnapshot(m_path, f));
        return;
    }
    // The record is read on a worker thread; a newer request makes an older answer moot.
    QPointer<StatsWindow> self(this);
    const QString path = m_path;
    auto cancel = std::make_shared<std::atomic_bool>(false);
    QThread* worker = QThread::create([self, path, f, generation, cancel] {
        Snapshot s = LoadSnapshot(path, f, cancel.get());
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, generation, s = std::move(s)]() mutable {
                if (self && generation == self->m_generation) self->Show(std::move(s));
            },
            Qt::QueuedConnection);
    });
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    // A first summary of a big record can take a while; the program does not wait for it
    // when it ends (the work is rolled back and done again next time).
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, worker, [worker, cancel] {
        *cancel = true;
        worker->wait(3000);
    });
    worker->start();
}

void StatsWindow::Show(Snapshot data) {
    m_data = std::move(data);
    m_loaded = true;
    const bool hasGames = !m_data.progress.isEmpty();
    QString why = EmptyRecordText();
    if (!m_data.error.isEmpty())
        why = QStringLiteral("記録を読めませんでした。ゲームはこれまでどおり遊べます。\n\n") + m_data.error;
    else if (m_data.exists && m_days > 0)
        why =
            QStringLiteral(
                "この期間（%1日）には記録がありません。\n「すべて」を押すと、これまでの記録が表示されます。")
                .arg(m_days);
    m_why = why;
    m_progressNote->setText(why);
    m_progressPages->setCurrentIndex(hasGames ? 1 : 0);
    ShowKeyPages();

    const QSignalBlocker block(m_layoutGroup);
    const auto layout =
        m_data.keyboardLayout == QLatin1String("us") ? KeyboardLayout::US : KeyboardLayout::JIS;
    m_layoutGroup->button(int(layout))->setChecked(true);
    m_keyboard->SetLayout(layout);

    m_dirty = kAllViews;
    ShowVisible();
    ShowStatus();
    emit Loaded();
}

// The key tabs show their figures, or why there are none for this alphabet and range.
void StatsWindow::ShowKeyPages() {
    const bool hasKeys = !m_data.keys[int(m_alphabet)].isEmpty();
    QString why = m_why;
    if (m_data.exists && m_data.error.isEmpty() && m_data.overview.keys > 0)
        why = m_alphabet == Alphabet::English ? QStringLiteral(
                                                    "この期間には英単語の記録がありません。\n「かな」を押すと"
                                                    "、慣用句の記録が表示されます。")
                                              : QStringLiteral(
                                                    "この期間には慣用句（かな）の記録がありません。\n「英字」"
                                                    "を押すと、英単語の記録が表示されます。");
    for (QLabel* note : {m_weakNote, m_mixNote, m_pairNote}) note->setText(why);
    for (QStackedWidget* page : {m_weakPages, m_mixPages, m_pairPages})
        page->setCurrentIndex(hasKeys ? 1 : 0);
}

QVector<SeriesKey> StatsWindow::ChosenSeries() const {
    // Until the player picks, the two kinds of game played most: more would crowd the chart.
    if (!m_seriesChosen) return m_data.series.mid(0, 2);
    QVector<SeriesKey> out;
    for (const SeriesKey& k : m_data.series)
        if (m_checked.contains(k)) out << k;
    return out;
}

void StatsWindow::ShowProgress() {
    {
        const QSignalBlocker block(m_seriesList);
        m_seriesList->clear();
        const QVector<SeriesKey> chosen = ChosenSeries();
        int colour = 0;
        for (const ProgressSeries& s : m_data.progress) {
            auto* item = new QListWidgetItem(QStringLiteral("%1・%2（%3）")
                                                 .arg(ModeName(s.key.mode), GenreName(s.key.genre))
                                                 .arg(s.games.size()));
            item->setData(Qt::UserRole, QStringLiteral("%1\t%2").arg(s.key.mode).arg(s.key.genre));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(chosen.contains(s.key) ? Qt::Checked : Qt::Unchecked);
            // The list is the legend: each kind of game in the colour of its line.
            QPixmap swatch(24, 24);
            swatch.setDevicePixelRatio(2);
            swatch.fill(Qt::transparent);
            {
                QPainter p(&swatch);
                p.setRenderHint(QPainter::Antialiasing);
                p.setBrush(SeriesColor(colour++));
                p.setPen(Qt::NoPen);
                p.drawRoundedRect(QRectF(1, 1, 10, 10), 2, 2);
            }
            item->setIcon(QIcon(swatch));
            m_seriesList->addItem(item);
        }
    }
    const QVector<SeriesKey> chosen = ChosenSeries();
    qint64 from = 0, to = 0;
    for (const ProgressSeries& s : m_data.progress) {
        if (s.games.isEmpty() || !chosen.contains(s.key)) continue;
        from = from ? std::min(from, s.games.first().startedAt) : s.games.first().startedAt;
        to = std::max(to, s.games.last().startedAt);
    }

    auto fill = [&](QChartView* view, const QString& title, const QString& axisTitle, bool rate) {
        QChart* chart = NewChart(title);
        double top = 1.0;
        double bottom = rate ? 100.0 : 0.0;
        int colour = 0;
        for (const ProgressSeries& s : m_data.progress) {
            const QColor c = SeriesColor(colour++);
            if (!chosen.contains(s.key) || s.games.isEmpty()) continue;
            auto* points = new QScatterSeries;
            points->setMarkerSize(5);
            QColor faint = c;
            faint.setAlpha(110);
            points->setColor(faint);
            points->setBorderColor(Qt::transparent);
            auto* average = new QLineSeries;
            average->setName(QStringLiteral("%1・%2").arg(ModeName(s.key.mode), GenreName(s.key.genre)));
            average->setPen(QPen(c, 2.5));
            auto* best = new QScatterSeries;
            best->setMarkerShape(QScatterSeries::MarkerShapeStar);
            best->setMarkerSize(16);
            best->setColor(kYellow);
            best->setBorderColor(kBlack);

            auto value = [rate](const GamePoint& g) { return rate ? g.correctRate * 100 : g.keysPerSec; };
            auto moving = [rate](const GamePoint& g) {
                return rate ? g.movingCorrectRate * 100 : g.movingKeysPerSec;
            };
            const QList<QPointF> pts = Thinned(s.games, value, from, to);
            points->append(pts);
            average->append(Thinned(s.games, moving, from, to));
            for (const QPointF& p : pts) {
                top = std::max(top, p.y());
                bottom = std::min(bottom, p.y());
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
        auto* x = TimeAxis(from, to);
        auto* y = new QValueAxis;
        if (rate) {
            const double low = std::max(0.0, std::floor(bottom / 10) * 10 - 10);
            y->setRange(low, 100);
            y->setTickCount(int((100 - low) / 10) + 1);
        } else {
            y->setRange(0, std::ceil(top + 0.5));
            y->applyNiceNumbers();
        }
        y->setLabelFormat(rate ? QStringLiteral("%.0f%%") : QStringLiteral("%.1f"));
        StyleAxis(y, axisTitle);
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        for (QAbstractSeries* s : chart->series()) {
            s->attachAxis(x);
            s->attachAxis(y);
        }
        chart->legend()->setVisible(false);
        QChart* old = view->chart();
        view->setChart(chart);
        delete old;
    };
    fill(m_speedChart, QStringLiteral("速さ（1秒あたりの正しい打鍵）"), QStringLiteral("打/秒"), false);
    fill(m_rateChart, QStringLiteral("正確さ（正しい打鍵の割合）"), QStringLiteral("正答率"), true);
}

void StatsWindow::ShowTimeTrials() {
    const auto& runs = m_data.timeTrials;
    m_timePages->setCurrentIndex(runs.isEmpty() ? 0 : 1);
    QChart* chart = NewChart(QStringLiteral("タイムトライアルのタイム（低いほど速い）"));
    if (!runs.isEmpty()) {
        const qint64 from = runs.first().startedAt, to = runs.last().startedAt;
        double slowest = 0;
        for (const TimeTrialPoint& r : runs) slowest = std::max(slowest, r.timeMs / 1000.0);
        const double top = std::ceil(slowest / 10 + 0.5) * 10;
        auto* x = TimeAxis(from, to);
        const double x0 = x->min().toMSecsSinceEpoch(), x1 = x->max().toMSecsSinceEpoch();
        // The letter grades as bands behind the times: S under 12 s, the As to 18 s, ...
        struct Band {
            double from, to;
            const char* name;
        };
        const Band bands[] = {{0, 12, "S"},  {12, 18, "A"}, {18, 27, "B"},  {27, 43, "C"},
                              {43, 64, "D"}, {64, 94, "E"}, {94, 133, "F"}, {133, 600, "G"}};
        auto* y = new QValueAxis;
        y->setRange(0, top);
        y->setLabelFormat(QStringLiteral("%.0f"));
        StyleAxis(y, QStringLiteral("秒"));
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        for (int i = 0; i < int(std::size(bands)); ++i) {
            const Band& b = bands[i];
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
        QHash<QString, QScatterSeries*> byGenre;
        QHash<QString, QVector<GamePoint>> times;  // per genre, as points to thin like the games
        auto* best = new QScatterSeries;
        best->setName(QStringLiteral("自己ベスト"));
        best->setMarkerShape(QScatterSeries::MarkerShapeStar);
        best->setMarkerSize(16);
        best->setColor(kYellow);
        best->setBorderColor(kBlack);
        int colour = 0;
        for (const TimeTrialPoint& r : runs) {
            QScatterSeries*& s = byGenre[r.genre];
            if (!s) {
                s = new QScatterSeries;
                s->setName(GenreName(r.genre));
                s->setMarkerSize(7);
                s->setColor(kSeriesColors[colour++ % std::size(kSeriesColors)]);
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
                times[it.key()], [](const GamePoint& p) { return p.keysPerSec; }, from, to));
        for (QScatterSeries* s : byGenre) chart->addSeries(s);
        chart->addSeries(best);
        // The grades are named on the right-hand axis, beside their bands.
        auto* grades = new QCategoryAxis;
        grades->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
        grades->setRange(0, top);
        for (const Band& b : bands) {
            if (b.from >= top) break;
            grades->append(QString::fromLatin1(b.name), std::min(b.to, top));
        }
        StyleAxis(grades, QStringLiteral("評価"));
        grades->setGridLineVisible(false);
        chart->addAxis(grades, Qt::AlignRight);
        for (QAbstractSeries* s : chart->series()) {
            s->attachAxis(x);
            s->attachAxis(y);
        }
        for (QLegendMarker* m : chart->legend()->markers())
            m->setVisible(qobject_cast<QAreaSeries*>(m->series()) == nullptr);
        chart->legend()->setAlignment(Qt::AlignBottom);
    }
    QChart* old = m_timeChart->chart();
    m_timeChart->setChart(chart);
    delete old;
}

void StatsWindow::ShowWeak() {
    const int a = int(m_alphabet);
    const bool english = m_alphabet == Alphabet::English;
    m_unitTitle->setText(english ? QStringLiteral("苦手な文字（ミスの多い順）")
                                 : QStringLiteral("苦手なかな（ミスの多い順）"));
    m_unitTable->horizontalHeaderItem(0)->setText(english ? QStringLiteral("文字") : QStringLiteral("かな"));
    const auto& units = m_data.units[a];
    m_unitTable->setRowCount(int(units.size()));
    for (int i = 0; i < units.size(); ++i) {
        const UnitStat& u = units[i];
        SetRow(m_unitTable, i,
               {u.name + (u.uncertain ? QStringLiteral("（参考）") : QString()), QString::number(u.attempts),
                Percent(u.missRate), Millis(u.avgMs)},
               u.uncertain);
    }
    const auto& keys = m_data.keys[a];
    m_keyTable->setRowCount(int(keys.size()));
    for (int i = 0; i < keys.size(); ++i) {
        const UnitStat& k = keys[i];
        SetRow(m_keyTable, i,
               {k.name.toUpper() + (k.uncertain ? QStringLiteral("（参考）") : QString()),
                QString::number(k.attempts), Percent(k.missRate), Millis(k.avgMs)},
               k.uncertain);
    }
    m_keyboard->SetKeys(keys);
}

void StatsWindow::ShowMixUps() {
    const auto& mix = m_data.mixups[int(m_alphabet)];
    m_mixTable->setRowCount(int(mix.size()));
    for (int i = 0; i < mix.size(); ++i) {
        const MixUp& m = mix[i];
        const QString from = FingerOf(m.expectedKey), to = FingerOf(m.typed);
        const QString fingers = from.isEmpty() || to.isEmpty() ? QString()
                                : from == to                   ? from + QStringLiteral("（同じ指）")
                                                               : from + QStringLiteral(" → ") + to;
        SetRow(m_mixTable, i,
               {m.unit, m.expectedKey.toUpper(), m.typed.toUpper(), QStringLiteral("%1回").arg(m.count),
                fingers},
               false, QStringLiteral("lcccl"));
    }
    if (mix.isEmpty()) {
        m_mixHeadline->setText(QStringLiteral("この期間には打ち間違いがありません。"));
    } else {
        const MixUp& m = mix.first();
        m_mixHeadline->setText(QStringLiteral("いちばん多い打ち間違い　「%1」：%2 のところで %3 — %4回")
                                   .arg(m.unit, m.expectedKey.toUpper(), m.typed.toUpper())
                                   .arg(m.count));
    }
}

void StatsWindow::ShowPairs() {
    const auto& pairs = m_data.pairs[int(m_alphabet)];
    m_pairTable->setRowCount(int(pairs.size()));
    for (int i = 0; i < pairs.size(); ++i) {
        const KeyPair& p = pairs[i];
        SetRow(m_pairTable, i,
               {p.first.toUpper() + QStringLiteral(" → ") + p.second.toUpper() +
                    (p.uncertain ? QStringLiteral("（参考）") : QString()),
                Millis(p.avgMs), QStringLiteral("%1回").arg(p.count)},
               p.uncertain);
    }
    // The slowest sure pairs as bars, slowest on top.
    QChart* chart = NewChart(QStringLiteral("続けて打つと遅いキー（平均時間）"));
    auto* set = new QBarSet(QStringLiteral("平均時間"));
    set->setColor(QColor(255, 140, 60));
    set->setBorderColor(Qt::transparent);
    set->setLabelColor(kText);
    QStringList names;
    for (const KeyPair& p : pairs) {
        if (p.uncertain || names.size() >= 12) break;
        names.prepend(p.first.toUpper() + QStringLiteral("→") + p.second.toUpper());
        set->insert(0, p.avgMs);
    }
    if (!names.isEmpty()) {
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
        StyleAxis(x, QStringLiteral("ミリ秒"));
        chart->addAxis(y, Qt::AlignLeft);
        chart->addAxis(x, Qt::AlignBottom);
        series->attachAxis(x);
        series->attachAxis(y);
        chart->legend()->setVisible(false);
    } else {
        delete set;
    }
    QChart* old = m_pairChart->chart();
    m_pairChart->setChart(chart);
    delete old;
}

void StatsWindow::ShowStatus() {
    const Overview& o = m_data.overview;
    if (!m_data.error.isEmpty()) {
        m_status->setText(QStringLiteral("記録を読めませんでした：") + m_data.error);
        return;
    }
    if (o.games == 0) {
        m_status->setText(m_data.exists ? QStringLiteral("この期間の記録：なし")
                                        : QStringLiteral("記録：まだありません"));
        return;
    }
    const auto day = [](qint64 ms) {
        return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("yyyy/MM/dd"));
    };
    m_status->setText(
        QStringLiteral("%1〜%2　%3ゲーム・%4打鍵　灰色の数字は%5回未満の参考値です。Esc で閉じます。")
            .arg(day(o.firstAt), day(o.lastAt))
            .arg(o.games)
            .arg(o.keys)
            .arg(kCertainAttempts));
}

void StatsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void StatsWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient grad(0, 0, 0, height());
    grad.setColorAt(0, kNightBlue);
    grad.setColorAt(1, QColor(8, 70, 48));
    p.fillRect(rect(), grad);
}

}  // namespace kd::stats
