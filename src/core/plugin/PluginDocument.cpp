#include "core/plugin/PluginDocument.h"

#include <algorithm>

namespace tarnwick::plugin {

using model::Document;
using model::SectionId;

namespace {

// Sections filled straight from a field of the same size.
struct PlainSection {
    SectionId section;
    BlockField field;
};
constexpr PlainSection kPlainSections[] = {
    {SectionId::Version, BlockField::Version},
    {SectionId::Description, BlockField::Description},
    {SectionId::Owners, BlockField::Owners},
    {SectionId::Era, BlockField::Era},
    {SectionId::Sides, BlockField::Sides},
    {SectionId::StartGold, BlockField::StartGold},
    {SectionId::StartLumber, BlockField::StartLumber},
    {SectionId::StartOil, BlockField::StartOil},
    {SectionId::AiPlayers, BlockField::AiPlayers},
    {SectionId::Upgrades, BlockField::Upgrades},
    {SectionId::Restrictions, BlockField::Restrictions},
};

constexpr bool isPresent(std::uint32_t presentByte) {
    return presentByte == 1;
}

void copyInto(std::span<std::uint8_t> target, std::span<const std::uint8_t> source) {
    if (target.size() != source.size()) {
        throw Error("A field of the shared block does not match its section");
    }
    std::copy(source.begin(), source.end(), target.begin());
}

void storePresence(LinkObject& link, BlockField field, bool present) {
    if (isPresent(link.number(field)) != present) {
        link.setNumber(field, present ? 1 : 0);
    }
}

}  // namespace

void fillDocument(Document& document, const LinkObject& link) {
    Document next;
    for (const PlainSection& plain : kPlainSections) {
        copyInto(next.body(plain.section), link.field(plain.field));
        next.setHeld(plain.section, true);
    }
    // "ERAX" only when the scenario has it; its word goes back to the host unchanged anyway.
    if (isPresent(link.number(BlockField::EraExpansionPresent))) {
        copyInto(next.body(SectionId::EraExpansion), link.field(BlockField::EraExpansion));
        next.setHasExpansionTerrain(true);
    }
    next.setHasRestrictions(isPresent(link.number(BlockField::RestrictionsPresent)));

    const auto type = link.field(BlockField::Type);
    next.blob(SectionId::Type).assign(type.begin(), type.end());
    next.setHeld(SectionId::Type, true);

    // "DIM ": width then height, the two fields that follow each other in the block.
    auto dimensions = next.body(SectionId::Dimensions);
    copyInto(dimensions.first(2), link.field(BlockField::MapWidth));
    copyInto(dimensions.subspan(2), link.field(BlockField::MapHeight));
    next.setHeld(SectionId::Dimensions, true);

    const auto unitData = link.field(BlockField::UnitData);
    copyInto(next.unitData.bytes, unitData.first(model::UnitDataTable::kSize));
    next.hasExpansionGfx = link.unitDataLength() != kUnitDataLengthPlain;
    if (next.hasExpansionGfx) {
        copyInto(next.gfxSwamp, unitData.subspan(model::UnitDataTable::kSize));
    }
    next.setHeld(SectionId::UnitData, true);

    for (const BlockFieldInfo& info : kBlockLayout) {
        if (info.onSave == OnSave::MapLayer) {
            const auto layer = link.usedLayer(info.id);
            next.blob(*info.section).assign(layer.begin(), layer.end());
            next.setHeld(*info.section, true);
        }
    }

    next.kind = model::DocumentKind::Scenario;
    next.isLoaded = true;
    document = std::move(next);
}

Document documentFromLink(const LinkObject& link) {
    Document document;
    fillDocument(document, link);
    return document;
}

void storeDocumentInLink(const Document& document, LinkObject& link) {
    storePresence(link, BlockField::RestrictionsPresent, document.hasRestrictions());
    storePresence(link, BlockField::EraExpansionPresent, document.hasExpansionTerrain());
    link.setNumber(BlockField::UnitDataLength,
                   document.hasExpansionGfx ? kUnitDataLengthWithSwamp : kUnitDataLengthPlain);
    const auto unitData = link.field(BlockField::UnitData);
    copyInto(unitData.first(model::UnitDataTable::kSize), document.unitData.bytes);
    if (document.hasExpansionGfx) {
        copyInto(unitData.subspan(model::UnitDataTable::kSize), document.gfxSwamp);
    }
    copyInto(link.field(BlockField::Upgrades), document.upgrades.bytes);
    copyInto(link.field(BlockField::Restrictions), document.restrictions.bytes);
}

}  // namespace tarnwick::plugin
