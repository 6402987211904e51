#include "core/plugin/HostBlock.h"

#include <algorithm>
#include <string>

#include "core/plugin/LinkObject.h"
#include "core/plugin/PluginDocument.h"

namespace tarnwick::plugin {

using model::Document;
using model::SectionId;

namespace {

struct SectionField {
    SectionId section;
    BlockField field;
};
constexpr SectionField kImageFields[] = {
    {SectionId::Version, BlockField::Version},
    {SectionId::Description, BlockField::Description},
    {SectionId::Owners, BlockField::Owners},
    {SectionId::Era, BlockField::Era},
    {SectionId::EraExpansion, BlockField::EraExpansion},
    {SectionId::Upgrades, BlockField::Upgrades},
    {SectionId::Restrictions, BlockField::Restrictions},
    {SectionId::Sides, BlockField::Sides},
    {SectionId::StartGold, BlockField::StartGold},
    {SectionId::StartLumber, BlockField::StartLumber},
    {SectionId::StartOil, BlockField::StartOil},
    {SectionId::AiPlayers, BlockField::AiPlayers},
};

// Copies as much of `source` as the field has room for; the rest of the field stays zero.
void fill(LinkObject& block, BlockField field, std::span<const std::uint8_t> source) {
    const auto target = block.field(field);
    std::copy_n(source.begin(), std::min(source.size(), target.size()), target.begin());
}

std::uint32_t checkedSide(const char* which, std::uint32_t side) {
    if (side == 0 || side > kMaxMapSide) {
        throw Error("The scenario's map " + std::string(which) + " " + std::to_string(side) +
                    " does not fit the shared block (1 to 128)");
    }
    return side;
}

}  // namespace

std::vector<std::uint8_t> blockFromScenario(const Document& scenario, std::uint32_t hostHandle) {
    if (!scenario.holds(SectionId::Dimensions)) {
        throw Error("The scenario has no \"DIM \" section");
    }
    // The link object is laid out as the block, so the host builds the block in one.
    LinkObject block;
    block.setNumber(BlockField::HostHandle, hostHandle);
    fill(block, BlockField::Type, scenario.body(SectionId::Type));
    for (const SectionField& image : kImageFields) {
        fill(block, image.field, scenario.body(image.section));
    }
    const auto dimensions = scenario.body(SectionId::Dimensions);
    fill(block, BlockField::MapWidth, dimensions.first(2));
    fill(block, BlockField::MapHeight, dimensions.subspan(2));
    checkedSide("width", block.mapWidth());
    checkedSide("height", block.mapHeight());

    fill(block, BlockField::UnitData, scenario.unitData.bytes);
    if (scenario.hasExpansionGfx) {
        const auto swamp = block.field(BlockField::UnitData).subspan(model::UnitDataTable::kSize);
        std::copy(scenario.gfxSwamp.begin(), scenario.gfxSwamp.end(), swamp.begin());
    }
    block.setNumber(BlockField::UnitDataLength,
                    scenario.hasExpansionGfx ? kUnitDataLengthWithSwamp : kUnitDataLengthPlain);
    block.setNumber(BlockField::EraExpansionPresent, scenario.hasExpansionTerrain() ? 1 : 0);
    block.setNumber(BlockField::RestrictionsPresent, scenario.hasRestrictions() ? 1 : 0);

    for (const BlockFieldInfo& info : kBlockLayout) {
        if (info.onSave != OnSave::MapLayer) {
            continue;
        }
        const auto layer = scenario.body(*info.section);
        if (layer.size() > info.size) {
            throw Error("The scenario's \"" + std::string(info.name) + "\" section holds " +
                        std::to_string(layer.size()) + " bytes; the shared block has room for " +
                        std::to_string(info.size));
        }
        if (layer.size() % info.cellSize != 0) {
            throw Error("The scenario's \"" + std::string(info.name) + "\" section holds " +
                        std::to_string(layer.size()) + " bytes, not whole cells of " +
                        std::to_string(info.cellSize));
        }
        fill(block, info.id, layer);
    }
    block.setNumber(
        BlockField::UnitCount,
        static_cast<std::uint32_t>(scenario.body(SectionId::Units).size() / kUnitRecordSize));

    std::vector<std::uint8_t> bytes(kBlockSize, 0);
    for (const BlockFieldInfo& info : kBlockLayout) {
        const auto field = block.field(info.id);
        std::copy(field.begin(), field.end(),
                  bytes.begin() + static_cast<std::ptrdiff_t>(info.offset));
    }
    return bytes;
}

Document scenarioFromBlock(std::span<const std::uint8_t> block) {
    return documentFromLink(LinkObject::fromBlock(block));
}

Document scenarioFromBlock(std::span<const std::uint8_t> block, const Document& sent) {
    Document scenario = scenarioFromBlock(block);
    if (sent.holds(SectionId::Signature)) {
        const auto signature = sent.body(SectionId::Signature);
        scenario.blob(SectionId::Signature).assign(signature.begin(), signature.end());
        scenario.setHeld(SectionId::Signature, true);
        scenario.signatureFollows = sent.signatureFollows;
    }
    return scenario;
}

bool fixedPartsEqual(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    validateBlockSize(a.size());
    validateBlockSize(b.size());
    for (const BlockFieldInfo& info : kBlockLayout) {
        if (info.onSave == OnSave::WrittenBack &&
            !std::equal(a.begin() + static_cast<std::ptrdiff_t>(info.offset),
                        a.begin() + static_cast<std::ptrdiff_t>(info.offset + info.size),
                        b.begin() + static_cast<std::ptrdiff_t>(info.offset))) {
            return false;
        }
    }
    return true;
}

}  // namespace tarnwick::plugin
