#include "classui/ClassViewWindow.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTimeAxis>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "classroom/ClassCsv.h"
#include "classroom/ClassTask.h"
#include "platform/widgets/CenterOnScreen.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/MessageBoxes.h"
#include "stats/ClassTab.h"
#include "stats/KeyboardView.h"
#include "stats/StatsLook.h"

namespace kd {

namespace {

// Figures on fewer attempts are shown as uncertain, as in the player's own statistics.
constexpr qint64 kCertain = 20;

QVector<stats::UnitStat> Stats(const QMap<QString, KeyTally>& tallies) {
    QVector<stats::UnitStat> out;
    for (auto it = tallies.cbegin(); it != tallies.cend(); ++it) {
        stats::UnitStat s;
        s.name = it.key();
        s.attempts = it->hits + it->misses;
        s.misses = it->misses;
        s.missRate = s.attempts ? double(s.misses) / double(s.attempts) : 0;
        s.uncertain = s.attempts < kCertain;
        out.append(s);
    }
    std::sort(out.begin(), out.end(), [](const stats::UnitStat& a, const stats::UnitStat& b) {
        if (a.uncertain != b.uncertain) return !a.uncertain;
        return a.missRate > b.missRate;
    });
    return out;
}

QString Seconds(int ms) {
    return ms > 0 ? QCoreApplication::translate("ClassViewWindow", "%1 秒").arg(ms / 1000.0, 0, 'f', 1)
                  : QStringLiteral("—");
}

}  // namespace

CsvFileChooser& ClassCsvChooser() {
    static CsvFileChooser chooser = [](QWidget* parent) {
        return QFileDialog::getSaveFileName(
            parent, QCoreApplication::translate("ClassViewWindow", "クラスの成績の書き出し"),
            QStringLiteral("class.csv"), QCoreApplication::translate("ClassViewWindow", "CSV (*.csv)"));
    };
    return chooser;
}

ClassViewWindow::ClassViewWindow(const TeacherLogin& login, const ClassView& view, MessageBoxes& msg,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window), login_(login), msg_(msg) {
    setObjectName(QStringLiteral("ClassViewWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QCoreApplication::translate("ClassViewWindow", "クラスの成績 — %1")
                       .arg(NormalizeCode(login.classCode)));
    setStyleSheet(stats::WindowStyle());
    ResizeToFitScreen(this, QSize(980, 700));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* title = new QLabel(QCoreApplication::translate("ClassViewWindow", "クラスの成績"));
    title->setStyleSheet(
        QStringLiteral("color: #ffd740; font-size: 30px; font-weight: bold; font-style: italic;"));
    top->addWidget(title);
    auto* who = new QLabel(QStringLiteral("%1  /  %2").arg(NormalizeCode(login.classCode), login.name));
    who->setObjectName(QStringLiteral("classCode"));
    who->setStyleSheet(
        QStringLiteral("color: #ffffff; font-size: 18px; font-weight: bold; padding-top: 8px;"));
    top->addWidget(who);
    top->addStretch(1);
    auto* reload = new QPushButton(QCoreApplication::translate("ClassViewWindow", "更新"));
    reload->setObjectName(QStringLiteral("reloadButton"));
    auto* exportCsv = new QPushButton(QCoreApplication::translate("ClassViewWindow", "CSV書き出し"));
    exportCsv->setObjectName(QStringLiteral("exportButton"));
    top->addWidget(reload);
    top->addWidget(exportCsv);
    layout->addLayout(top);
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("tabs"));
    tabs_->addTab(BuildStudentsPage(), QCoreApplication::translate("ClassViewWindow", "生徒"));
    tabs_->addTab(BuildWeakKeysPage(), QCoreApplication::translate("ClassViewWindow", "苦手なキー"));
    tabs_->addTab(BuildRankingPage(), QCoreApplication::translate("ClassViewWindow", "ランキング"));
    layout->addWidget(tabs_, 1);
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("status"));
    status_->setStyleSheet(QStringLiteral("color: #c8cdd8; font-size: 12px;"));
    layout->addWidget(status_);
    connect(reload, &QPushButton::clicked, this, &ClassViewWindow::Reload);
    connect(exportCsv, &QPushButton::clicked, this, &ClassViewWindow::ExportCsv);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == kRanking && ranking_->rowCount() == 0) RefreshRanking();
    });
    Show(view);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

QWidget* ClassViewWindow::BuildStudentsPage() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    students_ = stats::MakeTable(QStringLiteral("students"),
                                 {QCoreApplication::translate("ClassViewWindow", "名前"),
                                  QCoreApplication::translate("ClassViewWindow", "ゲーム数"),
                                  QCoreApplication::translate("ClassViewWindow", "最高（打/秒）"),
                                  QCoreApplication::translate("ClassViewWindow", "タイムトライアル"),
                                  QCoreApplication::translate("ClassViewWindow", "最後に遊んだ日")});
    students_->setAccessibleName(QCoreApplication::translate("ClassViewWindow", "生徒"));
    students_->setSelectionMode(QAbstractItemView::SingleSelection);
    students_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    students_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    left->addWidget(students_, 1);
    remove_ = new QPushButton(QCoreApplication::translate("ClassViewWindow", "生徒を削除"));
    remove_->setObjectName(QStringLiteral("removeButton"));
    left->addWidget(remove_, 0, Qt::AlignLeft);
    layout->addLayout(left, 3);
    progress_ = stats::NewChartView(QStringLiteral("progressChart"));
    progress_->setAccessibleName(QCoreApplication::translate("ClassViewWindow", "上達のグラフ"));
    layout->addWidget(progress_, 2);
    connect(students_, &QTableWidget::currentCellChanged, this, [this](int row) { ShowProgress(row); });
    connect(remove_, &QPushButton::clicked, this, &ClassViewWindow::RemoveSelectedStudent);
    return page;
}

QWidget* ClassViewWindow::BuildWeakKeysPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        stats::TitleLabel(QCoreApplication::translate("ClassViewWindow", "クラス全体のミスの多いキー")));
    keyboard_ = new stats::KeyboardView;
    keyboard_->setObjectName(QStringLiteral("classKeyboard"));
    keyboard_->setAccessibleName(QCoreApplication::translate("ClassViewWindow", "クラスのキーボード"));
    layout->addWidget(keyboard_, 2);
    layout->addWidget(stats::TitleLabel(QCoreApplication::translate("ClassViewWindow", "ミスの多いかな")));
    weakKana_ = stats::MakeTable(QStringLiteral("weakKana"),
                                 {QCoreApplication::translate("ClassViewWindow", "かな"),
                                  QCoreApplication::translate("ClassViewWindow", "打った数"),
                                  QCoreApplication::translate("ClassViewWindow", "ミス"),
                                  QCoreApplication::translate("ClassViewWindow", "ミス率")});
    weakKana_->setAccessibleName(QCoreApplication::translate("ClassViewWindow", "ミスの多いかな"));
    layout->addWidget(weakKana_, 2);
    return page;
}

QWidget* ClassViewWindow::BuildRankingPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    stats::AddRankingChoosers(page, row, rankingMode_, rankingGenre_);
    layout->addLayout(row);
    ranking_ = stats::MakeRankingTable();
    layout->addWidget(ranking_, 1);
    connect(rankingMode_, &QComboBox::currentIndexChanged, this, &ClassViewWindow::RefreshRanking);
    connect(rankingGenre_, &QComboBox::currentIndexChanged, this, &ClassViewWindow::RefreshRanking);
    return page;
}

void ClassViewWindow::Show(const ClassView& view) {
    view_ = view;
    students_->setRowCount(int(view.students.size()));
    int games = 0;
    for (int i = 0; i < view.students.size(); ++i) {
        const StudentSummary& s = view.students[i];
        games += s.games;
        stats::SetRow(
            students_, i,
            {s.name, QString::number(s.games),
             s.bestKps > 0 ? QString::number(s.bestKps, 'f', 2) : QStringLiteral("—"), Seconds(s.bestTimeMs),
             s.lastPlayed.isValid() ? s.lastPlayed.toLocalTime().toString(QStringLiteral("yyyy/MM/dd"))
                                    : QStringLiteral("—")},
            false, QStringLiteral("lrrrr"));
    }
    keyboard_->SetKeys(Stats(view.keys));
    const QVector<stats::UnitStat> kana = Stats(view.kana);
    weakKana_->setRowCount(int(std::min<qsizetype>(kana.size(), 30)));
    for (int i = 0; i < weakKana_->rowCount(); ++i)
        stats::SetRow(weakKana_, i,
                      {kana[i].name, QString::number(kana[i].attempts), QString::number(kana[i].misses),
                       stats::Percent(kana[i].missRate)},
                      kana[i].uncertain);
    remove_->setEnabled(!view.students.isEmpty());
    if (!view.students.isEmpty()) students_->selectRow(0);
    ShowProgress(view.students.isEmpty() ? -1 : 0);
    Tell(QCoreApplication::translate("ClassViewWindow", "生徒 %1 人、ゲーム %2 回")
             .arg(view.students.size())
             .arg(games));
    ranking_->setRowCount(0);
    if (tabs_->currentIndex() == kRanking) RefreshRanking();
}

void ClassViewWindow::ShowProgress(int row) {
    QChart* chart =
        stats::NewChart(row >= 0 && row < view_.students.size()
                            ? QCoreApplication::translate("ClassViewWindow", "%1 さんの上達（打/秒）")
                                  .arg(view_.students[row].name)
                            : QCoreApplication::translate("ClassViewWindow", "上達（打/秒）"));
    if (row >= 0 && row < view_.students.size()) {
        auto* series = new QLineSeries;
        series->setPointsVisible(true);
        series->setColor(kGold);
        double top = 1;
        int n = 0;
        for (const StudentGame& g : view_.students[row].history) {
            if (g.abandoned) continue;
            series->append(++n, g.kps);
            top = std::max(top, g.kps);
        }
        chart->addSeries(series);
        auto* x = new QValueAxis;
        x->setTitleText(QCoreApplication::translate("ClassViewWindow", "ゲーム"));
        x->setLabelFormat(QStringLiteral("%d"));
        x->setRange(1, std::max(2, n));
        // Whole games only, about five labels.
        x->setTickType(QValueAxis::TicksDynamic);
        x->setTickAnchor(1);
        x->setTickInterval(std::max(1, (n + 4) / 5));
        auto* y = new QValueAxis;
        y->setRange(0, top * 1.1);
        for (QValueAxis* a : {x, y}) {
            a->setLabelsColor(stats::kStatsText);
            a->setTitleBrush(stats::kStatsText);
            a->setGridLineColor(QColor(255, 255, 255, 40));
        }
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        series->attachAxis(x);
        series->attachAxis(y);
    }
    chart->legend()->hide();
    QChart* old = progress_->chart();
    progress_->setChart(chart);
    delete old;
}

void ClassViewWindow::SelectStudent(int row) {
    students_->selectRow(row);
    ShowProgress(row);
}

void ClassViewWindow::Tell(const QString& text) {
    status_->setText(text);
}

bool ClassViewWindow::ExportCsv() {
    const QString path = ClassCsvChooser()(this);
    if (path.isEmpty()) return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || !WriteClassCsv(view_, f) || !f.commit()) {
        msg_.Show(this, windowTitle(),
                  QCoreApplication::translate("ClassViewWindow", "書き出せませんでした。\n%1").arg(path),
                  MsgButtons::OK);
        return false;
    }
    Tell(QCoreApplication::translate("ClassViewWindow", "書き出しました: %1").arg(path));
    return true;
}

void ClassViewWindow::RemoveSelectedStudent() {
    const int row = students_->currentRow();
    if (row < 0 || row >= view_.students.size()) return;
    const StudentSummary s = view_.students[row];
    const QString question =
        QCoreApplication::translate(
            "ClassViewWindow",
            "%1 さんをクラスから削除しますか？\n%2 回分のゲームの記録もサーバーから消え、元に戻せません。")
            .arg(s.name)
            .arg(s.games);
    if (msg_.Show(this, windowTitle(), question, MsgButtons::YesNo) != MsgAnswer::Yes) return;
    RunOnServer(this, login_.server,
                [login = login_, id = s.id, this](ClassServer& server) -> std::function<void()> {
                    const bool removed = server.RemoveStudent(login, id);
                    auto view = removed ? server.LoadClassView(login) : std::nullopt;
                    return [this, removed, view, error = server.Error()] {
                        if (view) Show(*view);
                        Tell(removed ? QCoreApplication::translate("ClassViewWindow", "削除しました。")
                                     : error.Message());
                        emit Updated();
                    };
                });
}

void ClassViewWindow::Reload() {
    Tell(QCoreApplication::translate("ClassViewWindow", "サーバーに問い合わせています…"));
    RunOnServer(this, login_.server, [login = login_, this](ClassServer& server) -> std::function<void()> {
        auto view = server.LoadClassView(login);
        return [this, view, error = server.Error()] {
            if (view)
                Show(*view);
            else
                Tell(error.Message());
            emit Updated();
        };
    });
}

void ClassViewWindow::RefreshRanking() {
    const stats::RankingChoice asked = stats::ChosenRanking(rankingMode_, rankingGenre_);
    RunOnServer(this, login_.server,
                [login = login_, asked, this](ClassServer& server) -> std::function<void()> {
                    auto rows = server.TeacherRanking(login, asked.mode, asked.genre);
                    return [this, rows, asked, error = server.Error()] {
                        if (rows)
                            stats::FillRanking(ranking_, *rows, asked.mode);
                        else
                            Tell(error.Message());
                        emit Updated();
                    };
                });
}

void ClassViewWindow::paintEvent(QPaintEvent*) {
    stats::PaintWindowBackground(this);
}

}  // namespace kd
