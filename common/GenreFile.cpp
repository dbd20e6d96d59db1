#include "common/GenreFile.h"

#include "common/RecordFile.h"

namespace kd {

qint16 ReadGenreValue(const QString& path) {
    return RecordReader(RecordFile::Read(path, 1)).Int16();
}

bool WriteGenreValue(const QString& path, qint16 value) {
    RecordWriter w;
    w.Int16(value);
    return RecordFile::Write(path, 1, w.Record());
}

}  // namespace kd
