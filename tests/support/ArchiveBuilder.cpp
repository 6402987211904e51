#include "ArchiveBuilder.h"

#include "core/archive/Archive.h"
#include "core/archive/LzssEncoder.h"

namespace tarnwick::testsupport {

namespace {
void appendWord(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}
}  // namespace

ArchiveBuilder& ArchiveBuilder::stored(const Bytes& data) {
    entries_.push_back(Entry{archive::entryHeader(data.size(), false), data});
    return *this;
}

ArchiveBuilder& ArchiveBuilder::compressed(const Bytes& data) {
    NoProgress quiet;
    entries_.push_back(
        Entry{archive::entryHeader(data.size(), true), archive::lzssCompress(data, quiet)});
    return *this;
}

ArchiveBuilder& ArchiveBuilder::empty() {
    entries_.emplace_back();
    return *this;
}

ArchiveBuilder& ArchiveBuilder::at(std::size_t slot, const Bytes& data, bool compress) {
    while (entries_.size() < slot) {
        empty();
    }
    if (entries_.size() > slot) {
        entries_.resize(slot);
    }
    return compress ? compressed(data) : stored(data);
}

Bytes ArchiveBuilder::bytes() const {
    Bytes out = {'W', 'A', 'R', '2'};
    const auto count = static_cast<std::uint16_t>(entries_.size());
    out.push_back(static_cast<std::uint8_t>(count));
    out.push_back(static_cast<std::uint8_t>(count >> 8));
    out.push_back(0);
    out.push_back(0);
    std::size_t position = 8 + 4 * entries_.size();
    for (const auto& entry : entries_) {
        appendWord(out, entry ? static_cast<std::uint32_t>(position) : 0xFFFFFFFFu);
        if (entry) {
            position += 4 + entry->payload.size();
        }
    }
    for (const auto& entry : entries_) {
        if (entry) {
            appendWord(out, entry->header);
            out.insert(out.end(), entry->payload.begin(), entry->payload.end());
        }
    }
    return out;
}

Bytes archiveWithTable(const std::vector<std::int32_t>& offsets, const Bytes& body) {
    Bytes out = {'W',
                 'A',
                 'R',
                 '2',
                 static_cast<std::uint8_t>(offsets.size()),
                 static_cast<std::uint8_t>(offsets.size() >> 8),
                 0,
                 0};
    for (const std::int32_t offset : offsets) {
        appendWord(out, static_cast<std::uint32_t>(offset));
    }
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

}  // namespace tarnwick::testsupport
