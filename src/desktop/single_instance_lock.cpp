// SPDX-License-Identifier: MIT
#include "desktop/single_instance_lock.h"

#include <QDir>

namespace fretlux {

SingleInstanceLock::SingleInstanceLock(const QString& directory)
    : path_(QDir(directory).filePath(QStringLiteral("fretlux.lock"))) {}

bool SingleInstanceLock::AnotherCopyRunning() {
    if (lock_ && lock_->isLocked()) return false;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    lock_ = std::make_unique<QLockFile>(path_);
    // Age alone never makes a lock stale: only a lock whose owner is gone is broken.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) return false;
    // A lock that cannot even be written says nothing about another copy; the user is not
    // kept out of the program for that.
    return lock_->error() == QLockFile::LockFailedError;
}

}  // namespace fretlux
