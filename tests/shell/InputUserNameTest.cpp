#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "shell/PlayerNameScreen.h"
#include "shell/Register.h"
#include "support/TestApp.h"

using namespace kd;
using namespace kd::test;

namespace {

class NameScreen : public ::testing::Test {
  protected:
    void SetUp() override { RegisterShellScreens(app.nav); }

    QString DataDat() const { return app.dir.filePath(QStringLiteral("Data.dat")); }
    void MakePlayerFolder(const QString& name) { QDir().mkpath(app.dir.filePath(name)); }
    bool HasFolder(const QString& name) const { return QFileInfo(app.dir.filePath(name)).isDir(); }

    PlayerNameScreen* Open() {
        form = app.Open<PlayerNameScreen>(Screen::InputUserName);
        box = Find<QComboBox>(form, QStringLiteral("userNameBox"));
        return form;
    }
    QStringList Listed() const {
        QStringList out;
        for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
        return out;
    }
    void TypeName(const QString& name) {
        box->lineEdit()->selectAll();
        Press(box, Qt::Key_Delete);
        Type(box, name);
    }
    void PressEnter() { Press(box, Qt::Key_Return); }
    // Opens the drop-down list and picks the entry with the keyboard.
    void Pick(int index) {
        box->showPopup();
        QAbstractItemView* view = box->view();
        view->setCurrentIndex(view->model()->index(index, 0));
        Press(view, Qt::Key_Return);
    }

    TestApp app;
    PlayerNameScreen* form = nullptr;
    QComboBox* box = nullptr;
};

}  // namespace

TEST_F(NameScreen, FirstRunOffersDefaultUserAndConfirmingItCreatesTheFolderAndTheList) {
    Open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Key Derby"));
    EXPECT_EQ(Find<QLabel>(form, QStringLiteral("namePrompt"))->text(),
              QStringLiteral("ユーザー名を入力してください。"));
    // Opening the list created the file empty.
    EXPECT_TRUE(QFileInfo::exists(DataDat()));
    EXPECT_EQ(QFileInfo(DataDat()).size(), 0);
    EXPECT_EQ(Listed(), QStringList{QStringLiteral("DefaultUser")});
    EXPECT_EQ(box->currentText(), QStringLiteral("DefaultUser"));
    EXPECT_EQ(box->lineEdit()->selectedText(), QStringLiteral("DefaultUser"));

    PressEnter();
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].title, QStringLiteral("Key Derby"));
    EXPECT_EQ(app.msg.asked[0].text, QStringLiteral("DefaultUserさんでよろしいですか？"));
    EXPECT_EQ(app.msg.asked[0].buttons, MsgButtons::OKCancel);
    EXPECT_TRUE(HasFolder(QStringLiteral("DefaultUser")));
    EXPECT_EQ(app.g.player.GetUserName(), QStringLiteral("DefaultUser"));
    EXPECT_EQ(app.ReadFile(DataDat()), Record("0B 00 44 65 66 61 75 6C 74 55 73 65 72"));
    EXPECT_EQ(app.nav.LastShown(), Screen::Main);
    EXPECT_TRUE(form->IsClosing());
}

TEST_F(NameScreen, AnEmptyTextConfirmsDefaultUser) {
    Open();
    TypeName(QString());
    Click(Find<QPushButton>(form, QStringLiteral("okButton")));
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].text, QStringLiteral("DefaultUserさんでよろしいですか？"));
    EXPECT_TRUE(HasFolder(QStringLiteral("DefaultUser")));
}

TEST_F(NameScreen, CancelStaysWithTheTextAndStoresNothing) {
    Open();
    TypeName(QStringLiteral("Bob"));
    app.msg.Answer(MsgAnswer::Cancel);
    PressEnter();
    EXPECT_FALSE(HasFolder(QStringLiteral("Bob")));
    EXPECT_EQ(QFileInfo(DataDat()).size(), 0);
    EXPECT_EQ(box->currentText(), QStringLiteral("Bob"));
    EXPECT_FALSE(form->IsClosing());
    EXPECT_TRUE(app.g.player.GetUserName().isEmpty());
}

TEST_F(NameScreen, ListsOnlyPlayersWhoseFoldersRemainWithoutRewritingTheFile) {
    // Carol, Bob, Alice; Bob's folder has been deleted.
    const QByteArray stored = Record("05 00 43 61 72 6F 6C 03 00 42 6F 62 05 00 41 6C 69 63 65");
    app.WriteFile(DataDat(), stored);
    MakePlayerFolder(QStringLiteral("Carol"));
    MakePlayerFolder(QStringLiteral("Alice"));
    Open();
    EXPECT_EQ(Listed(), (QStringList{QStringLiteral("Carol"), QStringLiteral("Alice")}));
    EXPECT_EQ(app.ReadFile(DataDat()), stored);

    // Typing Bob again puts him back on top and makes his folder again.
    TypeName(QStringLiteral("Bob"));
    PressEnter();
    EXPECT_TRUE(HasFolder(QStringLiteral("Bob")));
    EXPECT_EQ(app.ReadFile(DataDat()), Record("03 00 42 6F 62 05 00 43 61 72 6F 6C 05 00 41 6C 69 63 65"));
}

TEST_F(NameScreen, APickSwapsWithTheTopButATypedListedNameStaysWhereItIs) {
    app.WriteFile(DataDat(), Record("01 00 41 01 00 42 01 00 43"));  // A, B, C
    for (const char* n : {"A", "B", "C"}) MakePlayerFolder(QString::fromLatin1(n));

    Open();
    Pick(2);
    EXPECT_EQ(Listed(), (QStringList{QStringLiteral("C"), QStringLiteral("B"), QStringLiteral("A")}));
    EXPECT_EQ(box->currentText(), QStringLiteral("C"));
    PressEnter();
    EXPECT_EQ(app.ReadFile(DataDat()), Record("01 00 43 01 00 42 01 00 41"));
    EXPECT_EQ(app.g.player.GetUserName(), QStringLiteral("C"));
}

TEST_F(NameScreen, TypingAListedNameKeepsTheOrder) {
    app.WriteFile(DataDat(), Record("01 00 41 01 00 42 01 00 43"));
    for (const char* n : {"A", "B", "C"}) MakePlayerFolder(QString::fromLatin1(n));
    Open();
    TypeName(QStringLiteral("C"));
    PressEnter();
    EXPECT_EQ(app.g.player.GetUserName(), QStringLiteral("C"));
    EXPECT_EQ(app.ReadFile(DataDat()), Record("01 00 41 01 00 42 01 00 43"));
}

TEST_F(NameScreen, NamesDifferingInCaseAreDifferentPlayers) {
    app.WriteFile(DataDat(), Record("03 00 42 6F 62"));  // Bob
    MakePlayerFolder(QStringLiteral("Bob"));
    Open();
    TypeName(QStringLiteral("bob"));
    PressEnter();
    EXPECT_EQ(app.ReadFile(DataDat()), Record("03 00 62 6F 62 03 00 42 6F 62"));
}

TEST_F(NameScreen, JapaneseNamesAreStoredInShiftJis) {
    Open();
    TypeName(QStringLiteral("太郎"));
    PressEnter();
    EXPECT_TRUE(HasFolder(QStringLiteral("太郎")));
    // The new name on top, the "DefaultUser" the screen offered below it.
    EXPECT_EQ(app.ReadFile(DataDat()), Record("04 00 91 BE 98 59 0B 00 44 65 66 61 75 6C 74 55 73 65 72"));
}

TEST_F(NameScreen, WithTwentyOneNamesANewOneDropsTheLast) {
    QByteArray rec;
    for (int i = 0; i < 21; ++i) {
        const QByteArray name = QByteArray(1, char('a' + i));
        rec += QByteArray::fromHex("0100") + name;
        MakePlayerFolder(QString::fromLatin1(name));
    }
    app.WriteFile(DataDat(), rec.leftJustified(128, '\0'));
    Open();
    EXPECT_EQ(box->count(), 21);
    TypeName(QStringLiteral("z"));
    PressEnter();
    QByteArray expected = QByteArray::fromHex("01007A");
    for (int i = 0; i < 20; ++i) expected += QByteArray::fromHex("0100") + char('a' + i);
    EXPECT_EQ(app.ReadFile(DataDat()), expected.leftJustified(128, '\0'));
}

TEST_F(NameScreen, RefusedNamesGetAMessageAndCreateNothing) {
    struct Case {
        QString name, message;
        bool pasted = false;  // what a key cannot type arrives by pasting
    } cases[] = {
        {QStringLiteral("a*b"), QStringLiteral("\\/:*?\"<>|は使えません。")},
        {QStringLiteral("../evil"), QStringLiteral("\\/:*?\"<>|は使えません。")},
        {QStringLiteral(".."), QStringLiteral("「.」と「..」は名前に使えません。")},
        {QStringLiteral("Bob "), QStringLiteral("名前の最初と最後に空白は使えません。")},
        {QStringLiteral("a\u0007b"), QStringLiteral("制御文字は名前に使えません。"), true},
        {QStringLiteral("Bob😀"), QStringLiteral("「😀」は使えません。"), true},
        {QString(44, QChar(0x6F22)),
         QStringLiteral("名前が長すぎます。全角なら43文字、半角なら86文字までにしてください。")},
    };
    Open();
    const QStringList before = QDir(app.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const Case& c : cases) {
        app.msg.asked.clear();
        if (c.pasted)
            box->setEditText(c.name);
        else
            TypeName(c.name);
        PressEnter();
        ASSERT_EQ(app.msg.asked.size(), 1) << qPrintable(c.name);
        EXPECT_EQ(app.msg.asked[0].text, c.message);
        EXPECT_EQ(app.msg.asked[0].buttons, MsgButtons::OK);
        EXPECT_EQ(box->lineEdit()->selectedText(), c.name);
        EXPECT_FALSE(form->IsClosing());
    }
    EXPECT_EQ(QDir(app.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    EXPECT_FALSE(QFileInfo::exists(app.dir.filePath(QStringLiteral("../evil"))));
    EXPECT_EQ(QFileInfo(DataDat()).size(), 0);
}

TEST_F(NameScreen, AFolderThatCannotBeMadeIsReportedAndTheScreenStays) {
    // "Data.dat" is taken by the player list itself.
    Open();
    TypeName(QStringLiteral("Data.dat"));
    PressEnter();
    ASSERT_EQ(app.msg.asked.size(), 2);
    EXPECT_TRUE(app.msg.asked[1].text.startsWith(
        QStringLiteral("「Data.dat」のフォルダーを作成できませんでした（書き込みできません）。")));
    EXPECT_FALSE(form->IsClosing());
    EXPECT_TRUE(app.g.player.GetUserName().isEmpty());
}

TEST_F(NameScreen, AListThatCannotBeSavedIsReportedButThePlayerGoesOn) {
    QDir().mkpath(DataDat());  // a folder where the list should be
    Open();
    TypeName(QStringLiteral("Bob"));
    PressEnter();
    ASSERT_EQ(app.msg.asked.size(), 2);
    EXPECT_TRUE(app.msg.asked[1].text.startsWith(
        QStringLiteral("ユーザー名の一覧を保存できませんでした（書き込みできません）。")));
    EXPECT_EQ(app.nav.LastShown(), Screen::Main);
}

TEST_F(NameScreen, AnUndecodableListIsMovedAsideAndTheListStartsAfresh) {
    const QByteArray damaged = Record("05 00 41 6C 69 63 65 FF 00 42");
    app.WriteFile(DataDat(), damaged);
    MakePlayerFolder(QStringLiteral("Alice"));
    Open();
    EXPECT_TRUE(app.msg.asked.isEmpty());
    EXPECT_EQ(Listed(), QStringList{QStringLiteral("DefaultUser")});
    EXPECT_EQ(box->lineEdit()->selectedText(), QStringLiteral("DefaultUser"));
    EXPECT_EQ(app.ReadFile(DataDat() + QStringLiteral(".damaged")), damaged);

    // A second damaged list does not overwrite the first copy.
    TestApp::Flush();
    app.WriteFile(DataDat(), damaged.left(20));
    form->CloseScreen();
    Open();
    EXPECT_EQ(app.ReadFile(DataDat() + QStringLiteral(".damaged-2")), damaged.left(20));
}

TEST_F(NameScreen, TheCloseBoxEndsTheProgram) {
    Open();
    form->close();
    EXPECT_TRUE(app.nav.ended);
    EXPECT_TRUE(app.msg.asked.isEmpty());
}
