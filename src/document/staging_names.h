// SPDX-License-Identifier: MIT
// The hidden names a file being written has beside its target: ".fretlux-", the writer's
// process id, "-" and eight random letters or digits. A name that outlives its writer (killed
// between two steps no signal handler sees) is known by its process id, and the next write into
// the directory removes it.
#pragma once

#include <string>

namespace fretlux {

// A new name in directory, not yet made; short, so that a target name of the longest length
// allowed still leaves room for it.
std::string StagingNameIn(const std::string& directory);

// Removes the staged files in directory whose writers no longer run.
void RemoveAbandonedStagingFiles(const std::string& directory);

}  // namespace fretlux
