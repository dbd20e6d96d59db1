#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QRadioButton>
#include <functional>

#include "chains/ChainKit.h"
#include "common/GameState.h"
#include "support/PlayProbe.h"

using namespace kd;
using namespace kd::test;

namespace {

bool Asked(const ChainApp& app, const QString& start) {
    for (const auto& q : app.msg.asked)
        if (q.text.startsWith(start) && q.buttons == MsgButtons::OK) return true;
    return false;
}

QString AskedTexts(const ChainApp& app) {
    QStringList out;
    for (const auto& q : app.msg.asked) out << q.text;
    return out.join(QStringLiteral(" | "));
}

// A player with English for both genres, so a question's head is always the right key.
void English(ChainApp& app) {
    for (const char* genre : {"DATA/gen", "DATA/genderby"}) {
        const QString path = app.Player(QString::fromLatin1(genre));
        if (!QFileInfo(path).isDir()) app.WriteFile(path, Record("01 00"));
    }
}

void RunTimeTrialToTheGoal(ChainApp& app) {
    app.nav.Show(Screen::TimeTrial);
    StartPlay(app.Now());
    for (int i = 0; i < 114; ++i) {
        app.clock.advance(100);
        TypeHead(app.Now());
    }
    Fire(app.Now(), QStringLiteral("finishTimer"));
    ASSERT_EQ(app.NowScreen(), Screen::ResultTimeTrial);
}

}  // namespace

TEST(UnwritableData, ADataFolderThatCannotBeMadeIsReportedAndNothingIsTouched) {
    // The data folder would lie below a regular file: no folder or file can be made there,
    // whoever runs the program.
    QTemporaryDir outer;
    const QString blocker = outer.filePath(QStringLiteral("blocker"));
    QFile f(blocker);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("keep");
    f.close();

    ChainApp app;
    app.g.programFolder = blocker + QStringLiteral("/data");
    app.nav.Show(Screen::StartUp);
    Fire(app.Now(), QStringLiteral("splashTimer"));
    ASSERT_EQ(app.NowScreen(), Screen::InputUserName);
    auto* box = Find<QComboBox>(app.Now(), QStringLiteral("userNameBox"));
    EXPECT_EQ(box->currentText(), "DefaultUser");
    box->setEditText(QStringLiteral("Tester"));
    Press(box, Qt::Key_Return);
    EXPECT_TRUE(
        Asked(app, QStringLiteral("「Tester」のフォルダーを作成できませんでした（書き込みできません）。")))
        << AskedTexts(app).toStdString();
    EXPECT_EQ(app.NowScreen(), Screen::InputUserName);
    EXPECT_TRUE(app.g.player.GetUserName().isEmpty());
    app.Now()->close();
    EXPECT_TRUE(app.nav.ended);
    EXPECT_EQ(app.ReadFile(blocker), "keep");
    EXPECT_EQ(QDir(outer.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"blocker"});
}

TEST(UnwritableData, EachFileThatCannotBeWrittenIsReportedAndKept) {
    // A folder where the file should be: it can be neither read as records nor replaced, even by
    // root. What it holds must survive.
    struct Case {
        const char* file;
        std::function<void(ChainApp&)> drive;  // the screens that write the file
        const char* message;
        Screen screenAfter;
    };
    const Case cases[] = {
        {"Data.dat",
         [](ChainApp& app) {
             app.nav.Show(Screen::InputUserName);
             auto* box = Find<QComboBox>(app.Now(), QStringLiteral("userNameBox"));
             box->setEditText(QStringLiteral("Tester"));
             Press(box, Qt::Key_Return);
         },
         "ユーザー名の一覧を保存できませんでした（書き込みできません）。", Screen::Main},
        {"DATA/Data",
         [](ChainApp& app) {
             app.nav.Show(Screen::Main);
             ChooseMenuItem(app, 0);
         },
         "BGMと効果音の設定を保存できませんでした（書き込みできません）。", Screen::Practice},
        {"DATA/Heat",
         [](ChainApp& app) {
             app.nav.Show(Screen::Main);
             ChooseMenuItem(app, 2);
             Click(Button(app.Now(), QStringLiteral("okButton")));
             Press(app.Now(), Qt::Key_Space);
             StartPlay(app.Now());
             TypeHead(app.Now(), 59);
             Fire(app.Now(), QStringLiteral("finishTimer"));
         },
         "レースの結果を保存できませんでした（書き込みできません）。", Screen::RankingKeyDerby},
        {"DATA/PracticeTime",
         [](ChainApp& app) {
             app.nav.Show(Screen::Practice);
             ScreenBase* practice = app.Now();
             EXPECT_EQ(Text(practice, "practiceTimeText"), "練習時間：1分 0秒");
             Click(Button(practice, QStringLiteral("settingsButton")));
             Click(Find<QRadioButton>(app.Now(), QStringLiteral("unlimitedChoice")));
             Click(Button(app.Now(), QStringLiteral("okButton")));
             EXPECT_TRUE(Asked(app, QStringLiteral("設定を保存できませんでした（書き込みできません）。")));
             EXPECT_EQ(app.NowName(), "PracticeSettingsDialog") << "the dialog stays open";
             Click(Button(app.Now(), QStringLiteral("cancelButton")));
             TestApp::Flush();
             StartPlay(practice);
             app.clock.advance(60000);
             Fire(practice, QStringLiteral("countdownTimer"));
             Fire(practice, QStringLiteral("finishTimer"));
         },
         "練習履歴を保存できませんでした（書き込みできません）。", Screen::ResultPractice},
        {"DATA/gen",
         [](ChainApp& app) {
             app.nav.Show(Screen::TimeTrial);
             ScreenBase* play = app.Now();
             Click(Button(play, QStringLiteral("settingsButton")));
             Click(Find<QRadioButton>(app.Now(), QStringLiteral("genreEnglish")));
             Click(Button(app.Now(), QStringLiteral("okButton")));
             TestApp::Flush();
             EXPECT_EQ(GenreOf(play), "english") << "this run still plays the chosen genre";
         },
         "ジャンルの設定を保存できませんでした（書き込みできません）。", Screen::TimeTrial},
        {"DATA/genderby",
         [](ChainApp& app) {
             app.nav.Show(Screen::SelectChara);
             Click(Button(app.Now(), QStringLiteral("settingsButton")));
             Click(Find<QRadioButton>(app.Now(), QStringLiteral("genreEnglish")));
             Click(Button(app.Now(), QStringLiteral("okButton")));
             TestApp::Flush();
         },
         "ジャンルを保存できませんでした（書き込みできません）。", Screen::SelectChara},
        {"DATA/TimeTrialData",
         [](ChainApp& app) {
             RunTimeTrialToTheGoal(app);
             EXPECT_EQ(Text(app.Now(), "placeText"), "1位");
             app.msg.Answer(MsgAnswer::OK);
             app.msg.Answer(MsgAnswer::No);
             Click(Button(app.Now(), QStringLiteral("okButton")));
             ASSERT_FALSE(app.msg.asked.isEmpty());
             EXPECT_EQ(app.msg.asked.last().text, "もう一度挑戦しますか？");
         },
         "ランキングを保存できませんでした（書き込みできません）。", Screen::Main},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ChainApp app;
        app.UsePlayer(QStringLiteral("Tester"));
        const QString target = QString::fromLatin1(c.file) == "Data.dat"
                                   ? app.dir.filePath(QStringLiteral("Data.dat"))
                                   : app.Player(QString::fromLatin1(c.file));
        ASSERT_TRUE(QDir().mkpath(target));
        app.WriteFile(target + QStringLiteral("/keep"), "kept");
        English(app);
        c.drive(app);
        EXPECT_TRUE(Asked(app, QString::fromUtf8(c.message))) << AskedTexts(app).toStdString();
        TestApp::Flush();
        EXPECT_EQ(app.NowScreen(), c.screenAfter);
        EXPECT_EQ(app.ReadFile(target + QStringLiteral("/keep")), "kept");
        EXPECT_EQ(QDir(target).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  QStringList{"keep"});
    }
}

// The player may close the mode's screen behind the message about an unwritable genre file;
// the genre dialog goes with it and must not touch itself once the message is answered.
TEST(UnwritableData, AGenreDialogClosedBehindItsMessageIsLeftAlone) {
    const struct {
        const char* file;
        Screen screen;
        const char* message;
    } modes[] = {
        {"DATA/gen", Screen::TimeTrial, "ジャンルの設定を保存できませんでした（書き込みできません）。"},
        {"DATA/genderby", Screen::SelectChara, "ジャンルを保存できませんでした（書き込みできません）。"}};
    for (const auto& m : modes) {
        SCOPED_TRACE(m.file);
        ChainApp app;
        app.UsePlayer(QStringLiteral("Tester"));
        ASSERT_TRUE(QDir().mkpath(app.Player(QString::fromLatin1(m.file))));
        QPointer<ScreenBase> screen = app.nav.Show(m.screen);
        ASSERT_TRUE(screen);
        Click(Button(screen, QStringLiteral("settingsButton")));
        QPointer<ScreenBase> dialog = app.Now();
        ASSERT_TRUE(dialog && dialog != screen);
        app.msg.whileShown = [&] {
            screen->close();
            TestApp::Flush();
        };
        Click(Button(dialog, QStringLiteral("okButton")));
        EXPECT_TRUE(Asked(app, QString::fromUtf8(m.message))) << AskedTexts(app).toStdString();
        EXPECT_FALSE(dialog);
        EXPECT_FALSE(screen);
        EXPECT_EQ(app.NowScreen(), Screen::Main);
    }
}

TEST(UnwritableData, AReadOnlyDataFolderKeepsEveryFile) {
    ChainApp app;
    app.UsePlayer(QStringLiteral("Tester"));
    const QString data = app.Player("DATA");
    const QMap<QString, QByteArray> files = {
        {"Data", Record("FF FF") + Record("00 00")},
        {"Heat", Record("00 00 02 00") + Record("0B 00")},
        {"PracticeTime", Record("05 00 07 00 65 6E 67 6C 69 73 68")},
        {"gen", Record("01 00")},
        {"genderby", Record("01 00")},
        {"TimeTrialData", QByteArray()},
    };
    for (auto it = files.begin(); it != files.end(); ++it) app.WriteFile(data + u'/' + it.key(), it.value());
    ASSERT_TRUE(QFile::setPermissions(data, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    {
        QFile probe(data + QStringLiteral("/probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.close();
            probe.remove();
            QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            GTEST_SKIP()
                << "permissions do not stop this user (root) from writing; the folder-in-place-of-a-file "
                   "cases cover files that cannot be written";
        }
    }

    app.nav.Show(Screen::Main);
    ChooseMenuItem(app, 0);  // the switches cannot be stored
    ASSERT_EQ(app.NowScreen(), Screen::Practice);
    StartPlay(app.Now());
    TypeHead(app.Now(), 5);
    app.clock.advance(5000);
    Fire(app.Now(), QStringLiteral("countdownTimer"));
    Fire(app.Now(), QStringLiteral("finishTimer"));
    ASSERT_EQ(app.NowScreen(), Screen::ResultPractice);
    for (ScreenBase* f : app.nav.OpenForms()) f->CloseScreen();
    TestApp::Flush();
    RunTimeTrialToTheGoal(app);
    app.msg.Answer(MsgAnswer::OK);
    app.msg.Answer(MsgAnswer::No);
    Click(Button(app.Now(), QStringLiteral("okButton")));
    for (const char* m : {"BGMと効果音の設定を保存できませんでした（書き込みできません）。",
                          "練習履歴を保存できませんでした（書き込みできません）。",
                          "ランキングを保存できませんでした（書き込みできません）。"})
        EXPECT_TRUE(Asked(app, QString::fromUtf8(m))) << m;

    QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (auto it = files.begin(); it != files.end(); ++it)
        EXPECT_EQ(app.ReadFile(data + u'/' + it.key()), it.value()) << qPrintable(it.key());
    EXPECT_EQ(QDir(data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
              files.size());
}
