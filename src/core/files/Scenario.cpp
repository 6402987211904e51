#include "core/files/Scenario.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "core/bytes/Printable.h"
#include "core/files/SectionChain.h"

namespace tarnwick::files {

using model::Document;
using model::SectionId;
using model::SectionInfo;
using model::SectionStorage;

namespace {

std::string lengthMismatch(const SectionInfo& info, std::size_t length, std::string_view expected) {
    return "Section \"" + std::string(info.tag) + "\" has length " + std::to_string(length) +
           "; it must be " + std::string(expected);
}

void storeSection(Document& document, const SectionInfo& info, std::span<const std::uint8_t> body) {
    const auto target = document.body(info.id);
    switch (info.storage) {
        case SectionStorage::Image:
            if (body.size() != info.bodySize) {
                throw Error(lengthMismatch(info, body.size(), std::to_string(info.bodySize)));
            }
            std::copy(body.begin(), body.end(), target.begin());
            break;
        case SectionStorage::UnitData: {
            const bool withSwamp = body.size() == model::kUnitDataWithSwampSize;
            if (body.size() != info.bodySize && !withSwamp) {
                throw Error(lengthMismatch(info, body.size(), "5696 or 5950"));
            }
            std::copy_n(body.begin(), info.bodySize, target.begin());
            if (withSwamp) {
                std::copy(body.begin() + static_cast<std::ptrdiff_t>(info.bodySize), body.end(),
                          document.gfxSwamp.begin());
            }
            document.hasExpansionGfx = withSwamp;
            break;
        }
        case SectionStorage::Blob:
        case SectionStorage::AsRead:
        case SectionStorage::InPlace:
            document.blob(info.id).assign(body.begin(), body.end());
            break;
    }
    document.setHeld(info.id, true);
}

// A scenario always carries the two tables; one that lacks them gets tables that tell the game
// to use its defaults, so that it saves as a valid scenario.
void addMissingTables(Document& document) {
    if (!document.holds(SectionId::UnitData)) {
        document.unitData = {};
        document.unitData.set(model::unitfields::useDefault, 0, 1);
        document.hasExpansionGfx = false;
        document.setHeld(SectionId::UnitData, true);
    }
    if (!document.holds(SectionId::Upgrades)) {
        document.upgrades = {};
        document.upgrades.set(model::upgradefields::useDefault, 0, 1);
        document.setHeld(SectionId::Upgrades, true);
    }
}

}  // namespace

void readScenario(Document& document, std::span<const std::uint8_t> file) {
    // Sections the file lacks keep what the document held, for the editors' view only.
    Document next = document;
    next.releaseMapBlobs();
    next.clearHeldSections();
    next.signatureFollows.reset();
    next.repeatedSections.clear();
    std::array<std::size_t, model::kSectionCount> counts{};
    std::optional<SectionId> previous;
    SectionChainReader chain(file);
    while (const auto header = chain.nextHeader()) {
        const auto id = model::findSectionByTag(header->tag);
        if (!id) {
            throw Error("Unknown Section :" + bytes::printable(header->tag));
        }
        const SectionInfo& info = model::sectionInfo(*id);
        storeSection(next, info, chain.takeBody());
        ++counts[model::indexOf(*id)];
        if (info.storage == SectionStorage::InPlace) {
            next.signatureFollows = previous;
        } else {
            previous = *id;
        }
    }
    for (const SectionInfo& info : model::kSections) {
        if (const std::size_t count = counts[model::indexOf(info.id)]; count > 1) {
            next.repeatedSections.push_back({std::string(info.tag), count});
        }
    }
    addMissingTables(next);
    document = std::move(next);
}

std::vector<std::uint8_t> writeScenario(const Document& document) {
    std::vector<std::uint8_t> out;
    bool signaturePending = document.holds(SectionId::Signature);
    const auto placeSignature = [&] {
        if (signaturePending) {
            appendSection(out, document.header(SectionId::Signature),
                          document.body(SectionId::Signature));
            signaturePending = false;
        }
    };
    if (!document.signatureFollows) {
        placeSignature();
    }
    for (const SectionInfo& info : model::kSections) {
        if (info.storage == SectionStorage::InPlace) {
            continue;
        }
        // Right after the section it followed, or where that one would be when it is not held.
        if (document.signatureFollows &&
            model::indexOf(*document.signatureFollows) < model::indexOf(info.id)) {
            placeSignature();
        }
        if (!document.holds(info.id)) {
            continue;
        }
        appendSection(out, document.header(info.id), document.body(info.id));
        if (info.id == SectionId::UnitData && document.hasExpansionGfx) {
            const std::size_t at = out.size();
            out.resize(at + document.gfxSwamp.size());
            std::copy(document.gfxSwamp.begin(), document.gfxSwamp.end(),
                      out.begin() + static_cast<std::ptrdiff_t>(at));
        }
    }
    placeSignature();
    return out;
}

std::string repeatedSectionNote(const model::RepeatedSection& repeated) {
    const std::string times =
        repeated.count == 2 ? "twice" : std::to_string(repeated.count) + " times";
    return "the file holds " + bytes::printable(repeated.tag) + " " + times +
           "; the last is used and only it is written back";
}

bool looksLikeScenario(std::span<const std::uint8_t> file) {
    constexpr std::string_view kTypeTag = "TYPE";
    return file.size() >= kTypeTag.size() &&
           std::equal(kTypeTag.begin(), kTypeTag.end(), file.begin());
}

}  // namespace tarnwick::files
