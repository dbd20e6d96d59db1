#include <gtest/gtest.h>
#include <signal.h>
#include <time.h>

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "learning/LearningStore.h"

// A kill -9 while games are written loses at most the game being written: the record opens,
// is whole, and every game in it has all its keys.
TEST(CrashSafeSave, KilledLearningRecordWritersLeaveWholeGames) {
    QTemporaryDir dir;
    const QString path = dir.filePath("learning.sqlite");
    QRandomGenerator rng(20261207);
    qint64 lastGames = 0;
    for (int t = 0; t < 40; ++t) {
        QProcess worker;
        worker.start(QStringLiteral(KD_LEARNING_WORKER), {path});
        ASSERT_TRUE(worker.waitForReadyRead(10000)) << "worker did not start";
        const long us = long(rng.bounded(20000));
        timespec pause{0, us * 1000};
        nanosleep(&pause, nullptr);
        ::kill(pid_t(worker.processId()), SIGKILL);
        ASSERT_TRUE(worker.waitForFinished(5000));

        kd::LearningStore store(path);
        ASSERT_TRUE(store.Open()) << "trial " << t << ": " << store.Problem().toStdString();
        EXPECT_TRUE(store.Problem().isEmpty()) << "trial " << t << ": " << store.Problem().toStdString();
        QSqlQuery q(store.Database());
        ASSERT_TRUE(q.exec(
            "SELECT count(*), (SELECT count(*) FROM games g WHERE correct <> (SELECT count(*) FROM keys "
            "WHERE game_id = g.id)) FROM games"));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(1).toInt(), 0) << "trial " << t << ": a game without all its keys";
        // Games written before are never lost to a later kill.
        EXPECT_GT(q.value(0).toLongLong(), lastGames) << "trial " << t;
        lastGames = q.value(0).toLongLong();
        q.finish();
    }
    EXPECT_FALSE(QFile::exists(path + ".damaged"));
}
