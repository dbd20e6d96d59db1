#include "platform/core/DataRoot.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace kd {

QString DefaultDataRoot() {
    QString root = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (root.isEmpty()) root = QDir::homePath() + QStringLiteral("/.local/share/keyderby");
    QDir().mkpath(root);
    return root;
}

QString MediaFolder() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString installed = QDir::cleanPath(exeDir + QStringLiteral("/../share/keyderby"));
    if (QDir(installed + QStringLiteral("/Midi")).exists() ||
        QDir(installed + QStringLiteral("/Sound")).exists())
        return installed;
    return exeDir;
}

}  // namespace kd
