#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

namespace kd {

// Shift-JIS as Windows writes it (code page 932): ー is 81 5B, ～ 81 60, ① 87 40.
// Text that code page 932 cannot hold gives nullopt, never a "?".
std::optional<QByteArray> EncodeCp932(const QString& text);
bool IsCp932Encodable(const QString& text);
QString DecodeCp932(const QByteArray& bytes);

}  // namespace kd
