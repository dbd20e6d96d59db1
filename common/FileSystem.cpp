#include "common/FileSystem.h"

#include <QDir>
#include <QFileInfo>

namespace kd {

// One stat each: a missing path is neither a file nor a folder.
bool ExistFile(const QString& path) {
    return QFileInfo(path).isFile();
}

bool ExistFolder(const QString& path) {
    return QFileInfo(path).isDir();
}

bool MakeFolder(const QString& path) {
    const QFileInfo fi(path);
    return QDir(fi.absolutePath()).mkdir(fi.fileName());
}

bool DeleteFilesIn(const QString& folder) {
    QDir dir(folder);
    if (!dir.exists()) return false;
    bool ok = true;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        ok = dir.remove(name) && ok;
    return ok;
}

}  // namespace kd
