#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace kd {

// Data.dat in the program folder: one 128-byte record of 21 names, each a 16-bit byte count
// and its Shift-JIS bytes, packed without gaps; the most recent name in slot 0, empty slots
// (count 0) after the used ones.
constexpr int kUserNameSlots = 21;
// What is left for the names' bytes once the 21 counts are in the record.
constexpr int kUserNameBytes = 128 - 2 * kUserNameSlots;

QString PlayerListPath(const QString& programFolder);

// Always 21 names (empty strings for empty slots), or nullopt when a count runs past the
// record or the bytes are not valid Shift-JIS.
std::optional<QStringList> UnpackUserNames(const QByteArray& record);
// The record for these names (missing slots written empty), or nullopt when they do not fit
// or cannot be encoded.
std::optional<QByteArray> PackUserNames(const QStringList& names);

struct UserNamesLoad {
    QStringList names;  // 21 slots
    QString keptCopy;   // where an undecodable Data.dat was moved aside, else empty
};
// Reads record 1 of Data.dat (creating the file empty when absent). A file that cannot be
// decoded is moved aside as Data.dat.damaged (numbered when that exists), never deleted, and
// the list starts empty.
UserNamesLoad LoadUserNames(const QString& programFolder);
[[nodiscard]] bool SaveUserNames(const QString& programFolder, const QStringList& names);

// A confirmed name: a name not yet listed goes to slot 0 and the others move down (slot 20
// falls out); a listed one changes nothing. Then the oldest names are dropped until the list
// fits in the record.
QStringList AddUserName(QStringList names, const QString& name);
// Drops names from the oldest end until the list packs into the record.
QStringList FitUserNames(QStringList names);

// The message that refuses a player name, or an empty string when the name can name a
// player folder and be stored in Data.dat. The empty name is not judged here (it stands for
// "DefaultUser").
QString PlayerNameProblem(const QString& name);
// The first check of the name screen, with its own message.
bool HasForbiddenCharacter(const QString& name);
QString ForbiddenCharacterMessage();

}  // namespace kd
