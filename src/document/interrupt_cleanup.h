// SPDX-License-Identifier: MIT
// Files that must not outlive an interrupted run: SIGINT, SIGTERM or SIGHUP removes them before
// the signal takes its usual course.
#pragma once

#include <string>

namespace fretlux {

// Returns false when no room was left to note the path; the caller then does without the
// protection rather than fail the write.
bool RemoveOnInterrupt(const std::string& path);
void ForgetOnInterrupt(const std::string& path);

}  // namespace fretlux
