#include <QDir>

#include "PracticeFixture.h"
#include "practice/UpDown.h"

using namespace kd;
using namespace kd::test;

class SettingDialogTest : public PracticeTest {
  protected:
    PracticeSettingsDialog* OpenDialog() {
        practice = OpenPractice();
        Click(Find<QPushButton>(practice, "cmdPracticeTime"));
        return app.Current<PracticeSettingsDialog>();
    }
    PracticeScreen* practice = nullptr;
};

TEST_F(SettingDialogTest, OpensModallyWithTheStoredSetting) {
    struct Case {
        QByteArray stored;
        bool limited;
        const char* minutes;
        const char* seconds;
        int genre;
    } cases[] = {
        {QByteArray(), true, "1", "0", 0},  // a new player: the default the screen wrote
        {IdiomsSetting("5A 00"), true, "1", "30", 0},
        {EnglishSetting("8F 02"), true, "10", "55", 1},
        {EnglishSetting("FF FF"), false, "1", "0", 1},  // design values stay
    };
    for (const Case& c : cases) {
        if (!c.stored.isEmpty()) StoreSetting(c.stored);
        PracticeSettingsDialog* d = OpenDialog();
        ASSERT_TRUE(d);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("設定"));
        EXPECT_EQ(d->windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(d->parentWidget(), practice);
        EXPECT_EQ(d->optLimited->isChecked(), c.limited);
        EXPECT_EQ(d->optNoLimited->isChecked(), !c.limited);
        EXPECT_EQ(ForeColor(d->optLimited), c.limited ? kRed : kBlack);
        EXPECT_EQ(ForeColor(d->optNoLimited), c.limited ? kBlack : kRed);
        EXPECT_EQ(d->lblMinute->text(), QString::fromLatin1(c.minutes));
        EXPECT_EQ(d->lblSecond->text(), QString::fromLatin1(c.seconds));
        for (QWidget* w : std::initializer_list<QWidget*>{d->lblMinute, d->lblHun, d->lblSecond, d->lblByo,
                                                          d->udnMinute, d->udnSecond})
            EXPECT_EQ(w->isEnabled(), c.limited) << w->objectName().toStdString();
        EXPECT_TRUE(d->optGenre[c.genre]->isChecked());
        EXPECT_EQ(ForeColor(d->optGenre[c.genre]), kRed);
        EXPECT_EQ(ForeColor(d->optGenre[1 - c.genre]), kBlack);
        EXPECT_EQ(d->SelectedGenre, c.genre ? QStringLiteral("english") : QStringLiteral("kannyouku"));
        practice->CloseScreen();
        app.Flush();
    }
}

TEST_F(SettingDialogTest, OkStoresTheSettingAndShowsItOnThePracticeScreen) {
    struct Case {
        int minuteSteps, secondSteps;
        bool noLimit;
        int genre;
        QByteArray record;
        const char* time;
        const char* nokori;
        const char* genreText;
    } cases[] = {
        {1, 7, false, 1, EnglishSetting("9B 00"), "練習時間：2分 35秒", "155.0", "ジャンル：英単語"},
        {-1, 1, false, 0, IdiomsSetting("05 00"), "練習時間：0分 5秒", "5.0", "ジャンル：慣用句"},
        {0, 0, true, 1, EnglishSetting("FF FF"), "練習時間：無制限", "無制限", "ジャンル：英単語"},
        {20, 20, false, 0, IdiomsSetting("8F 02"), "練習時間：10分 55秒", "655.0", "ジャンル：慣用句"},
    };
    for (const Case& c : cases) {
        StoreSetting(IdiomsSetting("3C 00") + Record("01 02 03"));  // with a history record
        PracticeSettingsDialog* d = OpenDialog();
        ASSERT_TRUE(d);
        Click(d->optGenre[c.genre]);
        for (int i = 0; i < qAbs(c.minuteSteps); ++i)
            Click(c.minuteSteps > 0 ? d->udnMinute->upButton : d->udnMinute->downButton);
        for (int i = 0; i < c.secondSteps; ++i) Click(d->udnSecond->upButton);
        if (c.noLimit) Click(d->optNoLimited);
        QPointer<PracticeSettingsDialog> guard(d);
        Click(d->cmdOk);
        EXPECT_TRUE(guard.isNull() || guard->IsClosing());
        EXPECT_TRUE(app.msg.asked.isEmpty());
        EXPECT_EQ(app.ReadFile(PracticeFile()), c.record + Record("01 02 03"));
        EXPECT_EQ(Find<QLabel>(practice, "lblPracticeTime")->text(), QString::fromUtf8(c.time));
        EXPECT_EQ(Find<QLabel>(practice, "lblNokori")->text(), QString::fromUtf8(c.nokori));
        EXPECT_EQ(Find<QLabel>(practice, "lblGenre")->text(), QString::fromUtf8(c.genreText));
        EXPECT_EQ(practice->PlayedGenreKey(),
                  c.genre ? QStringLiteral("english") : QStringLiteral("kannyouku"));
        EXPECT_EQ(app.g.questions.GetGenre(), c.genre ? QStringLiteral("英単語") : QStringLiteral("慣用句"));
        practice->CloseScreen();
        app.Flush();
    }
}

TEST_F(SettingDialogTest, ZeroTimeIsRefusedUnlessThereIsNoLimit) {
    PracticeSettingsDialog* d = OpenDialog();
    Click(d->udnMinute->downButton);
    Click(d->udnMinute->downButton);  // stops at 0
    EXPECT_EQ(d->lblMinute->text(), QStringLiteral("0"));
    Click(d->cmdOk);
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].title, QStringLiteral("Key Derby"));
    EXPECT_EQ(app.msg.asked[0].text, QStringLiteral("練習時間は、5秒以上、または、無制限です。"));
    EXPECT_EQ(app.msg.asked[0].buttons, MsgButtons::OK);
    EXPECT_EQ(app.Current<PracticeSettingsDialog>(), d) << "the dialog stays open";
    EXPECT_EQ(app.ReadFile(PracticeFile()), IdiomsSetting("3C 00"));

    // No limit keeps the minutes and seconds as they were, and is accepted.
    Click(d->optNoLimited);
    EXPECT_FALSE(d->udnSecond->isEnabled());
    Click(d->optLimited);
    EXPECT_EQ(d->lblMinute->text(), QStringLiteral("0"));
    EXPECT_EQ(d->lblSecond->text(), QStringLiteral("0"));
    Click(d->optNoLimited);
    Click(d->cmdOk);
    EXPECT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.ReadFile(PracticeFile()), IdiomsSetting("FF FF"));
}

TEST_F(SettingDialogTest, CancelTheCloseBoxEscAndEnterOnCancelChangeNothing) {
    for (int way = 0; way < 4; ++way) {
        StoreSetting(IdiomsSetting("5A 00"));
        PracticeSettingsDialog* d = OpenDialog();
        Click(d->optGenre[1]);
        Click(d->udnMinute->upButton);
        QPointer<PracticeSettingsDialog> guard(d);
        if (way == 0) Click(d->cmdCancel);
        if (way == 1) d->close();
        if (way == 2) Press(d, Qt::Key_Escape);
        if (way == 3) {  // Enter presses the button that has the focus, not always OK
            d->cmdCancel->setFocus();
            Press(d->cmdCancel, Qt::Key_Return);
        }
        EXPECT_TRUE(guard.isNull() || guard->IsClosing()) << way;
        EXPECT_EQ(app.ReadFile(PracticeFile()), IdiomsSetting("5A 00"));
        EXPECT_EQ(Find<QLabel>(practice, "lblPracticeTime")->text(), QStringLiteral("練習時間：1分 30秒"));
        EXPECT_EQ(Find<QLabel>(practice, "lblGenre")->text(), QStringLiteral("ジャンル：慣用句"));
        EXPECT_EQ(practice->PlayedGenreKey(), QStringLiteral("kannyouku"));
        EXPECT_EQ(app.g.questions.GetGenre(), QStringLiteral("慣用句"));
        practice->CloseScreen();
        app.Flush();
    }
}

TEST_F(SettingDialogTest, SpinnersStepWithinTheirRangeAndEnterConfirms) {
    PracticeSettingsDialog* d = OpenDialog();
    for (int i = 0; i < 15; ++i) Click(d->udnSecond->upButton);
    EXPECT_EQ(d->lblSecond->text(), QStringLiteral("55"));
    Click(d->udnSecond->downButton);
    EXPECT_EQ(d->lblSecond->text(), QStringLiteral("50"));
    for (int i = 0; i < 12; ++i) Click(d->udnMinute->upButton);
    EXPECT_EQ(d->lblMinute->text(), QStringLiteral("10"));
    Press(d->optGenre[0], Qt::Key_Return);
    EXPECT_EQ(app.ReadFile(PracticeFile()), IdiomsSetting("8A 02"));  // 650 s
}

TEST_F(SettingDialogTest, ASettingThatCannotBeStoredIsNotShownAsStored) {
    PracticeSettingsDialog* d = OpenDialog();
    // The file's place is taken by a folder: the write fails.
    QFile::remove(PracticeFile());
    ASSERT_TRUE(QDir().mkdir(PracticeFile()));
    Click(d->optGenre[1]);
    Click(d->cmdOk);
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].text, QStringLiteral("設定を保存できませんでした（書き込みできません）。"));
    EXPECT_EQ(app.Current<PracticeSettingsDialog>(), d);
    EXPECT_EQ(Find<QLabel>(practice, "lblGenre")->text(), QStringLiteral("ジャンル：慣用句"));
    EXPECT_EQ(practice->PlayedGenreKey(), QStringLiteral("kannyouku"));
}
