#include "stats/StatsWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QVBoxLayout>
#include <memory>

#include "platform/widgets/CenterOnScreen.h"
#include "platform/widgets/Colors.h"
#include "stats/ClassTab.h"
#include "stats/KeyPairsTab.h"
#include "stats/MixUpsTab.h"
#include "stats/ProgressTab.h"
#include "stats/StatsLook.h"
#include "stats/WeakSpotsTab.h"

namespace kd::stats {

namespace {

QString EmptyRecordText() {
    return QCoreApplication::translate(
        "StatsWindow",
        "まだ記録がありません。\n\n"
        "練習・タイムトライアル・キーダービーを遊ぶと、打ったキーが一つずつ記録され、ここに表示されます。\n\n"
        "・推移：ゲームごとの速さ（1秒あたりの正しい打鍵）と正確さの移り変わり\n"
        "・苦手：ミスの多いかなやキー、時間のかかるキー\n"
        "・打ち間違い：どのキーのところで、どのキーを打ってしまったか\n"
        "・連続キー：続けて打つと遅くなるキーの並び\n\n"
        "まずは一度遊んでみてください。20回未満の数字は、まだ参考の値として灰色で表示されます。");
}

}  // namespace

StatsWindow::StatsWindow(const QString& playerName, const QString& databasePath, Loading loading,
                         QWidget* parent)
    : QWidget(parent, Qt::Window), m_path(databasePath), m_player(playerName), m_loading(loading) {
    setObjectName(QStringLiteral("StatsWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QCoreApplication::translate("StatsWindow", "成績 — ") + playerName);
    setStyleSheet(WindowStyle());
    // Narrower, the top row's texts are cut in English; at 200 % it spans a 1920 × 1200 screen.
    setMinimumSize(960, 560);
    ResizeToFitScreen(this, QSize(980, 700));
    m_nowMs = QDateTime::currentMSecsSinceEpoch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 10, 14, 10);
    layout->setSpacing(8);
    layout->addLayout(BuildFilters());
    BuildTabs();
    layout->addWidget(m_tabs, 1);

    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setStyleSheet(QStringLiteral("color: #c8cdd8; font-size: 12px;"));
    layout->addWidget(m_status);

    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int tab) {
        for (QAbstractButton* b : m_alphabetGroup->buttons())
            b->setEnabled(tab != kProgress && tab != kClass);
        ShowVisible();
    });
    m_tabs->setCurrentIndex(kProgress);
    for (QAbstractButton* b : m_alphabetGroup->buttons()) b->setEnabled(false);
    CenterOnScreen(this);
    Reload();
}

StatsWindow::~StatsWindow() = default;

QHBoxLayout* StatsWindow::BuildFilters() {
    auto* top = new QHBoxLayout;
    auto* title = new QLabel(QCoreApplication::translate("StatsWindow", "成績"));
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

    m_alphabetGroup = new QButtonGroup(this);
    top->addWidget(new QLabel(QCoreApplication::translate("StatsWindow", "文字：")));
    top->addWidget(Toggle(QStringLiteral("kana"), QCoreApplication::translate("StatsWindow", "かな"),
                          m_alphabetGroup, int(Alphabet::Kana)));
    top->addWidget(Toggle(QStringLiteral("english"), QCoreApplication::translate("StatsWindow", "英字"),
                          m_alphabetGroup, int(Alphabet::English)));
    // Only a record with games typed by kana keys offers their figures.
    QAbstractButton* kanaKeys =
        Toggle(QStringLiteral("kanaKeys"), QCoreApplication::translate("StatsWindow", "かな入力"),
               m_alphabetGroup, int(Alphabet::KanaKeys));
    kanaKeys->setVisible(false);
    top->addWidget(kanaKeys);
    m_alphabetGroup->button(int(Alphabet::Kana))->setChecked(true);
    OnChosen(m_alphabetGroup, this, [this](int id) { SetAlphabet(Alphabet(id)); });
    top->addSpacing(16);

    m_rangeGroup = new QButtonGroup(this);
    top->addWidget(new QLabel(QCoreApplication::translate("StatsWindow", "期間：")));
    top->addWidget(
        Toggle(QStringLiteral("range7"), QCoreApplication::translate("StatsWindow", "7日"), m_rangeGroup, 7));
    top->addWidget(Toggle(QStringLiteral("range30"), QCoreApplication::translate("StatsWindow", "30日"),
                          m_rangeGroup, 30));
    top->addWidget(Toggle(QStringLiteral("rangeAll"), QCoreApplication::translate("StatsWindow", "すべて"),
                          m_rangeGroup, 0));
    m_rangeGroup->button(0)->setChecked(true);
    OnChosen(m_rangeGroup, this, [this](int id) { SetRangeDays(id); });
    top->addSpacing(12);

    m_includeAbandoned = new QCheckBox(QCoreApplication::translate("StatsWindow", "途中でやめたゲームも"));
    m_includeAbandoned->setObjectName(QStringLiteral("includeAbandoned"));
    connect(m_includeAbandoned, &QCheckBox::toggled, this, [this] { Reload(); });
    top->addWidget(m_includeAbandoned);
    return top;
}

void StatsWindow::BuildTabs() {
    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_progressTab = new ProgressTab(m_data);
    m_weakSpotsTab = new WeakSpotsTab(m_data);
    m_mixUpsTab = new MixUpsTab(m_data);
    m_keyPairsTab = new KeyPairsTab(m_data);
    m_tabs->addTab(m_progressTab, QCoreApplication::translate("StatsWindow", "推移"));
    m_tabs->addTab(m_weakSpotsTab, QCoreApplication::translate("StatsWindow", "苦手"));
    m_tabs->addTab(m_mixUpsTab, QCoreApplication::translate("StatsWindow", "打ち間違い"));
    m_tabs->addTab(m_keyPairsTab, QCoreApplication::translate("StatsWindow", "連続キー"));
    // The class's ranking comes from the class server, asked only when the tab is opened.
    m_classTab = new ClassTab(m_path);
    m_tabs->addTab(m_classTab, QCoreApplication::translate("StatsWindow", "クラス"));
    connect(m_progressTab, &ProgressTab::ReplaysWanted, this, &StatsWindow::ReplaysWanted);
    connect(m_progressTab, &ProgressTab::ViewChanged, this, &StatsWindow::ShowVisible);
    connect(m_weakSpotsTab, &WeakSpotsTab::KeyboardLayoutChosen, this, &StatsWindow::SaveKeyboardLayout);
}

QList<KeyFiguresTab*> StatsWindow::KeyTabs() const {
    return {m_weakSpotsTab, m_mixUpsTab, m_keyPairsTab};
}

void StatsWindow::SetRangeDays(int days) {
    if (QAbstractButton* b = m_rangeGroup->button(days)) b->setChecked(true);
    if (days == m_days) return;
    m_days = days;
    Reload();
}

void StatsWindow::SetAlphabet(Alphabet a) {
    m_alphabetGroup->button(int(a))->setChecked(true);
    if (a == m_alphabet) return;
    m_alphabet = a;
    for (KeyFiguresTab* tab : KeyTabs()) tab->SetAlphabet(a);
    if (m_loaded) ShowKeyPages();
    ShowVisible();
}

void StatsWindow::ShowVisible() {
    if (!m_loaded) return;
    if (auto* tab = qobject_cast<StatsTab*>(m_tabs->currentWidget())) tab->DrawVisible();
}

void StatsWindow::SaveKeyboardLayout(KeyboardLayout layout) {
    const QString value = layout == KeyboardLayout::US ? QStringLiteral("us") : QStringLiteral("jis");
    m_data.keyboardLayout = value;
    SaveSetting(m_path, kKeyboardSetting, value);
}

void StatsWindow::Reload() {
    Filter f = LastDays(m_days, m_nowMs);
    f.includeAbandoned = m_includeAbandoned->isChecked();
    const int generation = ++m_generation;
    m_status->setText(QCoreApplication::translate("StatsWindow", "記録を集計しています…"));
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
        why = QCoreApplication::translate("StatsWindow",
                                          "記録を読めませんでした。ゲームはこれまでどおり遊べます。\n\n") +
              m_data.error;
    else if (m_data.exists && m_days > 0)
        why =
            QCoreApplication::translate(
                "StatsWindow",
                "この期間（%1日）には記録がありません。\n「すべて」を押すと、これまでの記録が表示されます。")
                .arg(m_days);
    m_why = why;
    m_progressTab->Explain(why);
    m_progressTab->ShowFigures(hasGames);
    const int kanaKeys = int(Alphabet::KanaKeys);
    const bool typedKana = !m_data.keys[kanaKeys].isEmpty() || !m_data.units[kanaKeys].isEmpty();
    m_alphabetGroup->button(kanaKeys)->setVisible(typedKana);
    if (!typedKana && m_alphabet == Alphabet::KanaKeys) SetAlphabet(Alphabet::Kana);
    ShowKeyPages();
    m_weakSpotsTab->ShowKeyboardLayout(m_data.keyboardLayout == QLatin1String("us") ? KeyboardLayout::US
                                                                                    : KeyboardLayout::JIS);
    m_progressTab->MarkStale();
    for (KeyFiguresTab* tab : KeyTabs()) tab->MarkStale();
    ShowVisible();
    ShowStatus();
    emit Loaded();
}

// The key tabs show their figures, or why there are none for this alphabet and range.
void StatsWindow::ShowKeyPages() {
    const bool hasKeys = !m_data.keys[int(m_alphabet)].isEmpty();
    QString why = m_why;
    if (m_data.exists && m_data.error.isEmpty() && m_data.overview.keys > 0)
        why = m_alphabet == Alphabet::English
                  ? QCoreApplication::translate("StatsWindow",
                                                "この期間には英単語の記録がありません。\n「かな」を押すと"
                                                "、慣用句の記録が表示されます。")
                  : QCoreApplication::translate("StatsWindow",
                                                "この期間には慣用句（かな）の記録がありません。\n「英字」"
                                                "を押すと、英単語の記録が表示されます。");
    for (KeyFiguresTab* tab : KeyTabs()) {
        tab->Explain(why);
        tab->ShowFigures(hasKeys);
    }
}

void StatsWindow::ShowStatus() {
    const Overview& o = m_data.overview;
    if (!m_data.error.isEmpty()) {
        m_status->setText(QCoreApplication::translate("StatsWindow", "記録を読めませんでした：") +
                          m_data.error);
        return;
    }
    if (o.games == 0) {
        m_status->setText(m_data.exists ? QCoreApplication::translate("StatsWindow", "この期間の記録：なし")
                                        : QCoreApplication::translate("StatsWindow", "記録：まだありません"));
        return;
    }
    const auto day = [](qint64 ms) {
        return QDateTime::fromMSecsSinceEpoch(ms).toString(
            QCoreApplication::translate("StatsWindow", "yyyy/MM/dd"));
    };
    m_status->setText(
        QCoreApplication::translate(
            "StatsWindow", "%1〜%2　%3ゲーム・%4打鍵　灰色の数字は%5回未満の参考値です。Esc で閉じます。")
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
    PaintWindowBackground(this);
}

}  // namespace kd::stats
