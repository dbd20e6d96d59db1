#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

namespace kd {

// Shift-JIS as Windows writes it (code page 932): ー is 81 5B, ～ 81 60, ① 87 40.
// Text that code page 932 cannot hold exactly (also look-alikes such as 〜 or ¥ that would
// come back as another character) gives nullopt, never a "?".
std::optional<QByteArray> EncodeCp932(const QString& text);
bool IsCp932Encodable(const QString& text);
// Bytes that are not Shift-JIS decode as U+FFFD, one per bad byte.
QString DecodeCp932(const QByteArray& bytes);
// nullopt when the bytes are not valid Shift-JIS.
std::optional<QString> DecodeCp932Strict(const QByteArray& bytes);

}  // namespace kd
