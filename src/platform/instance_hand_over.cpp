// SPDX-License-Identifier: MIT
#include "platform/instance_hand_over.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

namespace fretlux {

namespace {

// A path is sent as its bytes and a NUL, which no path holds; the copy that runs answers with
// one byte once it has taken it.
constexpr char kEnd = '\0';
constexpr char kTaken = '1';
// More than any path the system opens; a sender of more is cut off.
constexpr qsizetype kLongestMessage = 64 * 1024;
constexpr int kRetryMs = 100;
constexpr int kConnectAttemptMs = 200;

}  // namespace

InstanceHandOver::InstanceHandOver(const QString& directory)
    : socketPath_(QDir(directory).filePath(QStringLiteral("fretlux.socket"))) {
    retry_.setInterval(kRetryMs);
    QObject::connect(&retry_, &QTimer::timeout, [this] { DeliverPending(); });
}

bool InstanceHandOver::Listen(Receiver receiver) {
    receiver_ = std::move(receiver);
    // The lock is ours, so a socket left there is one a copy that died left behind.
    QLocalServer::removeServer(socketPath_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(&server_, &QLocalServer::newConnection, [this] { TakeConnection(); });
    return server_.listen(socketPath_);
}

void InstanceHandOver::TakeConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            const QByteArray received = socket->peek(kLongestMessage + 1);
            const qsizetype end = received.indexOf(kEnd);
            if (end < 0) {
                if (received.size() > kLongestMessage) socket->abort();
                return;
            }
            socket->read(end + 1);
            pending_.push_back(received.left(end).toStdString());
            socket->write(&kTaken, 1);
            socket->disconnectFromServer();
            // Opening a file may ask a question; it is not asked inside the socket's handler.
            QTimer::singleShot(0, &retry_, [this] { DeliverPending(); });
        });
    }
}

void InstanceHandOver::DeliverPending() {
    if (delivering_) return;
    if (QApplication::activeModalWidget() != nullptr) {
        retry_.start();
        return;
    }
    retry_.stop();
    delivering_ = true;
    while (!pending_.empty() && QApplication::activeModalWidget() == nullptr) {
        const std::string path = std::move(pending_.front());
        pending_.pop_front();
        receiver_(path);
    }
    delivering_ = false;
    if (!pending_.empty()) retry_.start();
}

bool InstanceHandOver::HandOver(const QString& directory, const std::string& path, int timeoutMs) {
    const QString socketPath = QDir(directory).filePath(QStringLiteral("fretlux.socket"));
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The copy that runs may hold the lock a moment before it listens.
    for (;;) {
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(kConnectAttemptMs)) break;
        if (deadline.hasExpired()) return false;
        QThread::msleep(kRetryMs);
    }
    QByteArray message = QByteArray::fromStdString(path);
    message.append(kEnd);
    socket.write(message);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return false;
    }
    while (socket.bytesAvailable() == 0) {
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) return false;
    }
    char answer = 0;
    return socket.read(&answer, 1) == 1 && answer == kTaken;
}

}  // namespace fretlux
