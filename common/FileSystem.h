#pragma once
#include <QString>

namespace kd {

bool ExistFile(const QString& path);
bool ExistFolder(const QString& path);  // a path ending in "/" names the folder itself
bool MakeFolder(const QString& path);   // one level; the parent must exist
// Deletes every file directly inside the folder (not sub-folders, not the folder itself).
bool DeleteFilesIn(const QString& folder);

}  // namespace kd
