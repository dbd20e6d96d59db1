#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

#include "platform/core/WriteTrouble.h"

namespace kd {

// Every stored file is a sequence of 128-byte records; record n starts at byte (n - 1) * 128.
constexpr int kRecordSize = 128;

enum class RecordError {
    None,
    TooLong,       // the packed fields would pass 128 bytes
    NotEncodable,  // a text that Shift-JIS (code page 932) cannot hold
    Io,            // the file could not be written (read-only folder, disk full...)
};

// Whole-record access. Reading a missing file creates it empty; reading past the end gives
// zero bytes. Writing replaces the file atomically (temporary file in the same folder,
// flush, fsync, rename), so a crash leaves either the old or the new file, never a torn one,
// and every record not written keeps its bytes.
class RecordFile {
  public:
    static QByteArray Read(const QString& path, int recordNo);
    static QList<QByteArray> ReadRange(const QString& path, int firstRecordNo, int count);
    // The same records back to back in one buffer (count * 128 bytes), for readers that go
    // through many records (RecordReader reads one from a view into it).
    static QByteArray ReadBlock(const QString& path, int firstRecordNo, int count);
    [[nodiscard]] static bool Write(const QString& path, int recordNo, const QByteArray& record);
    [[nodiscard]] static bool WriteRange(const QString& path, int firstRecordNo,
                                         const QList<QByteArray>& records);
    // Whole records back to back (a multiple of 128 bytes), as ReadBlock gives them.
    [[nodiscard]] static bool WriteBlock(const QString& path, int firstRecordNo, const QByteArray& block);
    // Replaces the whole file with these bytes, atomically.
    [[nodiscard]] static bool ReplaceFile(const QString& path, const QByteArray& content);
    // Why the last save on this thread failed (None after one that succeeded).
    static WriteTrouble LastTrouble();
    // Moves a file that cannot be read to PATH.damaged (PATH.damaged-2... when that is taken),
    // so it is kept, never deleted. Returns the new path, or "" when it could not be moved.
    static QString MoveAside(const QString& path);
    // When the file was last written (milliseconds since 1970), or nothing when there is no
    // such file. One look at the disk answers both.
    static std::optional<qint64> LastWritten(const QString& path);

    // Whether a save waits until the bytes are on the disk (fsync of the file and its folder).
    // Always on in the program. The fuzz targets and the soak, which save thousands of times a
    // second into a scratch folder on a memory file system, turn it off; the temporary file and
    // the rename stay, so a save is still all or nothing.
    static void SetSyncToDisk(bool on);
    static bool SyncToDisk();

    // Keeps every record file in this table, by path, instead of on the disk (nullptr: the
    // disk again). Only the fuzz targets use it, to read and save tens of thousands of files
    // a second through the same code as the program.
    static void UseMemory(QHash<QString, QByteArray>* files);
    static QHash<QString, QByteArray>* Memory();
};

// Packs fields into one record: little-endian integers, IEEE single, texts as a 16-bit byte
// count plus the Shift-JIS bytes, variants as a 16-bit type (0 empty, 8 text) plus a text.
// "WHAT（ディスクがいっぱいです）。" and the path on a line of its own: a failed save told with
// its cause, from the last save's error or else from a look at the file's folder.
QString SaveFailureMessage(const QString& what, const QString& path = {});

// A field that would not fit, or text that cannot be encoded, sets the error and is not
// written; the record is then refused by ok().
class RecordWriter {
  public:
    RecordWriter& Int16(qint16 v);
    RecordWriter& Int32(qint32 v);
    RecordWriter& Single(float v);
    RecordWriter& Text(const QString& s);
    RecordWriter& VariantText(const QString& s);
    RecordWriter& VariantEmpty();
    // A variant that holds the text, or is empty when the text is null.
    RecordWriter& Variant(const std::optional<QString>& s);
    // A field by its type (qint16, qint32, float, text, variant). A record whose fields are
    // listed once, in a template over RecordWriter and RecordReader, is packed and unpacked
    // by the same list.
    RecordWriter& Field(qint16 v) { return Int16(v); }
    RecordWriter& Field(qint32 v) { return Int32(v); }
    RecordWriter& Field(float v) { return Single(v); }
    RecordWriter& Field(const QString& s) { return Text(s); }
    RecordWriter& Field(const std::optional<QString>& s) { return Variant(s); }

    bool ok() const { return m_error == RecordError::None; }
    RecordError error() const { return m_error; }
    int size() const { return m_size; }
    QByteArray Record() const;        // exactly 128 bytes, zero filler
    void CopyTo(char* record) const;  // the same 128 bytes into a block

  private:
    bool Room(qsizetype n);
    // The record being packed, on the stack: checking whether fields fit allocates nothing.
    char m_buf[kRecordSize];
    int m_size = 0;
    RecordError m_error = RecordError::None;
};

// Unpacks fields from one record. Past the end of the record everything reads as zero or
// empty; a byte count that points past the record yields the bytes that are there.
class RecordReader {
  public:
    explicit RecordReader(const QByteArray& record) : m_owned(record), m_bytes(m_owned) {}
    // A record inside a block that outlives the reader.
    explicit RecordReader(QByteArrayView record) : m_bytes(record) {}
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;
    qint16 Int16();
    qint32 Int32();
    float Single();
    QString Text();
    // A variant field: the text for type 8, nullopt for empty (type 0) or any other type.
    std::optional<QString> Variant();
    // The counterparts of RecordWriter::Field.
    RecordReader& Field(qint16& v) { return Into(v, Int16()); }
    RecordReader& Field(qint32& v) { return Into(v, Int32()); }
    RecordReader& Field(float& v) { return Into(v, Single()); }
    RecordReader& Field(QString& s) { return Into(s, Text()); }
    RecordReader& Field(std::optional<QString>& s) { return Into(s, Variant()); }
    int pos() const { return m_pos; }
    // Whether every field read so far lay whole inside the record and every text was valid
    // Shift-JIS: the same fields then pack again into as many bytes.
    bool Exact() const { return m_exact && m_pos <= m_bytes.size(); }

  private:
    template <typename T>
    RecordReader& Into(T& field, T value) {
        field = std::move(value);
        return *this;
    }
    quint8 Byte(qsizetype at) const { return at < m_bytes.size() ? quint8(m_bytes.constData()[at]) : 0; }
    QByteArray m_owned;
    QByteArrayView m_bytes;
    int m_pos = 0;
    bool m_exact = true;
};

}  // namespace kd
