#include "core/model/Document.h"

#include <algorithm>

namespace tarnwick::model {

Document::Document() {
    for (const SectionInfo& info : kSections) {
        if (info.storage == SectionStorage::Image || info.storage == SectionStorage::AsRead) {
            bodies_[indexOf(info.id)].assign(info.bodySize, 0);
        }
    }
}

std::span<std::uint8_t> Document::body(SectionId id) {
    switch (id) {
        case SectionId::UnitData:
            return unitData.bytes;
        case SectionId::Upgrades:
            return upgrades.bytes;
        case SectionId::Restrictions:
            return restrictions.bytes;
        default:
            return bodies_[indexOf(id)];
    }
}

std::span<const std::uint8_t> Document::body(SectionId id) const {
    return const_cast<Document*>(this)->body(id);
}

std::vector<std::uint8_t>& Document::blob(SectionId id) {
    const SectionStorage storage = sectionInfo(id).storage;
    if (storage == SectionStorage::Image || storage == SectionStorage::UnitData) {
        throw Error(std::string("Section ") + std::string(sectionInfo(id).tag) +
                    " has a fixed size");
    }
    return bodies_[indexOf(id)];
}

SectionHeader Document::header(SectionId id) const {
    const SectionInfo& info = sectionInfo(id);
    SectionHeader header;
    std::copy(info.tag.begin(), info.tag.end(), header.tag.begin());
    std::size_t length = body(id).size();
    if (id == SectionId::UnitData && hasExpansionGfx) {
        length = kUnitDataWithSwampSize;
    }
    header.length = static_cast<std::int32_t>(length);
    return header;
}

void Document::releaseMapBlobs() {
    for (const SectionInfo& info : kSections) {
        if (info.storage == SectionStorage::Blob) {
            std::vector<std::uint8_t>().swap(bodies_[indexOf(info.id)]);
        }
    }
}

}  // namespace tarnwick::model
