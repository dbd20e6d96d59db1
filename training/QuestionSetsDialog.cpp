#include "training/QuestionSetsDialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "common/GameState.h"
#include "learning/LearningRecord.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "questions/StringTable.h"

namespace kd {

namespace {

QString Entry(const QuestionSetInfo& s) {
    const QString kind =
        s.kind == QuestionSetKind::English ? QStringLiteral("英単語") : QStringLiteral("慣用句");
    return QStringLiteral("%1（%2・%3問）").arg(s.name, kind).arg(s.count);
}

}  // namespace

QuestionSetsDialog::QuestionSetsDialog(AppContext& ctx_, QWidget* owner, std::function<void()> onChanged)
    : ScreenBase(ctx_, QStringLiteral("QuestionSetsDialog"), owner), m_onChanged(std::move(onChanged)) {
    SetClientSize(320, 262);
    SetPixelFont(this, 13);
    SetCaption(QStringLiteral("自分の問題"));

    lstSets = new QListWidget(this);
    lstSets->setObjectName(QStringLiteral("lstSets"));
    lstSets->setGeometry(8, 8, 304, 150);
    lstSets->setAccessibleName(QStringLiteral("問題集の一覧"));
    MakeLabel(this, QStringLiteral("lblName"), QStringLiteral("名前："), 8, 170);
    txtName = new QLineEdit(this);
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setGeometry(52, 166, 260, 24);
    txtName->setMaxLength(40);
    cmdRename = MakeButton(this, QStringLiteral("cmdRename"), QStringLiteral("名前を変更"), 52, 198, 100, 26);
    cmdRemove = MakeButton(this, QStringLiteral("cmdRemove"), QStringLiteral("削除"), 160, 198, 70, 26);
    cmdClose = MakeButton(this, QStringLiteral("cmdClose"), QStringLiteral("閉じる"), 222, 230, 90, 26);
    SetDefaultButtons(cmdRename, cmdClose);

    connect(lstSets, &QListWidget::currentRowChanged, this, [this] { lstSets_Changed(); });
    connect(cmdRename, &QPushButton::clicked, this, [this] { cmdRename_Click(); });
    connect(cmdRemove, &QPushButton::clicked, this, [this] { cmdRemove_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { CloseScreen(); });
}

void QuestionSetsDialog::OnLoad() {
    if (QWidget* owner = parentWidget()) move(owner->geometry().center() - rect().center());
    FillList(0);
}

std::optional<QuestionSetStore> QuestionSetsDialog::Store() {
    LearningStore* store = g.learning ? g.learning->WritableStore() : nullptr;
    if (!store) {
        ctx.msg.Show(this, AppTitle(), QStringLiteral("学習記録に書き込めないため、問題集を変更できません。"),
                     MsgButtons::OK);
        return std::nullopt;
    }
    return QuestionSetStore(store->Database());
}

void QuestionSetsDialog::FillList(qint64 select) {
    LearningStore* store = g.learning ? g.learning->Store() : nullptr;
    m_sets = store ? QuestionSetStore(store->Database()).List() : QList<QuestionSetInfo>();
    lstSets->clear();
    for (const QuestionSetInfo& s : m_sets) {
        lstSets->addItem(Entry(s));
        if (s.id == select) lstSets->setCurrentRow(lstSets->count() - 1);
    }
    if (lstSets->currentRow() < 0 && !m_sets.isEmpty()) lstSets->setCurrentRow(0);
    lstSets_Changed();
}

const QuestionSetInfo* QuestionSetsDialog::Chosen() const {
    const int row = lstSets->currentRow();
    return row >= 0 && row < m_sets.size() ? &m_sets[row] : nullptr;
}

void QuestionSetsDialog::lstSets_Changed() {
    const QuestionSetInfo* s = Chosen();
    txtName->setText(s ? s->name : QString());
    for (QWidget* w : std::initializer_list<QWidget*>{txtName, cmdRename, cmdRemove})
        w->setEnabled(s != nullptr);
}

void QuestionSetsDialog::cmdRename_Click() {
    const QuestionSetInfo* s = Chosen();
    if (!s) return;
    const qint64 id = s->id;
    auto store = Store();
    if (!store) return;
    if (!store->Rename(id, txtName->text())) {
        ctx.msg.Show(this, AppTitle(),
                     QStringLiteral("名前を変えられませんでした（%1）。").arg(store->LastError()),
                     MsgButtons::OK);
        return;
    }
    FillList(id);
    if (m_onChanged) m_onChanged();
}

void QuestionSetsDialog::cmdRemove_Click() {
    const QuestionSetInfo* s = Chosen();
    if (!s) return;
    const qint64 id = s->id;
    if (ctx.msg.Show(this, AppTitle(), QStringLiteral("問題集「%1」を削除しますか？").arg(s->name),
                     MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    auto store = Store();
    if (!store) return;
    if (!store->Remove(id))
        ctx.msg.Show(this, AppTitle(), QStringLiteral("削除できませんでした（%1）。").arg(store->LastError()),
                     MsgButtons::OK);
    FillList(0);
    if (m_onChanged) m_onChanged();
}

}  // namespace kd
