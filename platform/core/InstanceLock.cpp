#include "platform/core/InstanceLock.h"

#include <signal.h>

#include <QSysInfo>
#include <cerrno>

namespace kd {

InstanceLock::InstanceLock(const QString& dataFolder)
    : m_folder(dataFolder),
      m_lock(std::make_unique<QLockFile>(dataFolder + QStringLiteral("/.keyderby.lock"))) {
    // A lock whose process is gone is taken over at once; a live one is never stale.
    m_lock->setStaleLockTime(0);
}

InstanceLock::Result InstanceLock::TryLock() {
    m_locked = m_lock->tryLock(0);
    m_trouble = WriteTrouble::None;
    if (m_locked) return Result::Locked;
    // A stale lock that could not be replaced (full disk, read-only folder) is reported by
    // Qt as held; only a live holder is another copy.
    if (m_lock->error() == QLockFile::LockFailedError && HolderAlive()) return Result::HeldByAnother;
    m_trouble = TroubleOfFolder(m_folder);
    return Result::NotWritable;
}

bool InstanceLock::HolderAlive() const {
    qint64 pid = 0;
    QString host, app;
    if (!m_lock->getLockInfo(&pid, &host, &app) || pid <= 0) return false;
    if (!host.isEmpty() && host != QSysInfo::machineHostName()) return true;  // cannot look there
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

qint64 InstanceLock::HolderPid() const {
    qint64 pid = 0;
    QString host, app;
    return m_lock->getLockInfo(&pid, &host, &app) ? pid : 0;
}

}  // namespace kd
