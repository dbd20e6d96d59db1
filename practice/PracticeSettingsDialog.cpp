#include "practice/PracticeSettingsDialog.h"

#include <QComboBox>
#include <algorithm>

#include "common/GameState.h"
#include "common/PracticeRecords.h"
#include "common/RecordFile.h"
#include "learning/TrainingSettings.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "practice/PracticeScreen.h"
#include "practice/UpDown.h"
#include "questions/Genre.h"
#include "questions/StringTable.h"
#include "training/QuestionSetsDialog.h"

namespace kd {

namespace {

const QColor kChosen = kRed;
const QColor kOther = kBlack;

QRadioButton* MakeOption(QWidget* parent, const QString& name, const QString& caption, int x, int y) {
    auto* o = new QRadioButton(caption, parent);
    o->setObjectName(name);
    o->move(x, y);
    o->adjustSize();  // a click anywhere on it hits its caption
    return o;
}

QLabel* NumberBox(QWidget* parent, const QString& name, const QString& caption, int x, int y) {
    QLabel* l = MakeLabel(parent, name, caption, x, y, 36, 22);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setMargin(2);
    SetBackColor(l, Qt::white);
    return l;
}

}  // namespace

PracticeSettingsDialog::PracticeSettingsDialog(AppContext& ctx_, PracticeScreen* owner)
    : ScreenBase(ctx_, QStringLiteral("PracticeSettingsDialog"), owner), m_owner(owner) {
    // The drill and the own sets take two rows more than the bank's two genres.
    constexpr int kMore = 56;
    SetClientSize(320, 212 + kMore);
    SetPixelFont(this, 13);
    SetCaption(QStringLiteral("設定"));

    frmGenre = new QGroupBox(QStringLiteral("ジャンルを選択してください。"), this);
    frmGenre->setObjectName(QStringLiteral("frmGenre"));
    frmGenre->setGeometry(8, 8, 304, 60 + kMore);
    optGenre[0] = MakeOption(frmGenre, QStringLiteral("optGenre(0)"), QStringLiteral("日本語"), 16, 28);
    optGenre[1] = MakeOption(frmGenre, QStringLiteral("optGenre(1)"), QStringLiteral("英単語"), 160, 28);
    optDrill = MakeOption(frmGenre, QStringLiteral("optDrill"), QStringLiteral("苦手克服"), 16, 56);
    optOwnSet = MakeOption(frmGenre, QStringLiteral("optOwnSet"), QStringLiteral("自分の問題"), 16, 84);
    cboSets = new QComboBox(frmGenre);
    cboSets->setObjectName(QStringLiteral("cboSets"));
    cboSets->setGeometry(118, 82, 118, 24);
    cmdManageSets =
        MakeButton(frmGenre, QStringLiteral("cmdManageSets"), QStringLiteral("管理..."), 240, 82, 56, 24);

    Frame1 = new QGroupBox(QStringLiteral("練習時間を設定してください。"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(8, 76 + kMore, 304, 92);
    optLimited = MakeOption(Frame1, QStringLiteral("optLimited"), QStringLiteral("制限時間あり"), 16, 28);
    optNoLimited = MakeOption(Frame1, QStringLiteral("optNoLimited"), QStringLiteral("無制限"), 160, 28);
    lblMinute = NumberBox(Frame1, QStringLiteral("lblMinute"), QStringLiteral("1"), 36, 58);
    udnMinute = new UpDown(Frame1, QStringLiteral("udnMinute"), lblMinute, 0, 10, 1);
    udnMinute->setGeometry(72, 58, 16, 22);
    lblHun = MakeLabel(Frame1, QStringLiteral("lblHun"), QStringLiteral("分"), 94, 61);
    lblSecond = NumberBox(Frame1, QStringLiteral("lblSecond"), QStringLiteral("0"), 124, 58);
    udnSecond = new UpDown(Frame1, QStringLiteral("udnSecond"), lblSecond, 0, 55, 5);
    udnSecond->setGeometry(160, 58, 16, 22);
    lblByo = MakeLabel(Frame1, QStringLiteral("lblByo"), QStringLiteral("秒"), 182, 61);

    cmdOk = MakeButton(this, QStringLiteral("cmdOk"), QStringLiteral("OK"), 126, 178 + kMore, 88, 26);
    cmdCancel =
        MakeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("キャンセル"), 222, 178 + kMore, 90, 26);
    SetDefaultButtons(cmdOk, cmdCancel);
    // Enter presses the button that has the focus, else OK.
    cmdOk->setAutoDefault(true);
    cmdCancel->setAutoDefault(true);

    for (int i = 0; i < 2; ++i)
        connect(optGenre[i], &QRadioButton::clicked, this, [this, i] { optGenre_Click(i); });
    connect(optDrill, &QRadioButton::clicked, this, [this] { optDrill_Click(); });
    connect(optOwnSet, &QRadioButton::clicked, this, [this] { optOwnSet_Click(); });
    connect(cboSets, &QComboBox::activated, this, [this] {
        optOwnSet->setChecked(true);
        optOwnSet_Click();
    });
    connect(cmdManageSets, &QPushButton::clicked, this, [this] { cmdManageSets_Click(); });
    connect(optLimited, &QRadioButton::clicked, this, [this] { limInit(); });
    connect(optNoLimited, &QRadioButton::clicked, this, [this] { NolimInit(); });
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void PracticeSettingsDialog::OnLoad() {
    if (m_owner) move(m_owner->geometry().center() - rect().center());
    const PracticeTimeData d = LoadPracticeTime(g, g.player.GetUserName());
    SelectedGenre = d.GenreKey;
    if (d.PracticeSec < 0) {
        optNoLimited->setChecked(true);
        NolimInit();
    } else {
        optLimited->setChecked(true);
        limInit();
        lblMinute->setText(QString::number(d.PracticeSec / 60));
        lblSecond->setText(QString::number(d.PracticeSec % 60));
    }
    udnMinute->SyncFromBuddy();
    udnSecond->SyncFromBuddy();

    SelectedSource = LoadPracticeSource(g, SelectedGenre);
    FillSets();
    if (SelectedSource.kind == PracticeSource::Kind::Drill) {
        optDrill->setChecked(true);
        optDrill_Click();
    } else if (SelectedSource.kind == PracticeSource::Kind::Set) {
        optOwnSet->setChecked(true);
        optOwnSet_Click();
    } else {
        const int genre = IsGenreKey(SelectedGenre, Genre::English) ? 1 : 0;
        optGenre[genre]->setChecked(true);
        optGenre_Click(genre);
    }
    cmdOk->setFocus();
}

void PracticeSettingsDialog::MarkChosen(QRadioButton* chosen) {
    for (QRadioButton* o : {optGenre[0], optGenre[1], optDrill, optOwnSet})
        SetForeColor(o, o == chosen ? kChosen : kOther);
}

void PracticeSettingsDialog::optGenre_Click(int index) {
    MarkChosen(optGenre[index]);
    SelectedGenre = GenreKey(index == 0 ? Genre::Idioms : Genre::English);
    SelectedSource = PracticeSource();
    SelectedSource.bankGenre = SelectedGenre;
}

void PracticeSettingsDialog::optDrill_Click() {
    MarkChosen(optDrill);
    SelectedSource = PracticeSource();
    SelectedSource.kind = PracticeSource::Kind::Drill;
    SelectedGenre = SelectedSource.bankGenre;  // the drill asks the bank's idioms
}

void PracticeSettingsDialog::optOwnSet_Click() {
    const int at = cboSets->currentIndex();
    if (at < 0 || at >= m_sets.size()) return;
    MarkChosen(optOwnSet);
    for (const PracticeSource& choice : PracticeChoices({m_sets[at]}))
        if (choice.kind == PracticeSource::Kind::Set) SelectedSource = choice;
    SelectedGenre = SelectedSource.bankGenre;
}

void PracticeSettingsDialog::FillSets() {
    const qint64 chosen = SelectedSource.kind == PracticeSource::Kind::Set ? SelectedSource.setId : 0;
    m_sets = PlayerQuestionSets(g);
    cboSets->clear();
    for (const QuestionSetInfo& s : m_sets) {
        cboSets->addItem(s.name);
        if (s.id == chosen) cboSets->setCurrentIndex(cboSets->count() - 1);
    }
    const bool any = !m_sets.isEmpty();
    if (!any) cboSets->addItem(QStringLiteral("（なし）"));
    for (QWidget* w : std::initializer_list<QWidget*>{optOwnSet, cboSets, cmdManageSets}) w->setEnabled(any);
    if (chosen == 0) return;
    const bool kept = std::any_of(m_sets.cbegin(), m_sets.cend(),
                                  [chosen](const QuestionSetInfo& s) { return s.id == chosen; });
    if (kept) {
        optOwnSet_Click();
        return;
    }
    // The chosen set was removed: the bank's genre it played is chosen instead.
    const int genre = IsGenreKey(SelectedGenre, Genre::English) ? 1 : 0;
    optGenre[genre]->setChecked(true);
    optGenre_Click(genre);
}

void PracticeSettingsDialog::cmdManageSets_Click() {
    QPointer<PracticeSettingsDialog> self(this);
    ctx.nav.ShowModal(new QuestionSetsDialog(ctx, this, [self] {
        if (self) self->FillSets();
    }));
}

void PracticeSettingsDialog::SetTimeControlsEnabled(bool on) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{lblMinute, lblHun, lblSecond, lblByo, udnMinute, udnSecond})
        w->setEnabled(on);
}

void PracticeSettingsDialog::limInit() {
    SetTimeControlsEnabled(true);
    SetForeColor(optLimited, kChosen);
    SetForeColor(optNoLimited, kOther);
}

void PracticeSettingsDialog::NolimInit() {
    SetTimeControlsEnabled(false);
    SetForeColor(optLimited, kOther);
    SetForeColor(optNoLimited, kChosen);
}

void PracticeSettingsDialog::cmdOk_Click() {
    const int T =
        optNoLimited->isChecked() ? kNoLimit : lblMinute->text().toInt() * 60 + lblSecond->text().toInt();
    if (T == 0) {
        ctx.msg.Show(this, AppTitle(), QStringLiteral("練習時間は、5秒以上、または、無制限です。"),
                     MsgButtons::OK);
        return;
    }
    const PracticeTimeData setting{qint16(T), SelectedGenre};
    // The practice screen reads the time from the file when a game starts, so a setting
    // that was not stored must not be shown as if it were.
    if (!SavePracticeTime(g, g.player.GetUserName(), setting)) {
        ctx.msg.Show(this, AppTitle(), SaveFailureMessage(QStringLiteral("設定を保存できませんでした")),
                     MsgButtons::OK);
        return;
    }
    if (!SavePracticeSource(g, SelectedSource) && SelectedSource.kind != PracticeSource::Kind::Bank)
        ctx.msg.Show(this, AppTitle(),
                     QStringLiteral("学習記録に書き込めないため、%1 は選べません。%2 で練習します。")
                         .arg(SelectedSource.Label(m_sets),
                              PracticeSource{PracticeSource::Kind::Bank, SelectedGenre}.Label({})),
                     MsgButtons::OK);
    g.questions.SetGenre(SelectedGenre);
    QPointer<PracticeScreen> owner = m_owner;
    CloseScreen();
    if (owner) owner->ShowSetting(setting);
}

}  // namespace kd
