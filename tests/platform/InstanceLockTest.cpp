#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/core/InstanceLock.h"
#include "support/ScratchDisk.h"

using kd::InstanceLock;
using Result = kd::InstanceLock::Result;

namespace {
// A lock file naming a process that no longer exists, as after a crash.
void WriteStaleLock(const QString& folder) {
    QProcess p;
    p.start(QStringLiteral("/bin/true"));
    ASSERT_TRUE(p.waitForStarted());
    const qint64 deadPid = p.processId();
    ASSERT_TRUE(p.waitForFinished());
    QFile f(folder + QStringLiteral("/.keyderby.lock"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::number(deadPid) + "\nkeyderby\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    f.close();
}
}  // namespace

TEST(InstanceLock, ASecondCopyOnTheSameFolderIsKeptOut) {
    QTemporaryDir dir;
    InstanceLock first(dir.path());
    ASSERT_EQ(first.TryLock(), Result::Locked);
    InstanceLock second(dir.path());
    EXPECT_EQ(second.TryLock(), Result::HeldByAnother);
    EXPECT_EQ(second.HolderPid(), QCoreApplication::applicationPid());

    QTemporaryDir other;
    InstanceLock elsewhere(other.path());
    EXPECT_EQ(elsewhere.TryLock(), Result::Locked);
}

TEST(InstanceLock, ALockLeftByADeadProcessIsTakenOver) {
    QTemporaryDir dir;
    WriteStaleLock(dir.path());
    InstanceLock lock(dir.path());
    EXPECT_EQ(lock.TryLock(), Result::Locked);
}

// A lock file that cannot be written is no other copy: the folder is full or read-only.
TEST(InstanceLock, AFolderThatCannotBeWrittenIsNotAnotherCopy) {
    kd::test::ScratchDisk disk(256);
    if (!disk.Mounted()) GTEST_SKIP() << "needs the right to mount a small file system";
    WriteStaleLock(disk.Path());
    ASSERT_TRUE(disk.Fill());
    InstanceLock full(disk.Path());
    EXPECT_EQ(full.TryLock(), Result::NotWritable);
    EXPECT_EQ(full.Trouble(), kd::WriteTrouble::DiskFull);

    disk.Free();
    ASSERT_TRUE(disk.SetReadOnly(true));
    InstanceLock readOnly(disk.Path());
    EXPECT_EQ(readOnly.TryLock(), Result::NotWritable);
    EXPECT_EQ(readOnly.Trouble(), kd::WriteTrouble::NotWritable);
    QFile::remove(disk.Path() + QStringLiteral("/.keyderby.lock"));
    EXPECT_EQ(InstanceLock(disk.Path()).TryLock(), Result::NotWritable) << "no stale lock either";
}
