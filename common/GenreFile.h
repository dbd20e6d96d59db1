#pragma once
#include <QString>
#include <QtGlobal>

namespace kd {

// DATA/gen (time trial) and DATA/genderby (derby): record 1 holds the genre value, 0 idioms,
// 1 English. A missing file is created empty and reads as 0.
qint16 ReadGenreValue(const QString& path);
[[nodiscard]] bool WriteGenreValue(const QString& path, qint16 value);

}  // namespace kd
