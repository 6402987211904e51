#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/bytes/LittleEndian.h"

// The two notifications the editor sends its host, as the fixed message the project's
// link carries: message number, first and second parameter, each 32-bit little-endian. The host
// answers each with one byte once it has handled it.
namespace tarnwick::plugin {

inline constexpr std::uint32_t kUserMessage = 0x0400;                // the first user message
inline constexpr std::uint32_t kOpenedMessage = kUserMessage + 1;    // 1025
inline constexpr std::uint32_t kReleasedMessage = kUserMessage + 2;  // 1026
inline constexpr std::size_t kNotificationSize = 12;
inline constexpr std::uint8_t kAcknowledgement = 0x06;

struct Notification {
    std::uint32_t message = 0;
    std::uint32_t first = 0;
    std::uint32_t second = 0;
};

inline std::array<std::uint8_t, kNotificationSize> encodeNotification(const Notification& n) {
    std::array<std::uint8_t, kNotificationSize> bytes{};
    bytes::writeLe(bytes, 0, 4, n.message);
    bytes::writeLe(bytes, 4, 4, n.first);
    bytes::writeLe(bytes, 8, 4, n.second);
    return bytes;
}

// Nothing when fewer than kNotificationSize bytes are given.
inline std::optional<Notification> decodeNotification(std::span<const std::uint8_t> data) {
    if (data.size() < kNotificationSize) {
        return std::nullopt;
    }
    return Notification{bytes::readLe(data, 0, 4), bytes::readLe(data, 4, 4),
                        bytes::readLe(data, 8, 4)};
}

// The name of the host's endpoint: the host handle of the block's offset 0, in decimal.
inline std::string notificationEndpoint(std::uint32_t hostHandle) {
    return "MarrowbyFMF." + std::to_string(hostHandle);
}

}  // namespace tarnwick::plugin
