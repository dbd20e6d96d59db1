#include "training/QuestionSetsDialog.h"

#include <QCoreApplication>
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
    const QString kind = s.kind == QuestionSetKind::English
                             ? QCoreApplication::translate("QuestionSetsDialog", "英単語")
                             : QCoreApplication::translate("QuestionSetsDialog", "慣用句");
    return QCoreApplication::translate("QuestionSetsDialog", "%1（%2・%3問）").arg(s.name, kind).arg(s.count);
}

}  // namespace

QuestionSetsDialog::QuestionSetsDialog(AppContext& ctx_, QWidget* owner, std::function<void()> onChanged)
    : ScreenBase(ctx_, QStringLiteral("QuestionSetsDialog"), owner), m_onChanged(std::move(onChanged)) {
    SetClientSize(320, 262);
    SetPixelFont(this, 13);
    SetCaption(QCoreApplication::translate("QuestionSetsDialog", "自分の問題"));

    setList = new QListWidget(this);
    setList->setObjectName(QStringLiteral("setList"));
    setList->setGeometry(8, 8, 304, 150);
    setList->setAccessibleName(QCoreApplication::translate("QuestionSetsDialog", "問題集の一覧"));
    MakeLabel(this, QStringLiteral("nameCaption"),
              QCoreApplication::translate("QuestionSetsDialog", "名前："), 8, 170);
    nameEdit = new QLineEdit(this);
    nameEdit->setObjectName(QStringLiteral("nameEdit"));
    nameEdit->setGeometry(52, 166, 260, 24);
    nameEdit->setMaxLength(40);
    renameButton =
        MakeButton(this, QStringLiteral("renameButton"),
                   QCoreApplication::translate("QuestionSetsDialog", "名前を変更"), 52, 198, 100, 26);
    removeButton = MakeButton(this, QStringLiteral("removeButton"),
                              QCoreApplication::translate("QuestionSetsDialog", "削除"), 160, 198, 70, 26);
    closeButton = MakeButton(this, QStringLiteral("closeButton"),
                             QCoreApplication::translate("QuestionSetsDialog", "閉じる"), 222, 230, 90, 26);
    SetDefaultButtons(renameButton, closeButton);

    connect(setList, &QListWidget::currentRowChanged, this, [this] { ShowChosenSet(); });
    connect(renameButton, &QPushButton::clicked, this, [this] { RenameSet(); });
    connect(removeButton, &QPushButton::clicked, this, [this] { RemoveSet(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { CloseScreen(); });
}

void QuestionSetsDialog::OnLoad() {
    if (QWidget* owner = parentWidget()) move(owner->geometry().center() - rect().center());
    FillList(0);
}

std::optional<QuestionSetStore> QuestionSetsDialog::Store() {
    LearningStore* store = g.learning ? g.learning->WritableStore() : nullptr;
    if (!store) {
        ctx.msg.Show(this, AppTitle(),
                     QCoreApplication::translate("QuestionSetsDialog",
                                                 "学習記録に書き込めないため、問題集を変更できません。"),
                     MsgButtons::OK);
        return std::nullopt;
    }
    return QuestionSetStore(store->Database());
}

void QuestionSetsDialog::FillList(qint64 select) {
    LearningStore* store = g.learning ? g.learning->Store() : nullptr;
    m_sets = store ? QuestionSetStore(store->Database()).List() : QList<QuestionSetInfo>();
    setList->clear();
    for (const QuestionSetInfo& s : m_sets) {
        setList->addItem(Entry(s));
        if (s.id == select) setList->setCurrentRow(setList->count() - 1);
    }
    if (setList->currentRow() < 0 && !m_sets.isEmpty()) setList->setCurrentRow(0);
    ShowChosenSet();
}

const QuestionSetInfo* QuestionSetsDialog::Chosen() const {
    const int row = setList->currentRow();
    return row >= 0 && row < m_sets.size() ? &m_sets[row] : nullptr;
}

void QuestionSetsDialog::ShowChosenSet() {
    const QuestionSetInfo* s = Chosen();
    nameEdit->setText(s ? s->name : QString());
    for (QWidget* w : std::initializer_list<QWidget*>{nameEdit, renameButton, removeButton})
        w->setEnabled(s != nullptr);
}

void QuestionSetsDialog::RenameSet() {
    const QuestionSetInfo* s = Chosen();
    if (!s) return;
    const qint64 id = s->id;
    auto store = Store();
    if (!store) return;
    if (!store->Rename(id, nameEdit->text())) {
        ctx.msg.Show(this, AppTitle(),
                     QCoreApplication::translate("QuestionSetsDialog", "名前を変えられませんでした（%1）。")
                         .arg(store->LastError()),
                     MsgButtons::OK);
        return;
    }
    FillList(id);
    if (m_onChanged) m_onChanged();
}

void QuestionSetsDialog::RemoveSet() {
    const QuestionSetInfo* s = Chosen();
    if (!s) return;
    const qint64 id = s->id;
    if (ctx.msg.Show(
            this, AppTitle(),
            QCoreApplication::translate("QuestionSetsDialog", "問題集「%1」を削除しますか？").arg(s->name),
            MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    auto store = Store();
    if (!store) return;
    if (!store->Remove(id))
        ctx.msg.Show(this, AppTitle(),
                     QCoreApplication::translate("QuestionSetsDialog", "削除できませんでした（%1）。")
                         .arg(store->LastError()),
                     MsgButtons::OK);
    FillList(0);
    if (m_onChanged) m_onChanged();
}

}  // namespace kd
