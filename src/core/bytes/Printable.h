#pragma once

#include <string>
#include <string_view>

namespace tarnwick::bytes {

// Whether a blank is shown as is (inside a quoted message) or escaped (in a listing that a
// shell splits at blanks).
enum class Blanks { Keep, Escape };

// Bytes from a file as text that any terminal shows whole: bytes outside printable ASCII and the
// backslash itself become "\xNN", so a tag holding zeros neither cuts a message short nor
// reaches the terminal raw.
std::string printable(std::string_view raw, Blanks blanks = Blanks::Keep);

}  // namespace tarnwick::bytes
