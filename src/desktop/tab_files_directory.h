// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace fretlux {

// Makes the directory the file dialogs start in the current directory and returns it:
// programDirectory/tabfiles, created when missing, or documentsDirectory/Fretlux when that
// cannot be created or written (a program installed in a read-only place). Returns the current
// directory unchanged when neither can be made.
QString EnterTabFilesDirectory(const QString& programDirectory, const QString& documentsDirectory);

}  // namespace fretlux
