#include "practice/frmSettingPractice.h"

#include "common/GameState.h"
#include "common/PracticeRecords.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "practice/UpDown.h"
#include "practice/frmPractice.h"
#include "questions/Genre.h"
#include "questions/StringTable.h"

namespace kd {

namespace {

const QColor kChosen(255, 0, 0);
const QColor kOther(0, 0, 0);

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

frmSettingPractice::frmSettingPractice(AppContext& ctx_, frmPractice* owner)
    : FormBase(ctx_, QStringLiteral("frmSettingPractice"), owner), m_owner(owner) {
    SetClientSize(320, 212);
    SetPixelFont(this, 13);
    SetCaption(QStringLiteral("設定"));

    frmGenre = new QGroupBox(QStringLiteral("ジャンルを選択してください。"), this);
    frmGenre->setObjectName(QStringLiteral("frmGenre"));
    frmGenre->setGeometry(8, 8, 304, 60);
    optGenre[0] = MakeOption(frmGenre, QStringLiteral("optGenre(0)"), QStringLiteral("日本語"), 16, 28);
    optGenre[1] = MakeOption(frmGenre, QStringLiteral("optGenre(1)"), QStringLiteral("英単語"), 160, 28);

    Frame1 = new QGroupBox(QStringLiteral("練習時間を設定してください。"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(8, 76, 304, 92);
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

    cmdOk = MakeButton(this, QStringLiteral("cmdOk"), QStringLiteral("OK"), 126, 178, 88, 26);
    cmdCancel = MakeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("キャンセル"), 222, 178, 90, 26);
    SetDefaultButtons(cmdOk, cmdCancel);
    // Enter presses the button that has the focus, else OK.
    cmdOk->setAutoDefault(true);
    cmdCancel->setAutoDefault(true);

    for (int i = 0; i < 2; ++i)
        connect(optGenre[i], &QRadioButton::clicked, this, [this, i] { optGenre_Click(i); });
    connect(optLimited, &QRadioButton::clicked, this, [this] { limInit(); });
    connect(optNoLimited, &QRadioButton::clicked, this, [this] { NolimInit(); });
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmSettingPractice::Form_Load() {
    if (m_owner) move(m_owner->geometry().center() - rect().center());
    const PracticeTimeData d = LoadPracticeTime(g, g.objUser.GetUserName());
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

    const int genre = IsGenreKey(SelectedGenre, Genre::English) ? 1 : 0;
    optGenre[genre]->setChecked(true);
    optGenre_Click(genre);
    cmdOk->setFocus();
}

void frmSettingPractice::optGenre_Click(int index) {
    for (int i = 0; i < 2; ++i) SetForeColor(optGenre[i], i == index ? kChosen : kOther);
    SelectedGenre = GenreKey(index == 0 ? Genre::Idioms : Genre::English);
}

void frmSettingPractice::SetTimeControlsEnabled(bool on) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{lblMinute, lblHun, lblSecond, lblByo, udnMinute, udnSecond})
        w->setEnabled(on);
}

void frmSettingPractice::limInit() {
    SetTimeControlsEnabled(true);
    SetForeColor(optLimited, kChosen);
    SetForeColor(optNoLimited, kOther);
}

void frmSettingPractice::NolimInit() {
    SetTimeControlsEnabled(false);
    SetForeColor(optLimited, kOther);
    SetForeColor(optNoLimited, kChosen);
}

void frmSettingPractice::cmdOk_Click() {
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
    if (!SavePracticeTime(g, g.objUser.GetUserName(), setting)) {
        ctx.msg.Show(this, AppTitle(), QStringLiteral("設定を保存できませんでした。"), MsgButtons::OK);
        return;
    }
    g.objMondai.SetGenre(SelectedGenre);
    QPointer<frmPractice> owner = m_owner;
    Unload();
    if (owner) owner->ShowSetting(setting);
}

}  // namespace kd
