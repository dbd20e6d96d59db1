#include "common/PlayerList.h"

#include <QCoreApplication>
#include <QFile>

#include "common/Cp932.h"
#include "common/RecordFile.h"

namespace kd {

namespace {

// Linux refuses longer folder names.
constexpr int kMaxFolderNameBytes = 255;

QStringList Slots(QStringList names) {
    names = names.mid(0, kUserNameSlots);
    while (names.size() < kUserNameSlots) names << QString();
    return names;
}

}  // namespace

QString PlayerListPath(const QString& programFolder) {
    return programFolder + QStringLiteral("/Data.dat");
}

std::optional<QStringList> UnpackUserNames(const QByteArray& record) {
    const QByteArray rec =
        record.size() == kRecordSize ? record : record.left(kRecordSize).leftJustified(kRecordSize, '\0');
    QStringList names;
    int pos = 0;
    // A count that would lie past the record reads as zero, like any byte past the end.
    auto byteAt = [&rec](int i) { return i < kRecordSize ? int(quint8(rec.at(i))) : 0; };
    for (int slot = 0; slot < kUserNameSlots; ++slot) {
        const int count = byteAt(pos) | (byteAt(pos + 1) << 8);
        pos += 2;
        if (pos + count > kRecordSize) return std::nullopt;
        const auto name = DecodeCp932Strict(QByteArrayView(rec).sliced(pos, count));
        if (!name) return std::nullopt;
        names << *name;
        pos += count;
    }
    return names;
}

std::optional<QByteArray> PackUserNames(const QStringList& names) {
    RecordWriter w;
    for (const QString& name : Slots(names)) w.Text(name);
    if (!w.ok()) return std::nullopt;
    return w.Record();
}

UserNamesLoad LoadUserNames(const QString& programFolder) {
    const QString path = PlayerListPath(programFolder);
    UserNamesLoad out;
    if (const auto names = UnpackUserNames(RecordFile::Read(path, 1))) {
        out.names = *names;
        return out;
    }
    out.keptCopy = RecordFile::MoveAside(path);
    out.names = Slots({});
    return out;
}

bool SaveUserNames(const QString& programFolder, const QStringList& names) {
    const auto record = PackUserNames(names);
    return record && RecordFile::Write(PlayerListPath(programFolder), 1, *record);
}

QStringList AddUserName(QStringList names, const QString& name) {
    names = Slots(names);
    if (!names.contains(name)) {
        names.prepend(name);
        names = Slots(names);
    }
    return FitUserNames(names);
}

QStringList FitUserNames(QStringList names) {
    names = Slots(names);
    for (int last = kUserNameSlots - 1; last > 0 && !PackUserNames(names); --last) names[last].clear();
    return names;
}

bool HasForbiddenCharacter(const QString& name) {
    for (QChar c : name)
        if (QStringLiteral("\\/:*?\"<>|").contains(c)) return true;
    return false;
}

QString ForbiddenCharacterMessage() {
    return QCoreApplication::translate("PlayerList", "\\/:*?\"<>|は使えません。");
}

QString PlayerNameProblem(const QString& name) {
    if (name.isEmpty()) return QString();
    if (HasForbiddenCharacter(name)) return ForbiddenCharacterMessage();
    if (name == u'.' || name == QStringLiteral(".."))
        return QCoreApplication::translate("PlayerList", "「.」と「..」は名前に使えません。");
    for (QChar c : name)
        if (c.category() == QChar::Other_Control)
            return QCoreApplication::translate("PlayerList", "制御文字は名前に使えません。");
    if (name.front().isSpace() || name.back().isSpace())
        return QCoreApplication::translate("PlayerList", "名前の最初と最後に空白は使えません。");

    // The name must come back unchanged from Data.dat, or its folder would not be found again.
    QString refused;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const qsizetype n = name.at(i).isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
        const QString ch = name.mid(i, n);
        const auto bytes = EncodeCp932(ch);
        if ((!bytes || DecodeCp932(*bytes) != ch) && !refused.contains(ch)) refused += u'「' + ch + u'」';
        i += n - 1;
    }
    if (!refused.isEmpty()) return refused + QCoreApplication::translate("PlayerList", "は使えません。");

    if (EncodeCp932(name)->size() > kUserNameBytes || QFile::encodeName(name).size() > kMaxFolderNameBytes)
        return QCoreApplication::translate(
            "PlayerList", "名前が長すぎます。全角なら43文字、半角なら86文字までにしてください。");
    return QString();
}

}  // namespace kd
