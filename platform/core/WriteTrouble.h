#pragma once
#include <QString>

namespace kd {

// Why something could not be written, as the player can act on it: free some space, close
// the other program, or fix the folder's rights.
enum class WriteTrouble { None, DiskFull, InUse, NotWritable, Other };

// From an errno value of a failed open, write, fsync or rename.
WriteTrouble TroubleOfErrno(int error);
// Looks at the folder itself when the failing call gave no usable reason (SQLite's I/O
// errors, QLockFile's "unknown error"): a read-only or unwritable folder, or a full disk.
WriteTrouble TroubleOfFolder(const QString& folder);
// The cause in the player's words, never empty: 「ディスクがいっぱいです」…
QString TroubleText(WriteTrouble trouble);
// "WHAT（cause）。" with the path on a line of its own when there is one.
QString FailureMessage(const QString& what, WriteTrouble trouble, const QString& path = {});

}  // namespace kd
