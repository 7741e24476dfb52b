// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace fretlux {

// The directory the program's data lives in (lessons, scales, chord files, tabfiles/), without a
// trailing separator: the environment variable FRETLUX_PROGRAM_DIR when it is set, else
// share/fretlux beside the executable's folder where the program is installed, else the data
// directory compiled in (the source tree's data/, so that the program runs from the build tree),
// else the directory of the executable.
QString ProgramDirectory();

// The rule above with its inputs spelled out; an empty or missing built-in directory is skipped.
QString ChooseProgramDirectory(const QString& environmentOverride, const QString& builtInDataDir,
                               const QString& executableDir);

}  // namespace fretlux
