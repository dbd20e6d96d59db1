#pragma once
#include <QLockFile>
#include <QString>
#include <memory>

#include "platform/core/WriteTrouble.h"

namespace kd {

// Keeps a second copy of the program off the same data folder, so two copies never
// overwrite each other's files. The lock dies with the process, even after a crash.
class InstanceLock {
  public:
    enum class Result {
        Locked,         // this copy holds the folder
        HeldByAnother,  // a running copy does
        NotWritable,    // no copy runs, but the lock file cannot be written (see Trouble())
    };

    explicit InstanceLock(const QString& dataFolder);
    Result TryLock();
    bool Locked() const { return m_locked; }
    // Why the lock file could not be written, after NotWritable.
    WriteTrouble Trouble() const { return m_trouble; }
    // The process id of the copy that holds the lock, or 0 when unknown.
    qint64 HolderPid() const;

  private:
    // A lock file whose process still runs (here, or on another machine sharing the folder).
    bool HolderAlive() const;

    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    bool m_locked = false;
    WriteTrouble m_trouble = WriteTrouble::None;
};

}  // namespace kd
