#include "core/files/SectionChain.h"

#include <algorithm>

#include "core/bytes/LittleEndian.h"
#include "core/bytes/Printable.h"

namespace tarnwick::files {

namespace {
constexpr std::size_t kHeaderSize = 8;
}

std::optional<ChainHeader> SectionChainReader::nextHeader() {
    pending_.reset();
    if (file_.size() - position_ < kHeaderSize) {
        return std::nullopt;
    }
    ChainHeader header;
    header.tag.assign(reinterpret_cast<const char*>(file_.data() + position_), 4);
    header.length = bytes::readLe(file_, position_ + 4, 4);
    position_ += kHeaderSize;
    pending_ = header;
    return header;
}

std::span<const std::uint8_t> SectionChainReader::takeBody() {
    if (!pending_) {
        throw Error("No section header was read");
    }
    const ChainHeader header = *pending_;
    pending_.reset();
    const std::size_t left = file_.size() - position_;
    if (header.length > left) {
        throw Error("Section \"" + bytes::printable(header.tag) + "\" is damaged: it claims " +
                    std::to_string(header.length) + " bytes, but " + std::to_string(left) +
                    " are left in the file");
    }
    const auto body = file_.subspan(position_, header.length);
    position_ += body.size();
    return body;
}

void appendSection(std::vector<std::uint8_t>& out, const model::SectionHeader& header,
                   std::span<const std::uint8_t> body) {
    const std::size_t at = out.size();
    out.resize(at + kHeaderSize + body.size());
    std::copy(header.tag.begin(), header.tag.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
    bytes::writeLe(out, at + header.tag.size(), 4, static_cast<std::uint32_t>(header.length));
    std::copy(body.begin(), body.end(),
              out.begin() + static_cast<std::ptrdiff_t>(at + kHeaderSize));
}

}  // namespace tarnwick::files
