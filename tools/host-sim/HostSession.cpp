#include "HostSession.h"

#include <algorithm>
#include <iostream>

#include <QCoreApplication>

#include "core/bytes/LittleEndian.h"
#include "core/files/Scenario.h"
#include "core/plugin/HostBlock.h"
#include "core/plugin/SharedBlock.h"
#include "platform/FileStore.h"

namespace tarnwick::hostsim {

namespace {

void report(const QString& line) {
    std::cout << "tarnwick-host: " << line.toStdString() << std::endl;
}

QString describe(const plugin::Notification& notification) {
    return QString("%1 (%2, %3)")
        .arg(notification.message)
        .arg(notification.first)
        .arg(notification.second);
}

std::uint32_t numberAt(std::span<const std::uint8_t> block, plugin::BlockField field) {
    const auto& info = plugin::blockField(field);
    return bytes::readLe(block, info.offset, info.size);
}

}  // namespace

HostSession::HostSession(const HostOptions& options, SharedBlockOwner& block,
                         std::vector<std::uint8_t> original, model::Document sent,
                         QLocalServer* server)
    : options_(options),
      block_(block),
      original_(std::move(original)),
      sent_(std::move(sent)),
      server_(server) {
    if (server_ != nullptr) {
        connect(server_, &QLocalServer::newConnection, this, &HostSession::onNewConnection);
    }
    connect(&editor_, &QProcess::finished, this, &HostSession::onEditorFinished);
    connect(&editor_, &QProcess::errorOccurred, this, &HostSession::onEditorError);
    limit_.setSingleShot(true);
    connect(&limit_, &QTimer::timeout, this, [this] {
        abandon(QString("the editor did not end within %1 s").arg(options_.timeoutSeconds));
    });
}

void HostSession::start() {
    editor_.setProgram(options_.editor);
    editor_.setArguments({"-MarrowbyPlugIn"});
    editor_.setProcessChannelMode(QProcess::ForwardedChannels);
    report(QString("starting %1 -MarrowbyPlugIn").arg(options_.editor));
    if (options_.timeoutSeconds > 0) {
        limit_.start(options_.timeoutSeconds * 1000);
    }
    editor_.start();
}

void HostSession::abandon(const QString& why) {
    if (judged_) {
        return;
    }
    fail(why);
    abandoned_ = true;
    if (editor_.state() != QProcess::NotRunning) {
        report("stopping the editor");
        editor_.kill();
        editor_.waitForFinished(5000);
    }
    judge();
}

void HostSession::onNewConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        sockets_.append(socket);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadable(socket); });
        onReadable(socket);
    }
}

void HostSession::onReadable(QLocalSocket* socket) {
    while (socket->bytesAvailable() >= static_cast<qint64>(plugin::kNotificationSize)) {
        const QByteArray data = socket->read(plugin::kNotificationSize);
        const auto notification =
            plugin::decodeNotification({reinterpret_cast<const std::uint8_t*>(data.constData()),
                                        static_cast<std::size_t>(data.size())});
        if (notification) {
            onNotification(*notification, socket);
        }
    }
}

void HostSession::onNotification(const plugin::Notification& notification, QLocalSocket* socket) {
    report("received " + describe(notification));
    const bool opened = std::any_of(received_.begin(), received_.end(), [](const auto& n) {
        return n.message == plugin::kOpenedMessage;
    });
    const bool released = std::any_of(received_.begin(), received_.end(), [](const auto& n) {
        return n.message == plugin::kReleasedMessage;
    });
    received_.push_back(notification);
    if (notification.message == plugin::kOpenedMessage) {
        if (opened || released || notification.first != 0 || notification.second != 0) {
            fail("unexpected " + describe(notification));
        }
    } else if (notification.message == plugin::kReleasedMessage) {
        if (!opened || released || notification.first > 1 || notification.second != 0) {
            fail("unexpected " + describe(notification));
        } else {
            // Handled before the answer: the editor goes on, and may end, only once the
            // scenario is safe.
            onReleased(notification.first);
        }
    } else {
        fail("unknown notification " + describe(notification));
    }
    if (options_.acknowledge) {
        socket->write(QByteArray(1, static_cast<char>(plugin::kAcknowledgement)));
        socket->flush();
    }
}

void HostSession::onReleased(std::uint32_t saved) {
    const auto block = block_.bytes();
    if (numberAt(block, plugin::BlockField::HostHandle) !=
            numberAt(original_, plugin::BlockField::HostHandle) ||
        numberAt(block, plugin::BlockField::UnitCount) !=
            numberAt(original_, plugin::BlockField::UnitCount)) {
        fail("the editor changed the host handle or the unit count");
    }
    if (saved == 1) {
        writeBack("the editor saved");
    } else if (plugin::fixedPartsEqual(block, original_)) {
        report("the editor did not save; the fixed part is as the host wrote it");
    } else {
        fail("the editor did not save, yet the fixed part changed");
    }
}

void HostSession::writeBack(const QString& why) {
    try {
        const auto scenario = plugin::scenarioFromBlock(block_.bytes(), sent_);
        platform::saveWholeFile(options_.out, files::writeScenario(scenario));
        report(why + "; wrote " + options_.out);
    } catch (const std::exception& error) {
        fail("cannot write the scenario back to " + options_.out + ": " + error.what());
    }
}

void HostSession::onEditorFinished(int exitCode, QProcess::ExitStatus status) {
    if (abandoned_) {
        report("the editor was stopped");
    } else if (status == QProcess::CrashExit) {
        fail("the editor crashed");
    } else {
        report(QString("the editor ended with exit code %1").arg(exitCode));
        if (exitCode != 0) {
            fail(QString("the editor failed (exit code %1)").arg(exitCode));
        }
    }
    judge();
}

void HostSession::onEditorError(QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) {
        fail("cannot start the editor " + options_.editor + ": " + editor_.errorString());
        judge();
    }
}

void HostSession::drainConnections() {
    if (server_ != nullptr) {
        onNewConnection();
    }
    for (QLocalSocket* socket : sockets_) {
        socket->waitForReadyRead(0);
        onReadable(socket);
    }
}

void HostSession::judge() {
    if (judged_) {
        return;
    }
    drainConnections();
    judged_ = true;
    limit_.stop();
    if (options_.handle == 0) {
        report("host handle 0: no notification expected");
        if (plugin::fixedPartsEqual(block_.bytes(), original_)) {
            report("the block is as the host wrote it; nothing written");
        } else {
            writeBack("the editor changed the block");
        }
    } else {
        for (const auto message : {plugin::kOpenedMessage, plugin::kReleasedMessage}) {
            const bool seen =
                std::any_of(received_.begin(), received_.end(),
                            [message](const auto& n) { return n.message == message; });
            if (!seen) {
                fail(QString("the editor never sent %1").arg(message));
            }
        }
    }
    for (const QString& failure : failures_) {
        report("FAILED: " + failure);
    }
    report(failures_.isEmpty() ? "done" : "done, with failures");
    QCoreApplication::exit(exitCode());
}

void HostSession::fail(const QString& why) {
    if (!failures_.contains(why)) {
        failures_.append(why);
    }
}

}  // namespace tarnwick::hostsim
