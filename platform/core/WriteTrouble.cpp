#include "platform/core/WriteTrouble.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <cerrno>

namespace kd {

WriteTrouble TroubleOfErrno(int error) {
    switch (error) {
        case 0:
            return WriteTrouble::None;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return WriteTrouble::DiskFull;
        case EBUSY:
        case ETXTBSY:
        case EAGAIN:
            return WriteTrouble::InUse;
        case EROFS:
        case EACCES:
        case EPERM:
        case EISDIR:   // a folder where the file should be
        case ENOTDIR:  // a file where a folder should be
        case ENOENT:   // the folder is gone
            return WriteTrouble::NotWritable;
    }
    return WriteTrouble::Other;
}

WriteTrouble TroubleOfFolder(const QString& folder) {
    // The nearest folder that exists: the one asked for may be what could not be made.
    QFileInfo info(folder);
    const bool missing = !info.exists();
    while (!info.exists() && info.absoluteFilePath() != info.absolutePath())
        info = QFileInfo(info.absolutePath());
    if (!info.isDir()) return WriteTrouble::NotWritable;  // a file where a folder should be
    const QByteArray path = QFile::encodeName(info.absoluteFilePath());
    if (::access(path.constData(), W_OK) != 0) {
        const WriteTrouble t = TroubleOfErrno(errno);
        if (t != WriteTrouble::Other) return t;
    }
    const QStorageInfo storage(info.absoluteFilePath());
    if (storage.isValid()) {
        if (storage.isReadOnly()) return WriteTrouble::NotWritable;
        // SQLite and the record files need a few pages at least.
        constexpr qint64 kLowSpace = 64 * 1024;
        if (storage.bytesAvailable() >= 0 && storage.bytesAvailable() < kLowSpace)
            return WriteTrouble::DiskFull;
    }
    return missing ? WriteTrouble::NotWritable : WriteTrouble::Other;
}

QString TroubleText(WriteTrouble trouble) {
    switch (trouble) {
        case WriteTrouble::DiskFull:
            return QCoreApplication::translate("WriteTrouble", "ディスクがいっぱいです");
        case WriteTrouble::InUse:
            return QCoreApplication::translate("WriteTrouble", "ほかのプログラムが使用中です");
        case WriteTrouble::NotWritable:
            return QCoreApplication::translate("WriteTrouble", "書き込みできません");
        case WriteTrouble::None:
        case WriteTrouble::Other:
            break;
    }
    return QCoreApplication::translate("WriteTrouble", "ファイルの書き込みに失敗しました");
}

QString FailureMessage(const QString& what, WriteTrouble trouble, const QString& path) {
    QString text = what + QCoreApplication::translate("WriteTrouble", "（") + TroubleText(trouble) +
                   QCoreApplication::translate("WriteTrouble", "）。");
    if (!path.isEmpty()) text += u'\n' + path;
    return text;
}

}  // namespace kd
