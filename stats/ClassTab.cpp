#include "stats/ClassTab.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "classroom/ClassTask.h"
#include "common/PlayEvents.h"
#include "platform/widgets/Colors.h"
#include "stats/StatsLook.h"

namespace kd::stats {

void AddRankingChoosers(QWidget* owner, QLayout* row, QComboBox*& mode, QComboBox*& genre) {
    mode = new QComboBox(owner);
    mode->setObjectName(QStringLiteral("rankingMode"));
    mode->setAccessibleName(QCoreApplication::translate("ClassTab", "種目"));
    for (GameMode m :
         {GameMode::TimeTrial, GameMode::Practice, GameMode::Race, GameMode::Boss, GameMode::NetRace})
        mode->addItem(ModeName(m), int(m));
    genre = new QComboBox(owner);
    genre->setObjectName(QStringLiteral("rankingGenre"));
    genre->setAccessibleName(QCoreApplication::translate("ClassTab", "ジャンル"));
    for (const char* g : {"kannyouku", "english"})
        genre->addItem(GenreName(QLatin1String(g)), QLatin1String(g));
    // The labels are the boxes' buddies: on Linux a reader names a box by its choice and says
    // what it chooses from the label.
    for (const auto& [text, box] :
         {std::pair{QCoreApplication::translate("ClassTab", "種目："), mode},
          std::pair{QCoreApplication::translate("ClassTab", "ジャンル："), genre}}) {
        auto* label = new QLabel(text, owner);
        label->setBuddy(box);
        label->stackUnder(box);  // read before its box
        row->addWidget(label);
        row->addWidget(box);
    }
}

RankingChoice ChosenRanking(const QComboBox* mode, const QComboBox* genre) {
    return {mode->currentData().toInt(), genre->currentData().toString()};
}

QTableWidget* MakeRankingTable() {
    QTableWidget* t =
        MakeTable(QStringLiteral("ranking"), {QCoreApplication::translate("ClassTab", "順位"),
                                              QCoreApplication::translate("ClassTab", "名前"),
                                              QCoreApplication::translate("ClassTab", "記録"),
                                              QCoreApplication::translate("ClassTab", "ゲーム数")});
    t->setAccessibleName(QCoreApplication::translate("ClassTab", "クラスのランキング"));
    t->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    return t;
}

void FillRanking(QTableWidget* table, const QList<RankRow>& rows, int mode) {
    table->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const RankRow& r = rows[i];
        const QString record =
            mode == int(GameMode::TimeTrial)
                ? QCoreApplication::translate("ClassTab", "%1 秒").arg(r.bestTimeMs / 1000.0, 0, 'f', 1)
                : QCoreApplication::translate("ClassTab", "%1 打/秒").arg(r.bestKps, 0, 'f', 2);
        SetRow(table, i,
               {QCoreApplication::translate("ClassTab", "%1 位").arg(r.place), r.name, record,
                QString::number(r.games)},
               false, QStringLiteral("clrr"));
        if (r.mine) {
            for (int c = 0; c < table->columnCount(); ++c) {
                table->item(i, c)->setBackground(kGold);
                table->item(i, c)->setForeground(kBlack);
            }
            // Once the rows are laid out.
            QTimer::singleShot(0, table, [table, i] {
                if (i < table->rowCount())
                    table->scrollToItem(table->item(i, 0), QAbstractItemView::PositionAtCenter);
            });
        }
    }
}

ClassTab::ClassTab(const QString& learningPath, QWidget* parent) : QWidget(parent), m_path(learningPath) {
    setObjectName(QStringLiteral("ClassTab"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_className = TitleLabel();
    m_className->setObjectName(QStringLiteral("className"));
    top->addWidget(m_className);
    top->addStretch(1);
    AddRankingChoosers(this, top, m_mode, m_genre);
    m_refresh = new QPushButton(QCoreApplication::translate("ClassTab", "更新"));
    m_refresh->setObjectName(QStringLiteral("refresh"));
    top->addWidget(m_refresh);
    layout->addLayout(top);
    m_place = new QLabel;
    m_place->setObjectName(QStringLiteral("place"));
    m_place->setWordWrap(true);
    SetFontPixels(m_place, 18);
    m_place->setStyleSheet(QStringLiteral("color: #ffd740; font-weight: bold;"));
    layout->addWidget(m_place);
    m_table = MakeRankingTable();
    layout->addWidget(m_table, 1);
    connect(m_refresh, &QPushButton::clicked, this, &ClassTab::Refresh);
    connect(m_mode, &QComboBox::currentIndexChanged, this, &ClassTab::Refresh);
    connect(m_genre, &QComboBox::currentIndexChanged, this, &ClassTab::Refresh);
}

void ClassTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_asked) Refresh();
}

void ClassTab::Refresh() {
    m_asked = true;
    m_member = ReadMembership(m_path);
    if (!m_member.Joined()) {
        m_className->setText(QCoreApplication::translate("ClassTab", "クラス"));
        m_place->setText(QCoreApplication::translate(
            "ClassTab",
            "まだクラスに参加していません。ファイル → クラスに参加 で、先生から配られた"
            "クラスコードと参加コードを入れてください。"));
        m_table->setRowCount(0);
        emit Refreshed();
        return;
    }
    const std::optional<ServerAddress> address = ParseServer(m_member.server);
    if (!address) return;
    m_className->setText(m_member.className);
    m_place->setText(QCoreApplication::translate("ClassTab", "クラスのサーバーに問い合わせています…"));
    m_loading = true;
    const RankingChoice asked = ChosenRanking(m_mode, m_genre);
    RunOnServer(this, *address, [m = m_member, asked, this](ClassServer& server) -> std::function<void()> {
        const auto rows = server.Ranking(m, asked.mode, asked.genre);
        return [this, rows, error = server.Error(), asked] { Show(rows, error, asked); };
    });
}

void ClassTab::Show(const std::optional<QList<RankRow>>& rows, const ClassError& error,
                    const RankingChoice& asked) {
    m_loading = false;
    if (!rows) {
        m_place->setText(error.Message());
        m_table->setRowCount(0);
    } else {
        FillRanking(m_table, *rows, asked.mode);
        const auto mine = std::find_if(rows->cbegin(), rows->cend(), [](const RankRow& r) { return r.mine; });
        if (mine != rows->cend())
            m_place->setText(QCoreApplication::translate("ClassTab", "%1 さんは %2 人中 %3 位です。")
                                 .arg(m_member.studentName)
                                 .arg(rows->size())
                                 .arg(mine->place));
        else if (rows->isEmpty())
            m_place->setText(
                QCoreApplication::translate("ClassTab", "この種目とジャンルの記録はまだありません。"));
        else
            m_place->setText(
                QCoreApplication::translate(
                    "ClassTab", "%1 さんの記録はまだこの種目とジャンルにありません（%2 人が参加）。")
                    .arg(m_member.studentName)
                    .arg(rows->size()));
    }
    emit Refreshed();
}

}  // namespace kd::stats
