#include "platform/core/InstanceLock.h"

namespace kd {

InstanceLock::InstanceLock(const QString& dataFolder)
    : m_lock(std::make_unique<QLockFile>(dataFolder + QStringLiteral("/.keyderby.lock"))) {
    // A lock whose process is gone is taken over at once; a live one is never stale.
    m_lock->setStaleLockTime(0);
}

bool InstanceLock::TryLock() {
    m_locked = m_lock->tryLock(0);
    return m_locked;
}

qint64 InstanceLock::HolderPid() const {
    qint64 pid = 0;
    QString host, app;
    return m_lock->getLockInfo(&pid, &host, &app) ? pid : 0;
}

}  // namespace kd
