#pragma once

#include <cstdint>
#include <vector>

#include <QHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

#include "SharedBlockOwner.h"
#include "core/model/Document.h"
#include "core/plugin/Notification.h"

namespace tarnwick::hostsim {

struct HostOptions {
    QString scenario;
    QString editor;
    QString out;
    std::uint32_t handle = 0;
    int timeoutSeconds = 0;  // 0: wait as long as the editor runs
    bool acknowledge = true;
};

// One run of the host: the block exists and (for a non-zero handle) the endpoint listens; the
// session starts the editor, answers its notifications, writes the scenario back on 1026 with 1
// and judges the run once the editor has ended.
class HostSession : public QObject {
    Q_OBJECT

  public:
    // `sent` is the scenario the block was made from: what the block cannot hold comes from it.
    HostSession(const HostOptions& options, SharedBlockOwner& block,
                std::vector<std::uint8_t> original, model::Document sent, QLocalServer* server);

    // Starts the editor; the event loop ends when the session is judged.
    void start();
    // Stops the editor and fails the run (a signal, the time limit).
    void abandon(const QString& why);
    int exitCode() const { return failures_.isEmpty() ? 0 : 1; }

  private:
    void onNewConnection();
    void onReadable(QLocalSocket* socket);
    void onNotification(const plugin::Notification& notification, QLocalSocket* socket);
    void onReleased(std::uint32_t saved);
    void onEditorFinished(int exitCode, QProcess::ExitStatus status);
    void onEditorError(QProcess::ProcessError error);
    void drainConnections();
    void writeBack(const QString& why);
    void judge();
    void fail(const QString& why);

    HostOptions options_;
    SharedBlockOwner& block_;
    std::vector<std::uint8_t> original_;
    model::Document sent_;
    QLocalServer* server_;
    QProcess editor_;
    QTimer limit_;
    QList<QLocalSocket*> sockets_;
    std::vector<plugin::Notification> received_;
    QStringList failures_;
    bool judged_ = false;
    bool abandoned_ = false;
};

}  // namespace tarnwick::hostsim
