#include <QDir>

#include "PracticeFixture.h"
#include "practice/UpDown.h"

using namespace kd;
using namespace kd::test;

class SettingDialogTest : public PracticeTest {
  protected:
    PracticeSettingsDialog* OpenDialog() {
        practice = OpenPractice();
        Click(Find<QPushButton>(practice, "settingsButton"));
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
        EXPECT_EQ(d->limitedChoice->isChecked(), c.limited);
        EXPECT_EQ(d->unlimitedChoice->isChecked(), !c.limited);
        EXPECT_EQ(ForeColor(d->limitedChoice), c.limited ? kRed : kBlack);
        EXPECT_EQ(ForeColor(d->unlimitedChoice), c.limited ? kBlack : kRed);
        EXPECT_EQ(d->minutesBox->text(), QString::fromLatin1(c.minutes));
        EXPECT_EQ(d->secondsBox->text(), QString::fromLatin1(c.seconds));
        for (QWidget* w : std::initializer_list<QWidget*>{d->minutesBox, d->minutesUnit, d->secondsBox,
                                                          d->secondsUnit, d->minutesUpDown, d->secondsUpDown})
            EXPECT_EQ(w->isEnabled(), c.limited) << w->objectName().toStdString();
        EXPECT_TRUE(d->genreChoices[c.genre]->isChecked());
        EXPECT_EQ(ForeColor(d->genreChoices[c.genre]), kRed);
        EXPECT_EQ(ForeColor(d->genreChoices[1 - c.genre]), kBlack);
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
        Click(d->genreChoices[c.genre]);
        for (int i = 0; i < qAbs(c.minuteSteps); ++i)
            Click(c.minuteSteps > 0 ? d->minutesUpDown->upButton : d->minutesUpDown->downButton);
        for (int i = 0; i < c.secondSteps; ++i) Click(d->secondsUpDown->upButton);
        if (c.noLimit) Click(d->unlimitedChoice);
        QPointer<PracticeSettingsDialog> guard(d);
        Click(d->okButton);
        EXPECT_TRUE(guard.isNull() || guard->IsClosing());
        EXPECT_TRUE(app.msg.asked.isEmpty());
        EXPECT_EQ(app.ReadFile(PracticeFile()), c.record + Record("01 02 03"));
        EXPECT_EQ(Find<QLabel>(practice, "practiceTimeText")->text(), QString::fromUtf8(c.time));
        EXPECT_EQ(Find<QLabel>(practice, "remainingTime")->text(), QString::fromUtf8(c.nokori));
        EXPECT_EQ(Find<QLabel>(practice, "genreText")->text(), QString::fromUtf8(c.genreText));
        EXPECT_EQ(practice->PlayedGenreKey(),
                  c.genre ? QStringLiteral("english") : QStringLiteral("kannyouku"));
        EXPECT_EQ(app.g.questions.GetGenre(), c.genre ? QStringLiteral("英単語") : QStringLiteral("慣用句"));
        practice->CloseScreen();
        app.Flush();
    }
}

TEST_F(SettingDialogTest, ZeroTimeIsRefusedUnlessThereIsNoLimit) {
    PracticeSettingsDialog* d = OpenDialog();
    Click(d->minutesUpDown->downButton);
    Click(d->minutesUpDown->downButton);  // stops at 0
    EXPECT_EQ(d->minutesBox->text(), QStringLiteral("0"));
    Click(d->okButton);
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].title, QStringLiteral("Key Derby"));
    EXPECT_EQ(app.msg.asked[0].text, QStringLiteral("練習時間は、5秒以上、または、無制限です。"));
    EXPECT_EQ(app.msg.asked[0].buttons, MsgButtons::OK);
    EXPECT_EQ(app.Current<PracticeSettingsDialog>(), d) << "the dialog stays open";
    EXPECT_EQ(app.ReadFile(PracticeFile()), IdiomsSetting("3C 00"));

    // No limit keeps the minutes and seconds as they were, and is accepted.
    Click(d->unlimitedChoice);
    EXPECT_FALSE(d->secondsUpDown->isEnabled());
    Click(d->limitedChoice);
    EXPECT_EQ(d->minutesBox->text(), QStringLiteral("0"));
    EXPECT_EQ(d->secondsBox->text(), QStringLiteral("0"));
    Click(d->unlimitedChoice);
    Click(d->okButton);
    EXPECT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.ReadFile(PracticeFile()), IdiomsSetting("FF FF"));
}

TEST_F(SettingDialogTest, CancelTheCloseBoxEscAndEnterOnCancelChangeNothing) {
    for (int way = 0; way < 4; ++way) {
        StoreSetting(IdiomsSetting("5A 00"));
        PracticeSettingsDialog* d = OpenDialog();
        Click(d->genreChoices[1]);
        Click(d->minutesUpDown->upButton);
        QPointer<PracticeSettingsDialog> guard(d);
        if (way == 0) Click(d->cancelButton);
        if (way == 1) d->close();
        if (way == 2) Press(d, Qt::Key_Escape);
        if (way == 3) {  // Enter presses the button that has the focus, not always OK
            d->cancelButton->setFocus();
            Press(d->cancelButton, Qt::Key_Return);
        }
        EXPECT_TRUE(guard.isNull() || guard->IsClosing()) << way;
        EXPECT_EQ(app.ReadFile(PracticeFile()), IdiomsSetting("5A 00"));
        EXPECT_EQ(Find<QLabel>(practice, "practiceTimeText")->text(), QStringLiteral("練習時間：1分 30秒"));
        EXPECT_EQ(Find<QLabel>(practice, "genreText")->text(), QStringLiteral("ジャンル：慣用句"));
        EXPECT_EQ(practice->PlayedGenreKey(), QStringLiteral("kannyouku"));
        EXPECT_EQ(app.g.questions.GetGenre(), QStringLiteral("慣用句"));
        practice->CloseScreen();
        app.Flush();
    }
}

TEST_F(SettingDialogTest, SpinnersStepWithinTheirRangeAndEnterConfirms) {
    PracticeSettingsDialog* d = OpenDialog();
    for (int i = 0; i < 15; ++i) Click(d->secondsUpDown->upButton);
    EXPECT_EQ(d->secondsBox->text(), QStringLiteral("55"));
    Click(d->secondsUpDown->downButton);
    EXPECT_EQ(d->secondsBox->text(), QStringLiteral("50"));
    for (int i = 0; i < 12; ++i) Click(d->minutesUpDown->upButton);
    EXPECT_EQ(d->minutesBox->text(), QStringLiteral("10"));
    Press(d->genreChoices[0], Qt::Key_Return);
    EXPECT_EQ(app.ReadFile(PracticeFile()), IdiomsSetting("8A 02"));  // 650 s
}

TEST_F(SettingDialogTest, ASettingThatCannotBeStoredIsNotShownAsStored) {
    PracticeSettingsDialog* d = OpenDialog();
    // The file's place is taken by a folder: the write fails.
    QFile::remove(PracticeFile());
    ASSERT_TRUE(QDir().mkdir(PracticeFile()));
    Click(d->genreChoices[1]);
    Click(d->okButton);
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].text, QStringLiteral("設定を保存できませんでした（書き込みできません）。"));
    EXPECT_EQ(app.Current<PracticeSettingsDialog>(), d);
    EXPECT_EQ(Find<QLabel>(practice, "genreText")->text(), QStringLiteral("ジャンル：慣用句"));
    EXPECT_EQ(practice->PlayedGenreKey(), QStringLiteral("kannyouku"));
}
