#include "timetrial/frmSettingTimeTrial.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "common/GameState.h"
#include "common/GenreFile.h"
#include "common/PlayerFiles.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "questions/Genre.h"
#include "questions/StringTable.h"
#include "timetrial/frmTimeTrial.h"

namespace kd {

frmSettingTimeTrial::frmSettingTimeTrial(AppContext& ctx, frmTimeTrial* owner)
    : FormBase(ctx, QStringLiteral("frmSettingTimeTrial"), owner), m_owner(owner) {
    SetClientSize(388, 102);
    auto* frmGenre = new QGroupBox(QStringLiteral("ジャンルを設定してください。"), this);
    frmGenre->setObjectName(QStringLiteral("frmGenre"));
    frmGenre->setGeometry(6, 12, 262, 79);
    optJp = new QRadioButton(QStringLiteral("日本語"), frmGenre);
    optJp->setObjectName(QStringLiteral("optJp"));
    optJp->move(21, 30);
    optJp->adjustSize();
    optEng = new QRadioButton(QStringLiteral("英単語"), frmGenre);
    optEng->setObjectName(QStringLiteral("optEng"));
    optEng->move(150, 30);
    optEng->adjustSize();
    cmdOK = MakeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), 291, 12, 91, 37);
    cmdCancel = MakeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("キャンセル"), 291, 54, 91, 37);
    SetDefaultButtons(cmdOK, cmdCancel);
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    cmdCancel->setAutoDefault(true);

    connect(optJp, &QRadioButton::toggled, this, [this] { ShowSelection(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmSettingTimeTrial::Form_Load() {
    SetCaption(QStringLiteral("設定"));
    // Over the play screen, where the player is looking, even without a window manager.
    if (m_owner) move(m_owner->geometry().center() - rect().center());
    // Only exactly 1 shows English here; OK then rewrites any odd value as 0 or 1.
    const qint16 value = ReadGenreValue(TimeTrialGenrePath(g));
    (value == 1 ? optEng : optJp)->setChecked(true);
    ShowSelection();
}

void frmSettingTimeTrial::ShowSelection() {
    SetForeColor(optJp, optJp->isChecked() ? QColor(255, 0, 0) : QColor(0, 0, 0));
    SetForeColor(optEng, optEng->isChecked() ? QColor(255, 0, 0) : QColor(0, 0, 0));
}

void frmSettingTimeTrial::cmdOK_Click() {
    const bool jp = optJp->isChecked();
    const QString key = GenreKey(jp ? Genre::Idioms : Genre::English);
    if (m_owner) m_owner->ApplyGenre(key);
    if (!WriteGenreValue(TimeTrialGenrePath(g), jp ? 0 : 1))
        ctx.msg.Show(
            this, AppTitle(),
            QStringLiteral(
                "ジャンルの設定を保存できませんでした。\n今回の挑戦には選んだジャンルが使われます。"),
            MsgButtons::OK);
    Unload();
}

void frmSettingTimeTrial::cmdCancel_Click() {
    Unload();
}

}  // namespace kd
