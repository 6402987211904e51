#include "core/model/DocumentImage.h"

#include <algorithm>

namespace tarnwick::model {

namespace {
bool isEditable(const SectionInfo& info) {
    return info.storage == SectionStorage::Image || info.storage == SectionStorage::UnitData;
}
}  // namespace

DocumentImage DocumentImage::of(const Document& document) {
    DocumentImage image;
    for (const SectionInfo& info : kSections) {
        image.held_.push_back(document.holds(info.id));
        if (isEditable(info)) {
            const auto body = document.body(info.id);
            image.bytes_.insert(image.bytes_.end(), body.begin(), body.end());
        }
    }
    image.bytes_.insert(image.bytes_.end(), document.gfxSwamp.begin(), document.gfxSwamp.end());
    image.hasExpansionGfx_ = document.hasExpansionGfx;
    return image;
}

void DocumentImage::restoreInto(Document& document) const {
    auto next = bytes_.begin();
    for (const SectionInfo& info : kSections) {
        document.setHeld(info.id, held_[indexOf(info.id)]);
        if (isEditable(info)) {
            const auto body = document.body(info.id);
            std::copy_n(next, body.size(), body.begin());
            next += static_cast<std::ptrdiff_t>(body.size());
        }
    }
    std::copy_n(next, document.gfxSwamp.size(), document.gfxSwamp.begin());
    document.hasExpansionGfx = hasExpansionGfx_;
}

}  // namespace tarnwick::model
