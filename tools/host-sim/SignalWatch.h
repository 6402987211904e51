#pragma once

#include <functional>

#include <QObject>
#include <QSocketNotifier>

namespace tarnwick::hostsim {

// Turns SIGINT, SIGTERM and SIGHUP into a call on the event loop, so that the block is removed.
class SignalWatch : public QObject {
    Q_OBJECT

  public:
    explicit SignalWatch(std::function<void(int)> onSignal);

  private:
    std::function<void(int)> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace tarnwick::hostsim
