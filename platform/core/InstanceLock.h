#pragma once
#include <QLockFile>
#include <QString>
#include <memory>

namespace kd {

// Keeps a second copy of the program off the same data folder, so two copies never
// overwrite each other's files. The lock dies with the process, even after a crash.
class InstanceLock {
  public:
    explicit InstanceLock(const QString& dataFolder);
    bool TryLock();
    bool Locked() const { return m_locked; }
    // The process id of the copy that holds the lock, or 0 when unknown.
    qint64 HolderPid() const;

  private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_locked = false;
};

}  // namespace kd
