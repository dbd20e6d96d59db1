#pragma once
#include <QString>
#include <QTemporaryDir>

namespace kd::test {

// A small file system of its own (tmpfs), to fill up or turn read-only under the program.
// Needs the right to mount (root, as in CI); Mounted() says whether it could be had.
class ScratchDisk {
  public:
    explicit ScratchDisk(int kilobytes = 3072);
    ~ScratchDisk();
    ScratchDisk(const ScratchDisk&) = delete;
    ScratchDisk& operator=(const ScratchDisk&) = delete;

    bool Mounted() const { return m_mounted; }
    QString Path() const { return m_dir.path(); }
    // Writes a ballast file until the disk has no byte left; Free() removes it again.
    bool Fill();
    void Free();
    bool SetReadOnly(bool readOnly);

  private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

}  // namespace kd::test
