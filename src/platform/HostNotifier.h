#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "core/plugin/Notification.h"

namespace tarnwick::platform {

// How a notification to the host ended.
enum class NotificationResult : std::uint8_t {
    NotSent,       // the host handle is 0: there is nobody to tell
    Acknowledged,  // the host answered: it has handled the message
    Unanswered,    // no endpoint, a broken connection, or no answer in time
};

struct Notified {
    NotificationResult result = NotificationResult::NotSent;
    // Why an unanswered notification went unanswered, for the user: "its socket refuses the
    // connection", "no answer within 5 s".
    std::string reason;
};

// Sends one notification to the host whose handle is `hostHandle`, over the local socket
// "MarrowbyFMF.<handle>" and nothing else, and waits for its one-byte answer. The whole exchange
// (connecting, writing, waiting) takes at most `timeout`; a handle of 0 sends nothing.
Notified notifyHost(std::uint32_t hostHandle, const plugin::Notification& notification,
                    std::chrono::milliseconds timeout);

}  // namespace tarnwick::platform
