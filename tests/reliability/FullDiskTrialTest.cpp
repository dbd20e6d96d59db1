#include <QDirIterator>
#include <QPointer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <functional>
#include <memory>

#include "chains/ChainKit.h"
#include "common/GameState.h"
#include "learning/LearningRecord.h"
#include "shell/LearningExport.h"
#include "support/RealBoxes.h"
#include "support/ScratchDisk.h"
#include "training/TrainingMenu.h"

// The real program's screens and real message boxes, with the data folder on a small file
// system that fills up, turns read-only, or holds a learning record another program has
// locked. Whatever fails, nothing crashes, every earlier file keeps its bytes, the learning
// record stays whole, and the player is told the cause.

using namespace kd;
using namespace kd::test;

namespace {

enum class Fault { DiskFull, ReadOnly, Locked };

// A whole program on a scratch disk, with its learning record attached as in main().
struct Trial {
    ScratchDisk disk;
    ChainApp app{true};
    RealBoxes boxes;
    std::unique_ptr<LearningRecord> record;
    QSqlDatabase other;  // the other program, for Fault::Locked

    Trial() {
        app.g.programFolder = disk.Path();
        record = std::make_unique<LearningRecord>(app.g);
        AttachLearningRecord(app.g, *record, app.ctx.msg);
    }
    ~Trial() {
        for (ScreenBase* f : app.nav.OpenForms()) f->CloseScreen();
        TestApp::Flush();
        Release();
        app.g.play.Remove(&record->Recorder());
        app.g.learning = nullptr;
        record.reset();
    }

    QString RecordPath() const { return LearningRecord::PathFor(app.g); }

    void Start() {
        StartAs(app, QStringLiteral("Tester"));
        // English for both modes, so the head of a question is always the right key.
        for (const char* genre : {"DATA/gen", "DATA/genderby"})
            app.WriteFile(app.Player(QString::fromLatin1(genre)), Record("01 00"));
        ASSERT_TRUE(record->Store()) << "the record opens while the disk can be written";
    }

    void Break(Fault fault) {
        switch (fault) {
            case Fault::DiskFull:
                ASSERT_TRUE(disk.Fill());
                break;
            case Fault::ReadOnly:
                // Linux refuses to remount a file system read-only while a file on it is open
                // for writing: the record lets go first and opens again on its next need.
                record->Close();
                ASSERT_TRUE(disk.SetReadOnly(true));
                break;
            case Fault::Locked: {
                other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QUuid::createUuid().toString());
                other.setDatabaseName(RecordPath());
                ASSERT_TRUE(other.open());
                ASSERT_TRUE(QSqlQuery(other).exec(QStringLiteral("BEGIN EXCLUSIVE")));
                break;
            }
        }
    }

    void Release() {
        disk.Free();
        disk.SetReadOnly(false);
        if (other.isValid()) {
            const QString name = other.connectionName();
            QSqlQuery(other).exec(QStringLiteral("ROLLBACK"));
            other.close();
            other = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
        }
    }

    // Every file of the data folder but the learning record, which may take games.
    QMap<QString, QByteArray> Files() const {
        QMap<QString, QByteArray> files;
        QDirIterator it(disk.Path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path.contains(QStringLiteral("learning.sqlite")) || path.endsWith(QStringLiteral(".ballast")))
                continue;
            files.insert(path, app.ReadFile(path));
        }
        return files;
    }

    QString IntegrityCheck() {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("integrity"));
        db.setDatabaseName(RecordPath());
        QString result = QStringLiteral("cannot open");
        if (db.open()) {
            QSqlQuery q(db);
            result = q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next()
                         ? q.value(0).toString()
                         : QStringLiteral("no answer");
        }
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("integrity"));
        return result;
    }

    int Games() {
        LearningStore* store = record->Store();
        if (!store) return -1;
        QSqlQuery q(store->Database());
        return q.exec(QStringLiteral("SELECT count(*) FROM games")) && q.next() ? q.value(0).toInt() : -1;
    }
};

void PlayPractice(ChainApp& app) {
    ChooseMenuItem(app, 0);
    ASSERT_EQ(app.NowScreen(), Screen::Practice);
    StartPlay(app.Now());
    TypeHead(app.Now(), 5);
    app.clock.advance(60000);
    Fire(app.Now(), QStringLiteral("countdownTimer"));
    Fire(app.Now(), QStringLiteral("finishTimer"));
    QCoreApplication::processEvents();  // the record's message comes after the step
    ASSERT_EQ(app.NowScreen(), Screen::ResultPractice);
}

void BackToMenu(ChainApp& app) {
    for (ScreenBase* f : app.nav.OpenForms()) f->CloseScreen();
    TestApp::Flush();
    app.nav.Show(Screen::Main);
}

QString CauseOf(Fault fault) {
    switch (fault) {
        case Fault::DiskFull:
            return QStringLiteral("ディスクがいっぱいです");
        case Fault::ReadOnly:
            return QStringLiteral("書き込みできません");
        case Fault::Locked:
            break;
    }
    return QStringLiteral("ほかのプログラムが使用中です");
}

}  // namespace

// A screen deleted while its message box is up takes the box along instead of freeing it
// twice; the box counts as closed without an answer.
TEST(FullDiskTrial, AScreenDeletedUnderItsMessageBoxTakesTheBoxAlong) {
    ChainApp app(true);
    app.UsePlayer();
    RealBoxes boxes;
    for (MsgButtons buttons : {MsgButtons::OK, MsgButtons::OKCancel, MsgButtons::YesNo}) {
        QPointer<ScreenBase> screen = app.nav.Show(Screen::Practice);
        ASSERT_TRUE(screen);
        boxes.whileShown = [&] { delete screen.data(); };
        const MsgAnswer answer =
            app.ctx.msg.Show(screen, QStringLiteral("KeyDerby"), QStringLiteral("?"), buttons);
        EXPECT_FALSE(screen);
        EXPECT_EQ(answer, buttons == MsgButtons::YesNo      ? MsgAnswer::No
                          : buttons == MsgButtons::OKCancel ? MsgAnswer::Cancel
                                                            : MsgAnswer::OK);
    }
}

// Each place the game saves, faulted in turn.
TEST(FullDiskTrial, EverySavePointSurvivesAFullReadOnlyOrLockedDisk) {
    if (!ScratchDisk(64).Mounted()) GTEST_SKIP() << "needs the right to mount a small file system";
    QTemporaryDir outside;
    const QString setFile = outside.filePath(QStringLiteral("mine.txt"));
    {
        QFile f(setFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("猫\tねこ\n犬\tいぬ\n");
    }
    struct SavePoint {
        const char* name;
        std::vector<Fault> faults;
        std::function<void(Trial&)> drive;
        // Where the cause must be told: a message box, or the import report.
        std::function<QString(Trial&)> told;
    };
    const auto boxes = [](Trial& t) { return t.boxes.said.join(QStringLiteral(" | ")); };
    const SavePoint points[] = {
        {"player list",
         {Fault::DiskFull, Fault::ReadOnly},
         [](Trial& t) {
             BackToMenu(t.app);
             for (ScreenBase* f : t.app.nav.OpenForms()) f->CloseScreen();
             TestApp::Flush();
             t.app.nav.Show(Screen::InputUserName);
             auto* box = Find<QComboBox>(t.app.Now(), QStringLiteral("userNameBox"));
             box->setEditText(QStringLiteral("Tester"));
             Press(box, Qt::Key_Return);
         },
         boxes},
        {"sound switches",
         {Fault::DiskFull, Fault::ReadOnly},
         [](Trial& t) { ChooseMenuItem(t.app, 0); },
         boxes},
        {"practice history and the learning record at game end",
         {Fault::DiskFull, Fault::ReadOnly, Fault::Locked},
         [](Trial& t) { PlayPractice(t.app); },
         boxes},
        {"time-trial ranking",
         {Fault::DiskFull, Fault::ReadOnly},
         [](Trial& t) {
             ChooseMenuItem(t.app, 1);
             ASSERT_EQ(t.app.NowScreen(), Screen::TimeTrial);
             StartPlay(t.app.Now());
             for (int i = 0; i < 114; ++i) {
                 t.app.clock.advance(100);
                 TypeHead(t.app.Now());
             }
             Fire(t.app.Now(), QStringLiteral("finishTimer"));
             ASSERT_EQ(t.app.NowScreen(), Screen::ResultTimeTrial);
             Click(Button(t.app.Now(), QStringLiteral("okButton")));
         },
         boxes},
        {"derby heat",
         {Fault::DiskFull, Fault::ReadOnly},
         [](Trial& t) {
             ChooseMenuItem(t.app, 2);
             Click(Button(t.app.Now(), QStringLiteral("okButton")));
             Press(t.app.Now(), Qt::Key_Space);
             StartPlay(t.app.Now());
             TypeHead(t.app.Now(), 59);
             Fire(t.app.Now(), QStringLiteral("finishTimer"));
         },
         boxes},
        {"learning record export",
         {Fault::DiskFull, Fault::ReadOnly},
         [](Trial& t) {
             const QString target = t.disk.Path() + QStringLiteral("/record.csv");
             ExportFileChooser() = [target](QWidget*, const QString&) { return target; };
             Menu(t.app.Now(), QStringLiteral("exportLearningAction"))->trigger();
             EXPECT_FALSE(QFile::exists(target));
         },
         boxes},
        {"question-set import",
         {Fault::DiskFull, Fault::ReadOnly, Fault::Locked},
         [setFile](Trial& t) {
             QuestionFileChooser() = [setFile](QWidget*) { return setFile; };
             Menu(t.app.Now(), QStringLiteral("importSetAction"))->trigger();
         },
         [](Trial& t) {
             // The report window when the set could not be stored, a message when the record
             // could not be written at all.
             return t.boxes.said.join(QStringLiteral(" | ")) +
                    Text(t.app.Now(), QStringLiteral("summaryLine"));
         }},
    };
    for (const SavePoint& point : points) {
        for (Fault fault : point.faults) {
            SCOPED_TRACE(std::string(point.name) + ", " + CauseOf(fault).toStdString());
            Trial t;
            ASSERT_TRUE(t.disk.Mounted());
            t.Start();
            const QMap<QString, QByteArray> before = t.Files();
            t.Break(fault);
            t.boxes.said.clear();
            point.drive(t);
            QCoreApplication::processEvents();
            EXPECT_TRUE(point.told(t).contains(CauseOf(fault))) << point.told(t).toStdString();
            EXPECT_LE(t.boxes.Count(QStringLiteral("学習記録に書き込めません")) +
                          t.boxes.Count(QStringLiteral("学習記録を開けません")),
                      1)
                << "the record's trouble is told once";
            for (const QString& s : t.boxes.said)
                EXPECT_FALSE(s.contains(QStringLiteral("（）"))) << s.toStdString();
            // A locked record stops no other save.
            const QMap<QString, QByteArray> after = t.Files();
            if (fault != Fault::Locked) {
                for (auto it = before.begin(); it != before.end(); ++it)
                    EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
            }
            t.Release();
            EXPECT_EQ(t.IntegrityCheck(), "ok");
        }
    }
}

// The disk fills while a practice is played: the result still shows, the player is told once
// why the record missed the game, and once space is freed the next game brings it along.
TEST(FullDiskTrial, AGameKeptBackWhileTheDiskIsFullIsRecordedOnceThereIsRoom) {
    Trial t;
    if (!t.disk.Mounted()) GTEST_SKIP() << "needs the right to mount a small file system";
    t.Start();
    ChooseMenuItem(t.app, 0);
    ASSERT_EQ(t.app.NowScreen(), Screen::Practice);
    const QByteArray practiceTime = t.app.ReadFile(t.app.Player(QStringLiteral("DATA/PracticeTime")));
    t.Break(Fault::DiskFull);
    t.boxes.said.clear();
    StartPlay(t.app.Now());
    TypeHead(t.app.Now(), 5);
    t.app.clock.advance(60000);
    Fire(t.app.Now(), QStringLiteral("countdownTimer"));
    Fire(t.app.Now(), QStringLiteral("finishTimer"));
    QCoreApplication::processEvents();
    ASSERT_EQ(t.app.NowScreen(), Screen::ResultPractice);
    EXPECT_EQ(t.boxes.Count(QStringLiteral("学習記録に書き込めません（ディスクがいっぱいです）")), 1)
        << t.boxes.said.join(" | ").toStdString();
    EXPECT_TRUE(t.boxes.Said(QStringLiteral("練習履歴を保存できませんでした（ディスクがいっぱいです）")));
    EXPECT_EQ(t.app.ReadFile(t.app.Player(QStringLiteral("DATA/PracticeTime"))), practiceTime);
    EXPECT_EQ(t.record->Recorder().PendingGames(), 1);

    t.Release();
    BackToMenu(t.app);
    PlayPractice(t.app);
    EXPECT_EQ(t.record->Recorder().PendingGames(), 0);
    EXPECT_EQ(t.Games(), 2);
    EXPECT_NE(t.app.ReadFile(t.app.Player(QStringLiteral("DATA/PracticeTime"))), practiceTime);
    EXPECT_EQ(t.IntegrityCheck(), "ok");
}
