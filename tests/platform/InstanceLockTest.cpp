#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/core/InstanceLock.h"

using kd::InstanceLock;

TEST(InstanceLock, ASecondCopyOnTheSameFolderIsKeptOut) {
    QTemporaryDir dir;
    InstanceLock first(dir.path());
    ASSERT_TRUE(first.TryLock());
    InstanceLock second(dir.path());
    EXPECT_FALSE(second.TryLock());
    EXPECT_EQ(second.HolderPid(), QCoreApplication::applicationPid());

    QTemporaryDir other;
    InstanceLock elsewhere(other.path());
    EXPECT_TRUE(elsewhere.TryLock());
}

TEST(InstanceLock, ALockLeftByADeadProcessIsTakenOver) {
    QTemporaryDir dir;
    // A lock file naming a process that no longer exists, as after a crash.
    QProcess p;
    p.start(QStringLiteral("/bin/true"));
    ASSERT_TRUE(p.waitForStarted());
    const qint64 deadPid = p.processId();
    ASSERT_TRUE(p.waitForFinished());
    QFile f(dir.filePath(QStringLiteral(".keyderby.lock")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::number(deadPid) + "\nkeyderby\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    f.close();
    InstanceLock lock(dir.path());
    EXPECT_TRUE(lock.TryLock());
}
