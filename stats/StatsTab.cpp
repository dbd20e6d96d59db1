#include "stats/StatsTab.h"

#include <QCoreApplication>
#include <QLabel>

#include "stats/StatsLook.h"

namespace kd::stats {

StatsTab::StatsTab(const Snapshot& data, QWidget* parent) : QStackedWidget(parent), m_data(data) {
    m_note = NoteLabel(QCoreApplication::translate(
        "StatsTab",
        "記録を集計しています…\n\n初めて開くときや、たくさん遊んだあとは少し時間がかかります。"
        "このあいだもゲームは遊べます。"));
    addWidget(NotePage(m_note));
}

void StatsTab::SetFigures(QWidget* figures) {
    addWidget(figures);
}

void StatsTab::Explain(const QString& why) {
    m_note->setText(why);
}

void StatsTab::ShowFigures(bool shown) {
    setCurrentIndex(shown ? 1 : 0);
}

void StatsTab::DrawVisible() {
    const unsigned view = 1u << VisibleView();
    if (!(m_staleViews & view)) return;
    m_staleViews &= ~view;
    Draw(VisibleView());
}

void KeyFiguresTab::SetAlphabet(Alphabet a) {
    m_alphabet = a;
    MarkStale();
}

}  // namespace kd::stats
