#include "play/GenreDialog.h"

#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "common/GenreFile.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "questions/StringTable.h"

namespace kd {

GenreDialog::GenreDialog(AppContext& ctx_, QWidget* owner, GenreDialogLook look, QString path)
    : FormBase(ctx_, look.name, owner), m_look(std::move(look)), m_path(std::move(path)), m_owner(owner) {
    SetCaption(QStringLiteral("設定"));
    SetClientSize(m_look.client.width(), m_look.client.height());
    if (m_look.background) SetBackgroundColor(*m_look.background);

    auto* frmGenre = new QGroupBox(m_look.prompt, this);
    frmGenre->setObjectName(QStringLiteral("frmGenre"));
    frmGenre->setGeometry(m_look.frame);
    optJp = new QRadioButton(QStringLiteral("日本語"), frmGenre);
    optJp->setObjectName(QStringLiteral("optJp"));
    optJp->move(m_look.jp);
    optEng = new QRadioButton(QStringLiteral("英単語"), frmGenre);
    optEng->setObjectName(QStringLiteral("optEng"));
    optEng->move(m_look.eng);
    if (m_look.fitChoices) {
        optJp->adjustSize();
        optEng->adjustSize();
    }
    optJp->setChecked(true);

    const QRect& ok = m_look.ok;
    const QRect& cancel = m_look.cancel;
    cmdOK = MakeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), ok.x(), ok.y(), ok.width(),
                       ok.height());
    cmdCancel = MakeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("キャンセル"), cancel.x(),
                           cancel.y(), cancel.width(), cancel.height());
    SetDefaultButtons(cmdOK, cmdCancel);
    cmdOK->setDefault(true);
    if (m_look.autoDefaultButtons) {
        cmdOK->setAutoDefault(true);
        cmdCancel->setAutoDefault(true);
    }

    connect(optJp, &QRadioButton::toggled, this, [this] { ShowSelection(); });
    for (QRadioButton* choice : {optJp, optEng})
        connect(choice, &QRadioButton::clicked, this, [this] { m_picked = true; });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { Unload(); });
}

void GenreDialog::Form_Load() {
    // Over the play screen, where the player is looking, even without a window manager.
    if (m_look.overOwner && m_owner) move(m_owner->geometry().center() - rect().center());
    m_read = ReadGenreValue(m_path);
    // Only exactly 1 shows as English.
    (m_read == 1 ? optEng : optJp)->setChecked(true);
    ShowSelection();
}

void GenreDialog::ShowSelection() {
    SetForeColor(optJp, optJp->isChecked() ? QColor(255, 0, 0) : QColor(0, 0, 0));
    SetForeColor(optEng, optEng->isChecked() ? QColor(255, 0, 0) : QColor(0, 0, 0));
}

void GenreDialog::cmdOK_Click() {
    const bool english = optEng->isChecked();
    const qint16 value = m_look.keepUnchangedValue && !m_picked ? m_read : qint16(english ? 1 : 0);
    OnChosen(english ? Genre::English : Genre::Idioms);
    if (!WriteGenreValue(m_path, value)) {
        // The message waits for the player; the dialog may be gone by then.
        QPointer<GenreDialog> self(this);
        ctx.msg.Show(this, AppTitle(), m_look.saveFailed, MsgButtons::OK);
        if (!self) return;
    }
    Unload();
}

}  // namespace kd
