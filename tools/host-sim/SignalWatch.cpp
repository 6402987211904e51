#include "SignalWatch.h"

#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

namespace tarnwick::hostsim {

namespace {

int signalPipe[2] = {-1, -1};

void handleSignal(int number) {
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

SignalWatch::SignalWatch(std::function<void(int)> onSignal) : onSignal_(std::move(onSignal)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) {
        return;
    }
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        if (::read(signalPipe[0], &byte, 1) == 1) {
            onSignal_(static_cast<unsigned char>(byte));
        }
    });
    struct sigaction action {};
    action.sa_handler = handleSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(number, &action, nullptr);
    }
    // An editor that gave up waiting may have closed its end before the answer is written.
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace tarnwick::hostsim
