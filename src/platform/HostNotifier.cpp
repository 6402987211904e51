#include "platform/HostNotifier.h"

#include <QElapsedTimer>
#include <QLocalSocket>
#include <QString>

namespace tarnwick::platform {

namespace {

// Milliseconds left of the budget, never negative (a negative wait would wait for ever).
int remaining(const QElapsedTimer& clock, std::chrono::milliseconds timeout) {
    const qint64 left = timeout.count() - clock.elapsed();
    return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

NotificationResult notifyHost(std::uint32_t hostHandle, const plugin::Notification& notification,
                              std::chrono::milliseconds timeout) {
    if (hostHandle == 0) {
        return NotificationResult::NotSent;
    }
    QElapsedTimer clock;
    clock.start();
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(plugin::notificationEndpoint(hostHandle)));
    if (socket.state() != QLocalSocket::ConnectedState &&
        !socket.waitForConnected(remaining(clock, timeout))) {
        return NotificationResult::Unanswered;
    }
    const auto message = plugin::encodeNotification(notification);
    const auto size = static_cast<qint64>(message.size());
    if (socket.write(reinterpret_cast<const char*>(message.data()), size) != size) {
        return NotificationResult::Unanswered;
    }
    while (socket.bytesToWrite() > 0) {
        if (remaining(clock, timeout) == 0 ||
            !socket.waitForBytesWritten(remaining(clock, timeout))) {
            return NotificationResult::Unanswered;
        }
    }
    while (socket.bytesAvailable() < 1) {
        if (remaining(clock, timeout) == 0 || !socket.waitForReadyRead(remaining(clock, timeout))) {
            return NotificationResult::Unanswered;
        }
    }
    char answer = 0;
    socket.read(&answer, 1);
    socket.abort();
    return NotificationResult::Acknowledged;
}

}  // namespace tarnwick::platform
