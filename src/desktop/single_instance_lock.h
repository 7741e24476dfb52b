// SPDX-License-Identifier: MIT
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace fretlux {

// Tells whether another copy of the program holds the lock file "fretlux.lock" in a directory.
// The first copy to ask takes the lock and keeps it for its lifetime; a lock left behind by a
// copy that died is taken over.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const QString& directory);

    bool AnotherCopyRunning();

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace fretlux
