#pragma once

#include <string>

#include "core/model/Document.h"

namespace tarnwick::model {

inline constexpr const char* kTitleAtStart = "Tarnwick v3.0";
inline constexpr const char* kTitleNothingHeld = "Tarnwick v3.0 - [NONE]";
inline constexpr const char* kTitlePlugIn = "Tarnwick v3.0 - [Plug-in]";

// "Tarnwick v3.0 - " + the file name (without its folder but for unit data) + " - [PUD]", "[UDTA]"
// or "[UGRD]"; the nothing-held title while no document is loaded.
std::string documentTitle(const Document& document);

}  // namespace tarnwick::model
