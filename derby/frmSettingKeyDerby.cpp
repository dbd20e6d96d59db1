#include "derby/frmSettingKeyDerby.h"

#include <QGroupBox>
#include <QPointer>

#include "common/GameState.h"
#include "common/GenreFile.h"
#include "common/PlayerFiles.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "questions/StringTable.h"

namespace kd {

frmSettingKeyDerby::frmSettingKeyDerby(AppContext& ctx_, QWidget* owner)
    : FormBase(ctx_, QStringLiteral("frmSettingKeyDerby"), owner) {
    SetCaption(QStringLiteral("設定"));
    SetClientSize(342, 92);
    SetBackgroundColor(QColor(212, 208, 200));

    auto* frame = new QGroupBox(QStringLiteral("ジャンルを選んでください。"), this);
    frame->setObjectName(QStringLiteral("frmGenre"));
    frame->setGeometry(6, 15, 223, 64);
    optJp = new QRadioButton(QStringLiteral("日本語"), frame);
    optJp->setObjectName(QStringLiteral("optJp"));
    optJp->move(15, 27);
    optJp->setChecked(true);
    optEng = new QRadioButton(QStringLiteral("英単語"), frame);
    optEng->setObjectName(QStringLiteral("optEng"));
    optEng->move(123, 27);
    connect(optJp, &QRadioButton::clicked, this, [this] { optJp_Click(); });
    connect(optEng, &QRadioButton::clicked, this, [this] { optEng_Click(); });

    cmdOK = MakeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), 246, 15, 88, 31);
    cmdCancel = MakeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("キャンセル"), 246, 48, 88, 31);
    SetDefaultButtons(cmdOK, cmdCancel);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

QString frmSettingKeyDerby::GenrePath() const {
    return DerbyGenrePath(g);
}

void frmSettingKeyDerby::Form_Load() {
    GenreValue = ReadGenreValue(GenrePath());
    // Only exactly 1 shows as English; any other value is kept as read unless changed here.
    MarkChoice(GenreValue == 1);
}

void frmSettingKeyDerby::MarkChoice(bool english) {
    (english ? optEng : optJp)->setChecked(true);
    SetForeColor(optEng, english ? QColor(255, 0, 0) : QColor(0, 0, 0));
    SetForeColor(optJp, english ? QColor(0, 0, 0) : QColor(255, 0, 0));
}

void frmSettingKeyDerby::optJp_Click() {
    MarkChoice(false);
    GenreValue = 0;
}

void frmSettingKeyDerby::optEng_Click() {
    MarkChoice(true);
    GenreValue = 1;
}

void frmSettingKeyDerby::cmdOK_Click() {
    if (!WriteGenreValue(GenrePath(), GenreValue)) {
        QPointer<frmSettingKeyDerby> self(this);
        ctx.msg.Show(this, AppTitle(), QStringLiteral("ジャンルを保存できませんでした。"), MsgButtons::OK);
        if (!self) return;
    }
    Unload();
}

void frmSettingKeyDerby::cmdCancel_Click() {
    Unload();
}

}  // namespace kd
