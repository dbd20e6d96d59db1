#pragma once
#include <QString>

namespace kd {

// The folder that holds Data.dat and one folder per player: the user's data folder for the
// program (follows XDG_DATA_HOME). Created when missing.
QString DefaultDataRoot();

// The folder that holds Midi/ and Sound/: beside the executable in the build tree, or
// ../share/keyderby after an install.
QString MediaFolder();

}  // namespace kd
