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

std::string inWords(std::chrono::milliseconds timeout) {
    return timeout.count() % 1000 == 0 ? std::to_string(timeout.count() / 1000) + " s"
                                       : std::to_string(timeout.count()) + " ms";
}

// Why the exchange on `socket` ended without an answer: a killed host leaves its socket's name
// behind with nobody listening, a stopped one takes the message and never answers.
Notified unanswered(const QLocalSocket& socket, std::chrono::milliseconds timeout) {
    std::string reason;
    switch (socket.error()) {
        case QLocalSocket::ServerNotFoundError:
            reason = "nothing listens on its socket";
            break;
        case QLocalSocket::ConnectionRefusedError:
            reason = "its socket refuses the connection";
            break;
        case QLocalSocket::PeerClosedError:
            reason = "it closed the connection without an answer";
            break;
        case QLocalSocket::SocketTimeoutError:
        case QLocalSocket::UnknownSocketError:
            reason = "no answer within " + inWords(timeout);
            break;
        default:
            reason = socket.errorString().toStdString();
            break;
    }
    return {NotificationResult::Unanswered, reason};
}

}  // namespace

Notified notifyHost(std::uint32_t hostHandle, const plugin::Notification& notification,
                    std::chrono::milliseconds timeout) {
    if (hostHandle == 0) {
        return {};
    }
    QElapsedTimer clock;
    clock.start();
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(plugin::notificationEndpoint(hostHandle)));
    if (socket.state() != QLocalSocket::ConnectedState &&
        !socket.waitForConnected(remaining(clock, timeout))) {
        return unanswered(socket, timeout);
    }
    const auto message = plugin::encodeNotification(notification);
    const auto size = static_cast<qint64>(message.size());
    if (socket.write(reinterpret_cast<const char*>(message.data()), size) != size) {
        return unanswered(socket, timeout);
    }
    while (socket.bytesToWrite() > 0) {
        if (remaining(clock, timeout) == 0 ||
            !socket.waitForBytesWritten(remaining(clock, timeout))) {
            return unanswered(socket, timeout);
        }
    }
    while (socket.bytesAvailable() < 1) {
        if (remaining(clock, timeout) == 0 || !socket.waitForReadyRead(remaining(clock, timeout))) {
            return unanswered(socket, timeout);
        }
    }
    char answer = 0;
    socket.read(&answer, 1);
    socket.abort();
    return {NotificationResult::Acknowledged, {}};
}

}  // namespace tarnwick::platform
