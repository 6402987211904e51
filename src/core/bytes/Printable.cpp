#include "core/bytes/Printable.h"

namespace tarnwick::bytes {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void appendEscaped(std::string& text, unsigned char byte) {
    text += "\\x";
    text += kHex[byte >> 4];
    text += kHex[byte & 0x0F];
}

bool isShown(unsigned char byte, Blanks blanks) {
    return byte >= 0x20 && byte <= 0x7E && byte != '\\' && (byte != ' ' || blanks == Blanks::Keep);
}

}  // namespace

std::string printable(std::string_view raw, Blanks blanks) {
    std::string text;
    text.reserve(raw.size());
    for (const char c : raw) {
        const auto byte = static_cast<unsigned char>(c);
        if (isShown(byte, blanks)) {
            text += c;
        } else {
            appendEscaped(text, byte);
        }
    }
    return text;
}

std::string printableName(std::string_view name) {
    std::string text;
    text.reserve(name.size());
    for (std::size_t at = 0; at < name.size();) {
        const auto byte = static_cast<unsigned char>(name[at]);
        const std::size_t length = utf8SequenceAt(name, at);
        // C1 controls (U+0080 to U+009F) are as unprintable as the C0 ones.
        const bool control =
            length == 2 && byte == 0xC2 && static_cast<unsigned char>(name[at + 1]) < 0xA0;
        if (length > 0 && !control) {
            text.append(name.substr(at, length));
            at += length;
        } else {
            if (isShown(byte, Blanks::Keep)) {
                text += name[at];
            } else {
                appendEscaped(text, byte);
            }
            ++at;
        }
    }
    return text;
}

std::size_t utf8SequenceAt(std::string_view text, std::size_t at) {
    const auto byteAt = [&](std::size_t index) { return static_cast<unsigned char>(text[index]); };
    const unsigned char lead = byteAt(at);
    std::size_t length = 0;
    // The range the second byte must lie in, which rules out overlong forms, surrogates and
    // code points past U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() - at < length || byteAt(at + 1) < low || byteAt(at + 1) > high) {
        return 0;
    }
    for (std::size_t next = 2; next < length; ++next) {
        if (byteAt(at + next) < 0x80 || byteAt(at + next) > 0xBF) {
            return 0;
        }
    }
    return length;
}

}  // namespace tarnwick::bytes
