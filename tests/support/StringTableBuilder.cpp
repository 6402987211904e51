#include "StringTableBuilder.h"

namespace tarnwick::testsupport {

Bytes stringTable(const std::vector<std::string>& strings) {
    Bytes out(2 + 2 * strings.size());
    out[0] = static_cast<std::uint8_t>(strings.size());
    out[1] = static_cast<std::uint8_t>(strings.size() >> 8);
    for (std::size_t k = 0; k < strings.size(); ++k) {
        out[2 + 2 * k] = static_cast<std::uint8_t>(out.size());
        out[3 + 2 * k] = static_cast<std::uint8_t>(out.size() >> 8);
        out.insert(out.end(), strings[k].begin(), strings[k].end());
        out.push_back(0);
    }
    return out;
}

}  // namespace tarnwick::testsupport
