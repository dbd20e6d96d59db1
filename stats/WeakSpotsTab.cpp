#include "stats/WeakSpotsTab.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "stats/StatsLook.h"

namespace kd::stats {

WeakSpotsTab::WeakSpotsTab(const Snapshot& data, QWidget* parent) : KeyFiguresTab(data, parent) {
    setObjectName(QStringLiteral("weakSpotsTab"));
    auto* figures = new QWidget;
    auto* column = new QVBoxLayout(figures);
    column->setContentsMargins(8, 8, 8, 8);
    auto* tables = new QHBoxLayout;
    auto* unitColumn = new QVBoxLayout;
    m_weakUnitsTitle = TitleLabel();
    m_weakUnitsTitle->setObjectName(QStringLiteral("weakUnitsTitle"));
    unitColumn->addWidget(m_weakUnitsTitle);
    m_weakUnitsTable = MakeTable(QStringLiteral("weakUnitsTable"),
                                 {QCoreApplication::translate("WeakSpotsTab", "かな"),
                                  QCoreApplication::translate("WeakSpotsTab", "回数"),
                                  QCoreApplication::translate("WeakSpotsTab", "ミス率"),
                                  QCoreApplication::translate("WeakSpotsTab", "平均時間")});
    unitColumn->addWidget(m_weakUnitsTable);
    auto* keyColumn = new QVBoxLayout;
    keyColumn->addWidget(
        TitleLabel(QCoreApplication::translate("WeakSpotsTab", "苦手なキー（ミスの多い順）")));
    m_weakKeysTable =
        MakeTable(QStringLiteral("weakKeysTable"), {QCoreApplication::translate("WeakSpotsTab", "キー"),
                                                    QCoreApplication::translate("WeakSpotsTab", "打鍵数"),
                                                    QCoreApplication::translate("WeakSpotsTab", "ミス率"),
                                                    QCoreApplication::translate("WeakSpotsTab", "平均時間")});
    keyColumn->addWidget(m_weakKeysTable);
    tables->addLayout(unitColumn, 1);
    tables->addLayout(keyColumn, 1);
    column->addLayout(tables, 1);

    column->addLayout(BuildKeyboardSwitches());
    m_keyboard = new KeyboardView;
    m_keyboard->setMinimumHeight(190);
    column->addWidget(m_keyboard, 1);
    SetFigures(figures);
}

QHBoxLayout* WeakSpotsTab::BuildKeyboardSwitches() {
    auto* switches = new QHBoxLayout;
    m_layoutGroup = new QButtonGroup(this);
    switches->addWidget(new QLabel(QCoreApplication::translate("WeakSpotsTab", "キーボード：")));
    switches->addWidget(Toggle(QStringLiteral("layoutJis"),
                               QCoreApplication::translate("WeakSpotsTab", "JIS配列"), m_layoutGroup,
                               int(KeyboardLayout::JIS)));
    switches->addWidget(Toggle(QStringLiteral("layoutUs"),
                               QCoreApplication::translate("WeakSpotsTab", "US配列"), m_layoutGroup,
                               int(KeyboardLayout::US)));
    switches->addSpacing(16);
    m_colouringGroup = new QButtonGroup(this);
    switches->addWidget(new QLabel(QCoreApplication::translate("WeakSpotsTab", "色分け：")));
    switches->addWidget(Toggle(QStringLiteral("byMisses"),
                               QCoreApplication::translate("WeakSpotsTab", "ミス率"), m_colouringGroup,
                               int(KeyColouring::MissRate)));
    switches->addWidget(Toggle(QStringLiteral("bySlowness"),
                               QCoreApplication::translate("WeakSpotsTab", "遅さ"), m_colouringGroup,
                               int(KeyColouring::Slowness)));
    switches->addSpacing(16);
    auto* scale =
        new QLabel(QCoreApplication::translate(
                       "WeakSpotsTab",
                       "<span style='color:%1'>■</span> 得意　<span style='color:%2'>■</span> ふつう　"
                       "<span style='color:%3'>■</span> 苦手　<span style='color:#464e64'>■</span> 記録なし")
                       .arg(BadnessColor(0).name(), BadnessColor(0.5).name(), BadnessColor(1).name()));
    switches->addWidget(scale);
    switches->addStretch(1);
    m_layoutGroup->button(int(KeyboardLayout::JIS))->setChecked(true);
    m_colouringGroup->button(int(KeyColouring::MissRate))->setChecked(true);
    OnChosen(m_layoutGroup, this, [this](int id) {
        m_keyboard->SetLayout(KeyboardLayout(id));
        emit KeyboardLayoutChosen(KeyboardLayout(id));
    });
    OnChosen(m_colouringGroup, this, [this](int id) { m_keyboard->SetColouring(KeyColouring(id)); });
    return switches;
}

void WeakSpotsTab::ShowKeyboardLayout(KeyboardLayout layout) {
    const QSignalBlocker block(m_layoutGroup);
    m_layoutGroup->button(int(layout))->setChecked(true);
    m_keyboard->SetLayout(layout);
}

void WeakSpotsTab::Draw(int) {
    const int a = int(m_alphabet);
    const bool english = m_alphabet == Alphabet::English;
    m_weakUnitsTitle->setText(
        english ? QCoreApplication::translate("WeakSpotsTab", "苦手な文字（ミスの多い順）")
                : QCoreApplication::translate("WeakSpotsTab", "苦手なかな（ミスの多い順）"));
    m_weakUnitsTable->horizontalHeaderItem(0)->setText(
        english ? QCoreApplication::translate("WeakSpotsTab", "文字")
                : QCoreApplication::translate("WeakSpotsTab", "かな"));
    const auto& units = m_data.units[a];
    m_weakUnitsTable->setRowCount(int(units.size()));
    for (int i = 0; i < units.size(); ++i) {
        const UnitStat& u = units[i];
        SetRow(m_weakUnitsTable, i,
               {u.name + UncertainMark(u.uncertain), QString::number(u.attempts), Percent(u.missRate),
                Millis(u.avgMs)},
               u.uncertain);
    }
    const auto& keys = m_data.keys[a];
    m_weakKeysTable->setRowCount(int(keys.size()));
    for (int i = 0; i < keys.size(); ++i) {
        const UnitStat& k = keys[i];
        SetRow(m_weakKeysTable, i,
               {k.name.toUpper() + UncertainMark(k.uncertain), QString::number(k.attempts),
                Percent(k.missRate), Millis(k.avgMs)},
               k.uncertain);
    }
    const bool kanaKeys = m_alphabet == Alphabet::KanaKeys;
    m_keyboard->SetKanaLegends(kanaKeys);
    // Kana keys are shown on the JIS keyboard only.
    for (QAbstractButton* b : m_layoutGroup->buttons()) b->setEnabled(!kanaKeys);
    m_keyboard->SetKeys(kanaKeys ? KanaKeysByPlace(keys) : keys);
}

}  // namespace kd::stats
