#pragma once

#include <string>

#include "core/Error.h"

namespace tarnwick::plugin {

// The link's two messages; a refused block adds its reason after the second.
inline constexpr const char* kAlreadyOpen = "Marrowby Interface already open.";
inline constexpr const char* kCannotCommunicate = "Cannot communicate with Marrowby.";
inline constexpr const char* kAnotherEditor = "Another editor is already working on this scenario.";

// A failure of the host link. The plug-in start shows it behind "Error: " and ends.
class PluginLinkError : public Error {
  public:
    explicit PluginLinkError(const std::string& message) : Error(message) {}

    // "Cannot communicate with Marrowby." followed by the reason, when there is one.
    static PluginLinkError cannotCommunicate(const std::string& reason = {}) {
        return PluginLinkError(reason.empty() ? std::string(kCannotCommunicate)
                                              : std::string(kCannotCommunicate) + " " + reason);
    }
};

}  // namespace tarnwick::plugin
