#include "common/RecordFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtEndian>
#include <cstring>

#include "common/Cp932.h"

namespace kd {

namespace {

bool g_syncToDisk = true;
QHash<QString, QByteArray>* g_memory = nullptr;
thread_local WriteTrouble t_lastTrouble = WriteTrouble::None;

// Notes why the save failed (errno of the call that failed) and returns false.
bool Failed(int error) {
    t_lastTrouble = TroubleOfErrno(error);
    return false;
}

QByteArray ReadAll(const QString& path) {
    if (g_memory) return g_memory->value(path);
    QFile f(path);
    if (!f.exists()) {
        // Opening a missing file for reading creates it empty, as the players' files expect.
        if (QFileInfo(path).dir().exists() && f.open(QIODevice::WriteOnly)) f.close();
        return {};
    }
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

bool WriteFully(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

}  // namespace

WriteTrouble RecordFile::LastTrouble() {
    return t_lastTrouble;
}

QString SaveFailureMessage(const QString& what, const QString& path) {
    WriteTrouble t = RecordFile::LastTrouble();
    if (t == WriteTrouble::None || t == WriteTrouble::Other)
        t = TroubleOfFolder(path.isEmpty() ? QString() : QFileInfo(path).absolutePath());
    return FailureMessage(what, t, path);
}

void RecordFile::SetSyncToDisk(bool on) {
    g_syncToDisk = on;
}

bool RecordFile::SyncToDisk() {
    return g_syncToDisk;
}

void RecordFile::UseMemory(QHash<QString, QByteArray>* files) {
    g_memory = files;
}

QHash<QString, QByteArray>* RecordFile::Memory() {
    return g_memory;
}

std::optional<qint64> RecordFile::LastWritten(const QString& path) {
    // The memory table keeps no dates: a file there was written at the start of time.
    if (g_memory) return g_memory->contains(path) ? std::optional<qint64>(0) : std::nullopt;
    const QFileInfo info(path);
    if (!info.isFile()) return std::nullopt;
    return info.lastModified().toMSecsSinceEpoch();
}

QByteArray RecordFile::Read(const QString& path, int recordNo) {
    return ReadBlock(path, recordNo, 1);
}

QByteArray RecordFile::ReadBlock(const QString& path, int firstRecordNo, int count) {
    const QByteArray all = ReadAll(path);
    // The whole file, as the ranking is after every save: no copy.
    if (firstRecordNo == 1 && all.size() == qsizetype(qMax(count, 0)) * kRecordSize) return all;
    QByteArray block(qsizetype(qMax(count, 0)) * kRecordSize, '\0');
    for (int i = 0; i < count; ++i) {
        const qsizetype start = qsizetype(firstRecordNo - 1 + i) * kRecordSize;
        if (start >= 0 && start < all.size())
            std::memcpy(block.data() + qsizetype(i) * kRecordSize, all.constData() + start,
                        size_t(qMin<qsizetype>(kRecordSize, all.size() - start)));
    }
    return block;
}

QList<QByteArray> RecordFile::ReadRange(const QString& path, int firstRecordNo, int count) {
    const QByteArray block = ReadBlock(path, firstRecordNo, count);
    QList<QByteArray> out;
    out.reserve(count);
    for (int i = 0; i < count; ++i) out << block.mid(qsizetype(i) * kRecordSize, kRecordSize);
    return out;
}

bool RecordFile::Write(const QString& path, int recordNo, const QByteArray& record) {
    return WriteRange(path, recordNo, {record});
}

bool RecordFile::WriteRange(const QString& path, int firstRecordNo, const QList<QByteArray>& records) {
    QByteArray block(records.size() * kRecordSize, '\0');
    for (int i = 0; i < records.size(); ++i) {
        const QByteArray& rec = records.at(i);
        if (rec.size() > kRecordSize) return false;
        std::memcpy(block.data() + qsizetype(i) * kRecordSize, rec.constData(), size_t(rec.size()));
    }
    return WriteBlock(path, firstRecordNo, block);
}

bool RecordFile::WriteBlock(const QString& path, int firstRecordNo, const QByteArray& block) {
    t_lastTrouble = WriteTrouble::Other;  // until the write itself says otherwise
    if (firstRecordNo < 1 || block.size() % kRecordSize != 0) return false;
    QByteArray all = g_memory ? g_memory->value(path) : QByteArray();
    if (!g_memory) {
        QFile f(path);
        if (f.exists()) {
            if (!f.open(QIODevice::ReadOnly)) return Failed(QFileInfo(path).isDir() ? EISDIR : EACCES);
            all = f.readAll();
        }
    }
    const qsizetype start = qsizetype(firstRecordNo - 1) * kRecordSize;
    if (start == 0 && block.size() >= all.size()) return ReplaceFile(path, block);  // nothing kept
    if (all.size() < start + block.size()) all.append(start + block.size() - all.size(), '\0');
    std::memcpy(all.data() + start, block.constData(), size_t(block.size()));
    return ReplaceFile(path, all);
}

bool RecordFile::ReplaceFile(const QString& path, const QByteArray& content) {
    t_lastTrouble = WriteTrouble::None;
    if (g_memory) {
        g_memory->insert(path, content);
        return true;
    }
    const QFileInfo info(path);
    const QString dir = info.absolutePath();
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = QFile::encodeName(dir + QStringLiteral("/.") + info.fileName() + QStringLiteral(".tmp") +
                                 QString::number(QRandomGenerator::global()->generate(), 16));
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST) return Failed(errno);
    }
    if (fd < 0) return Failed(EEXIST);
    const bool written =
        WriteFully(fd, content.constData(), content.size()) && (!g_syncToDisk || ::fsync(fd) == 0);
    int error = written ? 0 : errno;
    if (::close(fd) != 0 && !error) error = errno;
    if (error || ::rename(temp.constData(), target.constData()) != 0) {
        if (!error) error = errno;
        ::unlink(temp.constData());
        return Failed(error);
    }
    // Make the rename itself durable.
    if (!g_syncToDisk) return true;
    const int dfd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

QString RecordFile::MoveAside(const QString& path) {
    if (g_memory && !g_memory->contains(path)) return QString();
    for (int n = 1; n < 1000; ++n) {
        const QString target =
            path + QStringLiteral(".damaged") + (n == 1 ? QString() : u'-' + QString::number(n));
        if (g_memory) {
            if (g_memory->contains(target)) continue;
            g_memory->insert(target, g_memory->take(path));
            return target;
        }
        if (QFile::exists(target)) continue;
        return QFile::rename(path, target) ? target : QString();
    }
    return QString();
}

bool RecordWriter::Room(qsizetype n) {
    if (m_error != RecordError::None) return false;
    if (m_size + n > kRecordSize) {
        m_error = RecordError::TooLong;
        return false;
    }
    return true;
}

RecordWriter& RecordWriter::Int16(qint16 v) {
    if (Room(2)) {
        const quint16 u = quint16(v);
        m_buf[m_size++] = char(u & 0xFF);
        m_buf[m_size++] = char(u >> 8);
    }
    return *this;
}

RecordWriter& RecordWriter::Int32(qint32 v) {
    if (Room(4)) {
        const quint32 u = quint32(v);
        for (int i = 0; i < 4; ++i) m_buf[m_size++] = char((u >> (8 * i)) & 0xFF);
    }
    return *this;
}

RecordWriter& RecordWriter::Single(float v) {
    quint32 u;
    std::memcpy(&u, &v, 4);
    return Int32(qint32(u));
}

RecordWriter& RecordWriter::Text(const QString& s) {
    if (m_error != RecordError::None) return *this;
    // The bytes go straight after the count's place; a text that does not fit is not kept.
    const int room = kRecordSize - m_size - 2;
    const qsizetype n = EncodeCp932Into(s, room > 0 ? m_buf + m_size + 2 : nullptr, qMax(room, 0));
    if (n < 0) {
        m_error = RecordError::NotEncodable;
        return *this;
    }
    if (Room(2 + n)) {
        m_buf[m_size] = char(n & 0xFF);
        m_buf[m_size + 1] = char((n >> 8) & 0xFF);
        m_size += int(2 + n);
    }
    return *this;
}

RecordWriter& RecordWriter::VariantText(const QString& s) {
    return Int16(8).Text(s);
}

RecordWriter& RecordWriter::VariantEmpty() {
    return Int16(0);
}

RecordWriter& RecordWriter::Variant(const std::optional<QString>& s) {
    return s ? VariantText(*s) : VariantEmpty();
}

QByteArray RecordWriter::Record() const {
    QByteArray rec(kRecordSize, Qt::Uninitialized);
    CopyTo(rec.data());
    return rec;
}

void RecordWriter::CopyTo(char* record) const {
    std::memcpy(record, m_buf, size_t(m_size));
    std::memset(record + m_size, 0, size_t(kRecordSize - m_size));
}

qint16 RecordReader::Int16() {
    // Inside the record (nearly always): one check, not one per byte.
    const quint16 v = m_pos + 2 <= m_bytes.size() ? qFromLittleEndian<quint16>(m_bytes.constData() + m_pos)
                                                  : quint16(Byte(m_pos) | (Byte(m_pos + 1) << 8));
    m_pos += 2;
    return qint16(v);
}

qint32 RecordReader::Int32() {
    quint32 v = 0;
    if (m_pos + 4 <= m_bytes.size())
        v = qFromLittleEndian<quint32>(m_bytes.constData() + m_pos);
    else
        for (int i = 0; i < 4; ++i) v |= quint32(Byte(m_pos + i)) << (8 * i);
    m_pos += 4;
    return qint32(v);
}

float RecordReader::Single() {
    const quint32 u = quint32(Int32());
    float v;
    std::memcpy(&v, &u, 4);
    return v;
}

QString RecordReader::Text() {
    const int n = quint16(Int16());
    const qsizetype avail = qMax<qsizetype>(0, qMin<qsizetype>(n, m_bytes.size() - m_pos));
    const QByteArrayView bytes = avail > 0 ? QByteArrayView(m_bytes).sliced(m_pos, avail) : QByteArrayView();
    m_pos += n;
    bool valid = true;
    QString text = DecodeCp932(bytes, valid);
    m_exact = m_exact && valid && avail == n;
    return text;
}

std::optional<QString> RecordReader::Variant() {
    const qint16 type = Int16();
    if (type == 8) return Text();
    if (type != 0) {
        m_pos = int(m_bytes.size());  // unknown layout: nothing after it can be trusted
        m_exact = false;
    }
    return std::nullopt;
}

}  // namespace kd
