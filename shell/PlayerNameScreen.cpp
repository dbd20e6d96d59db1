#include "shell/PlayerNameScreen.h"

#include <QAbstractItemView>
#include <QCoreApplication>
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
constexpr int kNameScreenWidth = 340;
constexpr int kNameScreenHeight = 140;
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
    namePrompt = MakeLabel(this, QStringLiteral("namePrompt"),
                           QCoreApplication::translate("PlayerNameScreen", "ユーザー名を入力してください。"),
                           20, 18, 300, 22);
    SetPixelFont(namePrompt, 15);
    separatorLine = MakeLabel(this, QStringLiteral("separatorLine"), QString(), 20, 46, 300, 2);
    separatorLine->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    userNameBox = new UserNameBox(this);
    userNameBox->setObjectName(QStringLiteral("userNameBox"));
    userNameBox->setGeometry(20, 58, 300, 28);
    userNameBox->setEditText(kDefaultUser);
    okButton = MakeButton(this, QStringLiteral("okButton"), QStringLiteral("OK"), 238, 100, 82, 28);
    okButton->setAutoDefault(true);
    okButton->setDefault(true);

    connect(userNameBox, &UserNameBox::picked, this, [this](int index) { PickUserName(index); });
    connect(userNameBox->lineEdit(), &QLineEdit::returnPressed, this, [this] { ConfirmName(); });
    connect(okButton, &QPushButton::clicked, this, [this] { ConfirmName(); });
}

void PlayerNameScreen::OnLoad() {
    SetCaption(AppTitle());
    SetClientSize(kNameScreenWidth, kNameScreenHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(kNameScreenWidth / 2, kNameScreenHeight / 2));

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

    userNameBox->clear();
    for (const QString& name : UserNames) {
        if (name.isEmpty()) break;
        userNameBox->addItem(name);
    }
    userNameBox->setCurrentIndex(0);
    userNameBox->setEditText(userNameBox->itemText(0));
    userNameBox->lineEdit()->selectAll();
    userNameBox->setFocus();
}

void PlayerNameScreen::PickUserName(int index) {
    if (index > 0 && index < userNameBox->count()) {
        const QString picked = userNameBox->itemText(index);
        userNameBox->setItemText(index, userNameBox->itemText(0));
        userNameBox->setItemText(0, picked);
    }
    userNameBox->setCurrentIndex(0);
    userNameBox->setEditText(userNameBox->itemText(0));
    for (int i = 0; i < userNameBox->count() && i < kUserNameSlots; ++i)
        UserNames[i] = userNameBox->itemText(i);
}

void PlayerNameScreen::Refuse(const QString& text) {
    ctx.msg.Show(this, AppTitle(), text, MsgButtons::OK);
    userNameBox->lineEdit()->selectAll();
    userNameBox->setFocus();
}

void PlayerNameScreen::ConfirmName() {
    if (IsClosing()) return;
    QString name = userNameBox->currentText();
    if (HasForbiddenCharacter(name)) {
        Refuse(ForbiddenCharacterMessage());
        return;
    }
    if (name.isEmpty()) {
        name = kDefaultUser;
        userNameBox->setEditText(name);
    }
    if (const QString problem = PlayerNameProblem(name); !problem.isEmpty()) {
        Refuse(problem);
        return;
    }
    if (ctx.msg.Show(this, AppTitle(),
                     QCoreApplication::translate("PlayerNameScreen", "%1さんでよろしいですか？").arg(name),
                     MsgButtons::OKCancel) != MsgAnswer::OK)
        return;

    // The name passed the checks above, so this is always a folder directly inside the
    // program folder.
    const QString folder = g.programFolder + u'/' + name;
    if (!ExistFolder(folder) && !MakeFolder(folder)) {
        Refuse(FailureMessage(
                   QCoreApplication::translate("PlayerNameScreen", "「%1」のフォルダーを作成できませんでした")
                       .arg(name),
                   TroubleOfFolder(folder)) +
               QCoreApplication::translate("PlayerNameScreen", "\n別の名前を使うか、") + g.programFolder +
               QCoreApplication::translate("PlayerNameScreen", " に書き込めるか確かめてください。"));
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
                     SaveFailureMessage(QCoreApplication::translate("PlayerNameScreen",
                                                                    "ユーザー名の一覧を保存できませんでした"),
                                        PlayerListPath(g.programFolder)),
                     MsgButtons::OK);
}

bool PlayerNameScreen::MayClose(CloseReason reason) {
    // No other window is open yet: closing this one ends the program.
    if (reason == CloseReason::Player) ctx.nav.EndProgram();
    return true;
}

}  // namespace kd
