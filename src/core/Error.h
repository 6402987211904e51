#pragma once

#include <stdexcept>
#include <string>

namespace tarnwick {

// Every failure the user may read: the text is shown as it stands, behind whatever prefix the
// command that catches it adds.
class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tarnwick
