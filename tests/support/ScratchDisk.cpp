#include "support/ScratchDisk.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <cerrno>

namespace kd::test {

namespace {
QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}
}  // namespace

ScratchDisk::ScratchDisk(int kilobytes) {
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0755";
    m_mounted = ::mount("tmpfs", Native(Path()).constData(), "tmpfs", 0, options.constData()) == 0;
}

ScratchDisk::~ScratchDisk() {
    if (m_mounted) ::umount2(Native(Path()).constData(), MNT_DETACH);
}

bool ScratchDisk::Fill() {
    const int fd = ::open(Native(Path() + QStringLiteral("/.ballast")).constData(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    static const QByteArray block(4096, 'x');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {
    }
    // Fill the last partial page too, byte by byte.
    while (::write(fd, "x", 1) > 0) {
    }
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
}

void ScratchDisk::Free() {
    QFile::remove(Path() + QStringLiteral("/.ballast"));
}

bool ScratchDisk::SetReadOnly(bool readOnly) {
    const unsigned long flags = MS_REMOUNT | (readOnly ? MS_RDONLY : 0);
    return ::mount("tmpfs", Native(Path()).constData(), "tmpfs", flags, nullptr) == 0;
}

}  // namespace kd::test
