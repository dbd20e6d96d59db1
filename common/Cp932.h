#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace kd {

// Shift-JIS as Windows writes it (code page 932): ー is 81 5B, ～ 81 60, ① 87 40.
// Text that code page 932 cannot hold exactly (also look-alikes such as 〜 or ¥ that would
// come back as another character) gives nullopt, never a "?".
std::optional<QByteArray> EncodeCp932(QStringView text);
// The same bytes written to out, at most room of them (a record's free space): returns the
// count the whole text takes, more than room when only the first room were written, or -1
// when the text cannot be held.
qsizetype EncodeCp932Into(QStringView text, char* out, qsizetype room);
bool IsCp932Encodable(QStringView text);
bool IsCp932Encodable(QChar c);
// Bytes that are not Shift-JIS decode as U+FFFD, one per bad byte.
QString DecodeCp932(QByteArrayView bytes);
// The same, and whether every byte was Shift-JIS. A valid text writes back into as many bytes.
QString DecodeCp932(QByteArrayView bytes, bool& valid);
// nullopt when the bytes are not valid Shift-JIS.
std::optional<QString> DecodeCp932Strict(QByteArrayView bytes);

}  // namespace kd
