#pragma once
#include "classroom/ClassServer.h"

class QIODevice;

namespace kd {

// The class's games as CSV for a spreadsheet (UTF-8 with a byte-order mark, so Excel reads the
// names): a header row, then one row per game, students by name, games by date.
bool WriteClassCsv(const ClassView& view, QIODevice& out);

}  // namespace kd
