// SPDX-License-Identifier: MIT
// Files that must not outlive an interrupted run: SIGINT, SIGTERM or SIGHUP removes them before
// the signal takes its usual course.
#pragma once

#include <signal.h>

#include <string>

namespace fretlux {

// Returns false when no room was left to note the path; the caller then does without the
// protection rather than fail the write.
bool RemoveOnInterrupt(const std::string& path);
void ForgetOnInterrupt(const std::string& path);

// While it lives, SIGINT, SIGTERM and SIGHUP wait for the calling thread: two steps that must not
// be parted (naming a finished file and renaming it into place) run between them undisturbed.
class InterruptsDeferred {
public:
    InterruptsDeferred();
    ~InterruptsDeferred();
    InterruptsDeferred(const InterruptsDeferred&) = delete;
    InterruptsDeferred& operator=(const InterruptsDeferred&) = delete;

private:
    sigset_t previous_;
};

}  // namespace fretlux
