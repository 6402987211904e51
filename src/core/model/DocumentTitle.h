#pragma once

#include <string>

#include "core/model/Document.h"

namespace tarnwick::model {

inline constexpr const char* kTitleAtStart = "Tarnwick v3.0";
inline constexpr const char* kTitleNothingHeld = "Tarnwick v3.0 - [NONE]";
inline constexpr const char* kTitlePlugIn = "Tarnwick v3.0 - [Plug-in]";

// When the title is set: a unit-data file shows its whole path after it was read, but every kind
// shows only the file's name after it was written.
enum class TitleMoment { AfterRead, AfterWrite };

// "Tarnwick v3.0 - " + the file name + " - [PUD]", "[UDTA]" or "[UGRD]"; without a file name
// (a document from the game's archive) only the kind, "Tarnwick v3.0 - [PUD]"; the nothing-held
// title while no document is loaded.
std::string documentTitle(const Document& document, TitleMoment moment = TitleMoment::AfterRead);

}  // namespace tarnwick::model
