// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace fretlux {

// Remembers across runs that the program has run before, as the file "first-run-done" in the
// program's configuration directory.
class FirstRunMarker {
public:
    explicit FirstRunMarker(const QString& configDirectory);

    // True when the marker was missing; it exists afterwards.
    bool IsFirstRun();

private:
    QString directory_;
};

}  // namespace fretlux
