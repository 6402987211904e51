#include "core/bytes/Printable.h"

namespace tarnwick::bytes {

std::string printable(std::string_view raw, Blanks blanks) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(raw.size());
    for (const char c : raw) {
        const auto byte = static_cast<unsigned char>(c);
        const bool escaped =
            byte < 0x20 || byte > 0x7E || byte == '\\' || (byte == ' ' && blanks == Blanks::Escape);
        if (escaped) {
            text += "\\x";
            text += kHex[byte >> 4];
            text += kHex[byte & 0x0F];
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace tarnwick::bytes
