#pragma once

#include <cstddef>
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

// A file name as a message shows it: as printable() does, but characters written in UTF-8 stay
// as they are, so "café.pud" reads as typed and a Latin-1 byte shows as "\xE9".
std::string printableName(std::string_view name);

// The length of the UTF-8 sequence of a character above U+007F that starts at `at`: 2 to 4, or 0
// when none does there (a stray byte, an overlong form, a surrogate, a cut sequence).
std::size_t utf8SequenceAt(std::string_view text, std::size_t at);

}  // namespace tarnwick::bytes
