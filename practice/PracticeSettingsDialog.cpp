#include "practice/PracticeSettingsDialog.h"

#include <QComboBox>
#include <QCoreApplication>
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

// Long by choice: the dialog laid out in reading order, one control after the other.
PracticeSettingsDialog::PracticeSettingsDialog(AppContext& ctx_, PracticeScreen* owner)
    : ScreenBase(ctx_, QStringLiteral("PracticeSettingsDialog"), owner), m_owner(owner) {
    // The drill and the own sets take two rows more than the bank's two genres.
    constexpr int kMore = 56;
    SetClientSize(320, 212 + kMore);
    SetPixelFont(this, 13);
    SetCaption(QCoreApplication::translate("PracticeSettingsDialog", "設定"));

    genreGroup = new QGroupBox(
        QCoreApplication::translate("PracticeSettingsDialog", "ジャンルを選択してください。"), this);
    genreGroup->setObjectName(QStringLiteral("genreGroup"));
    genreGroup->setGeometry(8, 8, 304, 60 + kMore);
    genreChoices[0] = MakeOption(genreGroup, QStringLiteral("genreChoice0"),
                                 QCoreApplication::translate("PracticeSettingsDialog", "日本語"), 16, 28);
    genreChoices[1] = MakeOption(genreGroup, QStringLiteral("genreChoice1"),
                                 QCoreApplication::translate("PracticeSettingsDialog", "英単語"), 160, 28);
    drillChoice = MakeOption(genreGroup, QStringLiteral("drillChoice"),
                             QCoreApplication::translate("PracticeSettingsDialog", "苦手克服"), 16, 56);
    ownSetChoice = MakeOption(genreGroup, QStringLiteral("ownSetChoice"),
                              QCoreApplication::translate("PracticeSettingsDialog", "自分の問題"), 16, 84);
    ownSetCombo = new QComboBox(genreGroup);
    ownSetCombo->setObjectName(QStringLiteral("ownSetCombo"));
    ownSetCombo->setGeometry(118, 82, 118, 24);
    manageSetsButton =
        MakeButton(genreGroup, QStringLiteral("manageSetsButton"),
                   QCoreApplication::translate("PracticeSettingsDialog", "管理..."), 240, 82, 56, 24);

    timeGroup = new QGroupBox(
        QCoreApplication::translate("PracticeSettingsDialog", "練習時間を設定してください。"), this);
    timeGroup->setObjectName(QStringLiteral("timeGroup"));
    timeGroup->setGeometry(8, 76 + kMore, 304, 92);
    limitedChoice = MakeOption(timeGroup, QStringLiteral("limitedChoice"),
                               QCoreApplication::translate("PracticeSettingsDialog", "制限時間あり"), 16, 28);
    unlimitedChoice = MakeOption(timeGroup, QStringLiteral("unlimitedChoice"),
                                 QCoreApplication::translate("PracticeSettingsDialog", "無制限"), 160, 28);
    minutesBox = NumberBox(timeGroup, QStringLiteral("minutesBox"), QStringLiteral("1"), 36, 58);
    minutesUpDown = new UpDown(timeGroup, QStringLiteral("minutesUpDown"), minutesBox, 0, 10, 1);
    minutesUpDown->setGeometry(72, 58, 16, 22);
    minutesUnit = MakeLabel(timeGroup, QStringLiteral("minutesUnit"),
                            QCoreApplication::translate("PracticeSettingsDialog", "分"), 94, 61);
    secondsBox = NumberBox(timeGroup, QStringLiteral("secondsBox"), QStringLiteral("0"), 124, 58);
    secondsUpDown = new UpDown(timeGroup, QStringLiteral("secondsUpDown"), secondsBox, 0, 55, 5);
    secondsUpDown->setGeometry(160, 58, 16, 22);
    secondsUnit = MakeLabel(timeGroup, QStringLiteral("secondsUnit"),
                            QCoreApplication::translate("PracticeSettingsDialog", "秒"), 182, 61);

    okButton = MakeButton(this, QStringLiteral("okButton"), QStringLiteral("OK"), 126, 178 + kMore, 88, 26);
    cancelButton = MakeButton(this, QStringLiteral("cancelButton"),
                              QCoreApplication::translate("PracticeSettingsDialog", "キャンセル"), 222,
                              178 + kMore, 90, 26);
    SetDefaultButtons(okButton, cancelButton);
    // Enter presses the button that has the focus, else OK.
    okButton->setAutoDefault(true);
    cancelButton->setAutoDefault(true);

    // On toggled, not clicked: an assistive tool's toggle action checks a radio button without
    // a click.
    const auto whenChecked = [this](QRadioButton* choice, auto chosen) {
        connect(choice, &QRadioButton::toggled, this, [chosen](bool on) {
            if (on) chosen();
        });
    };
    for (int i = 0; i < 2; ++i) whenChecked(genreChoices[i], [this, i] { ChooseGenre(i); });
    whenChecked(drillChoice, [this] { ChooseDrill(); });
    whenChecked(ownSetChoice, [this] { ChooseOwnSet(); });
    connect(ownSetCombo, &QComboBox::activated, this, [this] {
        ownSetChoice->setChecked(true);
        ChooseOwnSet();
    });
    connect(manageSetsButton, &QPushButton::clicked, this, [this] { ManageSets(); });
    whenChecked(limitedChoice, [this] { ShowLimited(); });
    whenChecked(unlimitedChoice, [this] { ShowUnlimited(); });
    connect(okButton, &QPushButton::clicked, this, [this] { SaveSettings(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { CancelSettings(); });
}

void PracticeSettingsDialog::OnLoad() {
    if (m_owner) move(m_owner->geometry().center() - rect().center());
    const PracticeTimeData d = LoadPracticeTime(g, g.player.GetUserName());
    SelectedGenre = d.GenreKey;
    if (d.PracticeSec < 0) {
        unlimitedChoice->setChecked(true);
        ShowUnlimited();
    } else {
        limitedChoice->setChecked(true);
        ShowLimited();
        minutesBox->setText(QString::number(d.PracticeSec / 60));
        secondsBox->setText(QString::number(d.PracticeSec % 60));
    }
    minutesUpDown->SyncFromBuddy();
    secondsUpDown->SyncFromBuddy();

    SelectedSource = LoadPracticeSource(g, SelectedGenre);
    FillSets();
    if (SelectedSource.kind == PracticeSource::Kind::Drill) {
        drillChoice->setChecked(true);
        ChooseDrill();
    } else if (SelectedSource.kind == PracticeSource::Kind::Set) {
        ownSetChoice->setChecked(true);
        ChooseOwnSet();
    } else {
        const int genre = IsGenreKey(SelectedGenre, Genre::English) ? 1 : 0;
        genreChoices[genre]->setChecked(true);
        ChooseGenre(genre);
    }
    okButton->setFocus();
}

void PracticeSettingsDialog::MarkChosen(QRadioButton* chosen) {
    for (QRadioButton* o : {genreChoices[0], genreChoices[1], drillChoice, ownSetChoice})
        SetForeColor(o, o == chosen ? kChosen : kOther);
}

void PracticeSettingsDialog::ChooseGenre(int index) {
    MarkChosen(genreChoices[index]);
    SelectedGenre = GenreKey(index == 0 ? Genre::Idioms : Genre::English);
    SelectedSource = PracticeSource();
    SelectedSource.bankGenre = SelectedGenre;
}

void PracticeSettingsDialog::ChooseDrill() {
    MarkChosen(drillChoice);
    SelectedSource = PracticeSource();
    SelectedSource.kind = PracticeSource::Kind::Drill;
    SelectedGenre = SelectedSource.bankGenre;  // the drill asks the bank's idioms
}

void PracticeSettingsDialog::ChooseOwnSet() {
    const int at = ownSetCombo->currentIndex();
    if (at < 0 || at >= m_sets.size()) return;
    MarkChosen(ownSetChoice);
    for (const PracticeSource& choice : PracticeChoices({m_sets[at]}))
        if (choice.kind == PracticeSource::Kind::Set) SelectedSource = choice;
    SelectedGenre = SelectedSource.bankGenre;
}

void PracticeSettingsDialog::FillSets() {
    const qint64 chosen = SelectedSource.kind == PracticeSource::Kind::Set ? SelectedSource.setId : 0;
    m_sets = PlayerQuestionSets(g);
    ownSetCombo->clear();
    for (const QuestionSetInfo& s : m_sets) {
        ownSetCombo->addItem(s.name);
        if (s.id == chosen) ownSetCombo->setCurrentIndex(ownSetCombo->count() - 1);
    }
    const bool any = !m_sets.isEmpty();
    if (!any) ownSetCombo->addItem(QCoreApplication::translate("PracticeSettingsDialog", "（なし）"));
    for (QWidget* w : std::initializer_list<QWidget*>{ownSetChoice, ownSetCombo, manageSetsButton})
        w->setEnabled(any);
    if (chosen == 0) return;
    const bool kept = std::any_of(m_sets.cbegin(), m_sets.cend(),
                                  [chosen](const QuestionSetInfo& s) { return s.id == chosen; });
    if (kept) {
        ChooseOwnSet();
        return;
    }
    // The chosen set was removed: the bank's genre it played is chosen instead.
    const int genre = IsGenreKey(SelectedGenre, Genre::English) ? 1 : 0;
    genreChoices[genre]->setChecked(true);
    ChooseGenre(genre);
}

void PracticeSettingsDialog::ManageSets() {
    QPointer<PracticeSettingsDialog> self(this);
    ctx.nav.ShowModal(new QuestionSetsDialog(ctx, this, [self] {
        if (self) self->FillSets();
    }));
}

void PracticeSettingsDialog::SetTimeControlsEnabled(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{minutesBox, minutesUnit, secondsBox, secondsUnit,
                                                      minutesUpDown, secondsUpDown})
        w->setEnabled(on);
}

void PracticeSettingsDialog::ShowLimited() {
    SetTimeControlsEnabled(true);
    SetForeColor(limitedChoice, kChosen);
    SetForeColor(unlimitedChoice, kOther);
}

void PracticeSettingsDialog::ShowUnlimited() {
    SetTimeControlsEnabled(false);
    SetForeColor(limitedChoice, kOther);
    SetForeColor(unlimitedChoice, kChosen);
}

void PracticeSettingsDialog::SaveSettings() {
    const int T = unlimitedChoice->isChecked() ? kNoLimit
                                               : minutesBox->text().toInt() * 60 + secondsBox->text().toInt();
    if (T == 0) {
        ctx.msg.Show(this, AppTitle(),
                     QCoreApplication::translate("PracticeSettingsDialog",
                                                 "練習時間は、5秒以上、または、無制限です。"),
                     MsgButtons::OK);
        return;
    }
    const PracticeTimeData setting{qint16(T), SelectedGenre};
    // The practice screen reads the time from the file when a game starts, so a setting
    // that was not stored must not be shown as if it were.
    if (!SavePracticeTime(g, g.player.GetUserName(), setting)) {
        ctx.msg.Show(this, AppTitle(),
                     SaveFailureMessage(
                         QCoreApplication::translate("PracticeSettingsDialog", "設定を保存できませんでした")),
                     MsgButtons::OK);
        return;
    }
    if (!SavePracticeSource(g, SelectedSource) && SelectedSource.kind != PracticeSource::Kind::Bank)
        ctx.msg.Show(
            this, AppTitle(),
            QCoreApplication::translate("PracticeSettingsDialog",
                                        "学習記録に書き込めないため、%1 は選べません。%2 で練習します。")
                .arg(SelectedSource.Label(m_sets),
                     PracticeSource{PracticeSource::Kind::Bank, SelectedGenre}.Label({})),
            MsgButtons::OK);
    g.questions.SetGenre(SelectedGenre);
    QPointer<PracticeScreen> owner = m_owner;
    CloseScreen();
    if (owner) owner->ShowSetting(setting);
}

}  // namespace kd
