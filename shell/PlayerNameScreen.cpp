#include "shell/PlayerNameScreen.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "common/FileSystem.h"
#include "common/GameState.h"
#include "common/PlayerList.h"
#include "common/RecordFile.h"
#include "platform/core/WriteTrouble.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "questions/StringTable.h"

namespace kd {

namespace {
const QString kDefaultUser = QStringLiteral("DefaultUser");
constexpr int kWidth = 340;
constexpr int kHeight = 140;
}  // namespace

UserNameBox::UserNameBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // No completion: it would turn a typed "bob" into a listed "Bob".
    setCompleter(nullptr);
    setMaxVisibleItems(kUserNameSlots);
    connect(this, &QComboBox::activated, this, [this](int index) {
        const bool fromList = m_popupClosing;
        m_popupClosing = false;
        if (fromList) emit picked(index);
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_popupClosing = false; });
}

void UserNameBox::showPopup() {
    m_popupClosing = false;
    QComboBox::showPopup();
}

void UserNameBox::hidePopup() {
    // An entry chosen in the list is announced right after the list closes.
    m_popupClosing = view() && view()->isVisible();
    QComboBox::hidePopup();
}

PlayerNameScreen::PlayerNameScreen(AppContext& ctx_) : ScreenBase(ctx_, Screen::InputUserName) {
    Label1 = MakeLabel(this, QStringLiteral("Label1"), QStringLiteral("ユーザー名を入力してください。"), 20,
                       18, 300, 22);
    SetPixelFont(Label1, 15);
    Label2 = MakeLabel(this, QStringLiteral("Label2"), QString(), 20, 46, 300, 2);
    Label2->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    cmbUserName = new UserNameBox(this);
    cmbUserName->setObjectName(QStringLiteral("cmbUserName"));
    cmbUserName->setGeometry(20, 58, 300, 28);
    cmbUserName->setEditText(kDefaultUser);
    cmdOK = MakeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), 238, 100, 82, 28);
    cmdOK->setAutoDefault(true);
    cmdOK->setDefault(true);

    connect(cmbUserName, &UserNameBox::picked, this, [this](int index) { cmbUserName_Click(index); });
    connect(cmbUserName->lineEdit(), &QLineEdit::returnPressed, this, [this] { cmdOK_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void PlayerNameScreen::OnLoad() {
    SetCaption(AppTitle());
    SetClientSize(kWidth, kHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(kWidth / 2, kHeight / 2));

    // Only players whose folders are still there; an empty slot passes, as its path is the
    // program folder itself. A name no player folder could carry is dropped with them.
    const QStringList stored = LoadUserNames(g.programFolder).names;
    UserNames.clear();
    for (const QString& name : stored) {
        if (!PlayerNameProblem(name).isEmpty()) continue;
        if (ExistFolder(g.programFolder + u'/' + name)) UserNames << name;
    }
    while (UserNames.size() < kUserNameSlots) UserNames << QString();
    if (UserNames.at(0).isEmpty()) UserNames[0] = kDefaultUser;

    cmbUserName->clear();
    for (const QString& name : UserNames) {
        if (name.isEmpty()) break;
        cmbUserName->addItem(name);
    }
    cmbUserName->setCurrentIndex(0);
    cmbUserName->setEditText(cmbUserName->itemText(0));
    cmbUserName->lineEdit()->selectAll();
    cmbUserName->setFocus();
}

void PlayerNameScreen::cmbUserName_Click(int index) {
    if (index > 0 && index < cmbUserName->count()) {
        const QString picked = cmbUserName->itemText(index);
        cmbUserName->setItemText(index, cmbUserName->itemText(0));
        cmbUserName->setItemText(0, picked);
    }
    cmbUserName->setCurrentIndex(0);
    cmbUserName->setEditText(cmbUserName->itemText(0));
    for (int i = 0; i < cmbUserName->count() && i < kUserNameSlots; ++i)
        UserNames[i] = cmbUserName->itemText(i);
}

void PlayerNameScreen::Refuse(const QString& text) {
    ctx.msg.Show(this, AppTitle(), text, MsgButtons::OK);
    cmbUserName->lineEdit()->selectAll();
    cmbUserName->setFocus();
}

void PlayerNameScreen::cmdOK_Click() {
    if (IsClosing()) return;
    QString name = cmbUserName->currentText();
    if (HasForbiddenCharacter(name)) {
        Refuse(ForbiddenCharacterMessage());
        return;
    }
    if (name.isEmpty()) {
        name = kDefaultUser;
        cmbUserName->setEditText(name);
    }
    if (const QString problem = PlayerNameProblem(name); !problem.isEmpty()) {
        Refuse(problem);
        return;
    }
    if (ctx.msg.Show(this, AppTitle(), name + QStringLiteral("さんでよろしいですか？"),
                     MsgButtons::OKCancel) != MsgAnswer::OK)
        return;

    // The name passed the checks above, so this is always a folder directly inside the
    // program folder.
    const QString folder = g.programFolder + u'/' + name;
    if (!ExistFolder(folder) && !MakeFolder(folder)) {
        Refuse(FailureMessage(QStringLiteral("「%1」のフォルダーを作成できませんでした").arg(name),
                              TroubleOfFolder(folder)) +
               QStringLiteral("\n別の名前を使うか、") + g.programFolder +
               QStringLiteral(" に書き込めるか確かめてください。"));
        return;
    }
    g.player.SetUserName(name);
    UserNames = AddUserName(UserNames, name);
    SaveUserName();
    ctx.nav.Replace(this, Screen::Main);
}

void PlayerNameScreen::SaveUserName() {
    if (!SaveUserNames(g.programFolder, UserNames))
        ctx.msg.Show(this, AppTitle(),
                     SaveFailureMessage(QStringLiteral("ユーザー名の一覧を保存できませんでした"),
                                        PlayerListPath(g.programFolder)),
                     MsgButtons::OK);
}

bool PlayerNameScreen::MayClose(CloseReason reason) {
    // No other window is open yet: closing this one ends the program.
    if (reason == CloseReason::Player) ctx.nav.EndProgram();
    return true;
}

}  // namespace kd
