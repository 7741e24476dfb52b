// SPDX-License-Identifier: MIT
// A later start of the program hands the file it was given to the copy that runs, over a local
// socket "fretlux.socket" beside the single-instance lock, and ends; the copy that runs opens
// the file, or only comes to the front when none was given. This is how a file manager opens a
// file while Fretlux runs.
#pragma once

#include <QLocalServer>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>

namespace fretlux {

class InstanceHandOver {
public:
    // Runs with the file a later start handed over, "" when it was given none.
    using Receiver = std::function<void(const std::string& path)>;

    explicit InstanceHandOver(const QString& directory);

    // In the copy that holds the lock: from now on takes what later starts hand over. The
    // receiver runs on the event loop, never while a modal window (a question, a dialog) is
    // open, where a new document would pull the ground from under the command that waits.
    // False when the socket cannot be set up; the program then runs without it.
    bool Listen(Receiver receiver);

    // In a later start: gives path to the copy that runs and waits until it took it; false when
    // no copy took it within timeoutMs.
    static bool HandOver(const QString& directory, const std::string& path, int timeoutMs);

private:
    void TakeConnection();
    void DeliverPending();

    QString socketPath_;
    QLocalServer server_;
    Receiver receiver_;
    std::deque<std::string> pending_;
    QTimer retry_;
    bool delivering_ = false;
};

}  // namespace fretlux
