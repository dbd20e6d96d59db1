#include "play/GenreDialog.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "common/GameState.h"
#include "common/GenreFile.h"
#include "common/PlayerFiles.h"
#include "common/RecordFile.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "questions/StringTable.h"

namespace kd {

namespace {

// The time trial writes what is shown; the derby keeps an odd stored value until the player picks.
const GenreDialogLook kLooks[] = {
    {"TimeTrialGenreDialog",
     QT_TRANSLATE_NOOP("GenreDialog", "ジャンルを設定してください。"),
     {388, 102},
     {6, 12, 262, 79},
     {21, 30},
     {150, 30},
     true,
     {291, 12, 91, 37},
     {291, 54, 91, 37},
     std::nullopt,
     true,
     true,
     false,
     QT_TRANSLATE_NOOP("GenreDialog", "ジャンルの設定を保存できませんでした"),
     QT_TRANSLATE_NOOP("GenreDialog", "\n今回の挑戦には選んだジャンルが使われます。")},
    {"DerbyGenreDialog",
     QT_TRANSLATE_NOOP("GenreDialog", "ジャンルを選んでください。"),
     {342, 92},
     {6, 15, 223, 64},
     {15, 27},
     {123, 27},
     false,
     {246, 15, 88, 31},
     {246, 48, 88, 31},
     QColor(212, 208, 200),
     false,
     false,
     true,
     QT_TRANSLATE_NOOP("GenreDialog", "ジャンルを保存できませんでした"),
     ""},
};

QString GenrePath(const GameState& g, GenreDialogMode mode) {
    return mode == GenreDialogMode::Derby ? DerbyGenrePath(g) : TimeTrialGenrePath(g);
}

}  // namespace

GenreDialog::GenreDialog(AppContext& ctx_, QWidget* owner, GenreDialogMode mode)
    : ScreenBase(ctx_, QLatin1String(kLooks[int(mode)].name), owner),
      m_look(kLooks[int(mode)]),
      m_path(GenrePath(ctx_.g, mode)),
      m_owner(owner) {
    SetCaption(QCoreApplication::translate("GenreDialog", "設定"));
    SetClientSize(m_look.client.width(), m_look.client.height());
    if (m_look.background) SetBackgroundColor(*m_look.background);

    auto* genreGroup = new QGroupBox(QCoreApplication::translate("GenreDialog", m_look.prompt), this);
    genreGroup->setObjectName(QStringLiteral("genreGroup"));
    genreGroup->setGeometry(m_look.frame);
    genreJapanese = new QRadioButton(QCoreApplication::translate("GenreDialog", "日本語"), genreGroup);
    genreJapanese->setObjectName(QStringLiteral("genreJapanese"));
    genreJapanese->move(m_look.jp);
    genreEnglish = new QRadioButton(QCoreApplication::translate("GenreDialog", "英単語"), genreGroup);
    genreEnglish->setObjectName(QStringLiteral("genreEnglish"));
    genreEnglish->move(m_look.eng);
    if (m_look.fitChoices) {
        genreJapanese->adjustSize();
        genreEnglish->adjustSize();
    }
    genreJapanese->setChecked(true);

    const QRect& ok = m_look.ok;
    const QRect& cancel = m_look.cancel;
    okButton = MakeButton(this, QStringLiteral("okButton"), QStringLiteral("OK"), ok.x(), ok.y(), ok.width(),
                          ok.height());
    cancelButton = MakeButton(this, QStringLiteral("cancelButton"),
                              QCoreApplication::translate("GenreDialog", "キャンセル"), cancel.x(),
                              cancel.y(), cancel.width(), cancel.height());
    SetDefaultButtons(okButton, cancelButton);
    okButton->setDefault(true);
    if (m_look.autoDefaultButtons) {
        okButton->setAutoDefault(true);
        cancelButton->setAutoDefault(true);
    }

    connect(genreJapanese, &QRadioButton::toggled, this, [this] { ShowSelection(); });
    // A click on the chosen one counts as a pick too; an assistive tool's toggle action checks
    // without a click.
    for (QRadioButton* choice : {genreJapanese, genreEnglish}) {
        connect(choice, &QRadioButton::clicked, this, [this] { m_picked = true; });
        connect(choice, &QRadioButton::toggled, this,
                [this](bool on) { m_picked = m_picked || (on && m_loaded); });
    }
    connect(okButton, &QPushButton::clicked, this, [this] { SaveGenre(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { CloseScreen(); });
}

void GenreDialog::OnLoad() {
    // Over the play screen, where the player is looking, even without a window manager.
    if (m_look.overOwner && m_owner) move(m_owner->geometry().center() - rect().center());
    m_read = ReadGenreValue(m_path);
    // Only exactly 1 shows as English.
    (m_read == 1 ? genreEnglish : genreJapanese)->setChecked(true);
    ShowSelection();
    m_loaded = true;
}

void GenreDialog::ShowSelection() {
    SetForeColor(genreJapanese, genreJapanese->isChecked() ? kRed : kBlack);
    SetForeColor(genreEnglish, genreEnglish->isChecked() ? kRed : kBlack);
}

void GenreDialog::SaveGenre() {
    const bool english = genreEnglish->isChecked();
    const qint16 value = m_look.keepUnchangedValue && !m_picked ? m_read : qint16(english ? 1 : 0);
    OnChosen(english ? Genre::English : Genre::Idioms);
    if (!WriteGenreValue(m_path, value)) {
        // The message waits for the player; the dialog may be gone by then.
        QPointer<GenreDialog> self(this);
        ctx.msg.Show(
            this, AppTitle(),
            SaveFailureMessage(QCoreApplication::translate("GenreDialog", m_look.saveFailed)) +
                (*m_look.saveFailedNote ? QCoreApplication::translate("GenreDialog", m_look.saveFailedNote)
                                        : QString()),
            MsgButtons::OK);
        if (!self) return;
    }
    CloseScreen();
}

}  // namespace kd
