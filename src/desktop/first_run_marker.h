// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace fretlux {

// Remembers across runs that the program's first run has been seen through, as a file in the
// program's configuration directory.
class FirstRunMarker {
public:
    explicit FirstRunMarker(const QString& configDirectory);

    // True while the marker is missing.
    bool IsFirstRun() const;
    // Writes the marker.
    void Record();

private:
    QString Path() const;

    QString directory_;
};

}  // namespace fretlux
