#include <gtest/gtest.h>
#include <signal.h>
#include <time.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

// A save killed at any moment leaves the old or the new file whole, never a torn one.
TEST(CrashSafeSave, KilledWritersNeverLeaveATornFile) {
    struct Kind {
        const char* name;
        int records;
    } kinds[] = {{"Data.dat", 1}, {"Data", 2},     {"Heat", 2},          {"PracticeTime", 11},
                 {"gen", 1},      {"genderby", 1}, {"TimeTrialData", 10}};
    // On a memory file system when there is one: a kill tears a file or not whatever the disk,
    // and four hundred workers do not wait for the disk to sync their first save.
    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    QTemporaryDir dir(base + QStringLiteral("/keyderby-crash-XXXXXX"));
    ASSERT_TRUE(dir.isValid());
    QRandomGenerator rng(20261207);
    int trials = 0, killedMidWrite = 0;
    // Nearly every kill lands in the middle of a save (killed_mid_write in the report).
    const int kTrials = 400;
    for (int t = 0; t < kTrials; ++t) {
        const Kind& k = kinds[t % 7];
        const QString path = dir.filePath(QString::fromLatin1(k.name));
        QProcess worker;
        worker.start(QStringLiteral(KD_SAVE_WORKER), {path, QString::number(k.records)});
        ASSERT_TRUE(worker.waitForReadyRead(5000)) << "worker did not start";
        // Let it get some way into its loop of saves, then pull the plug.
        const long us = long(rng.bounded(3000));
        timespec pause{0, us * 1000};
        nanosleep(&pause, nullptr);
        ::kill(pid_t(worker.processId()), SIGKILL);
        ASSERT_TRUE(worker.waitForFinished(5000));
        ++trials;

        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        ASSERT_EQ(bytes.size(), k.records * 128) << k.name << " trial " << t;
        const char first = bytes.at(0);
        ASSERT_TRUE(first == 'A' || first == 'a') << k.name << " trial " << t;
        for (int r = 0; r < k.records; ++r)
            ASSERT_EQ(bytes.mid(r * 128, 128), QByteArray(128, char(first + r))) << k.name << " trial " << t;
        if (QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).size() > 7) ++killedMidWrite;
    }
    EXPECT_EQ(trials, kTrials);
    RecordProperty("killed_mid_write", killedMidWrite);
}
