// Any shared block as the host hands it over (see PluginBlockInput.h for how the bytes stand for
// one): the link refuses it with its message, or takes it as plug-in mode does. A block it takes
// makes a document whose map layers are exactly the used parts; "Save and Exit" without an edit
// gives the host back its block byte for byte; with edits, the host reads them back and every
// byte outside the fixed part stays the host's; "Save As" writes a scenario that reads again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "PluginBlockInput.h"
#include "Require.h"
#include "core/files/Scenario.h"
#include "core/plugin/HostBlock.h"
#include "core/plugin/LinkObject.h"
#include "core/plugin/PluginDocument.h"
#include "core/plugin/PluginLinkError.h"

namespace {

using namespace tarnwick;
using fuzz::require;
using Bytes = std::vector<std::uint8_t>;

bool sameBytes(const Bytes& a, const Bytes& b, std::size_t offset, std::size_t size) {
    return std::equal(a.begin() + static_cast<std::ptrdiff_t>(offset),
                      a.begin() + static_cast<std::ptrdiff_t>(offset + size),
                      b.begin() + static_cast<std::ptrdiff_t>(offset));
}

// What the editor may not write: the host handle, the map layers, the unit count, and whatever
// the host keeps after the layout.
void requireHostPartsKept(const Bytes& before, const Bytes& after) {
    require(before.size() == after.size());
    for (const plugin::BlockFieldInfo& info : plugin::kBlockLayout) {
        if (info.onSave != plugin::OnSave::WrittenBack) {
            require(sameBytes(before, after, info.offset, info.size));
        }
    }
    require(sameBytes(before, after, plugin::kBlockSize, before.size() - plugin::kBlockSize));
}

void requireLayersAreTheUsedParts(const model::Document& document, const plugin::LinkObject& link) {
    for (const plugin::BlockFieldInfo& info : plugin::kBlockLayout) {
        if (info.onSave == plugin::OnSave::MapLayer) {
            const auto used = link.usedLayer(info.id);
            const auto body = document.body(*info.section);
            require(document.holds(*info.section) &&
                    std::equal(body.begin(), body.end(), used.begin(), used.end()));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes block = fuzz::blockFromInput({data, size});
    std::optional<plugin::LinkObject> opened;
    try {
        opened = plugin::LinkObject::fromBlock(block);
    } catch (const plugin::PluginLinkError& error) {
        require(std::string_view(error.what()).starts_with(plugin::kCannotCommunicate));
        return 0;
    }
    plugin::LinkObject& link = *opened;
    model::Document document;
    plugin::fillDocument(document, link);
    require(document.isLoaded && document.kind == model::DocumentKind::Scenario);
    requireLayersAreTheUsedParts(document, link);

    Bytes saved = block;
    plugin::storeDocumentInLink(document, link);
    link.writeBack(saved);
    require(saved == block);

    // Edits the editor can make: the swamp array and restrictions on or off, a unit's value.
    document.hasExpansionGfx = !document.hasExpansionGfx;
    document.setHasRestrictions(!document.hasRestrictions());
    document.unitData.bytes[size % document.unitData.bytes.size()] ^= 0x5A;
    plugin::storeDocumentInLink(document, link);
    link.writeBack(saved);
    requireHostPartsKept(block, saved);
    const model::Document host = plugin::scenarioFromBlock(saved);
    require(host.hasExpansionGfx == document.hasExpansionGfx &&
            host.hasRestrictions() == document.hasRestrictions() &&
            host.unitData.bytes == document.unitData.bytes);

    const Bytes file = files::writeScenario(document);
    model::Document again;
    files::readScenario(again, file);
    require(files::writeScenario(again) == file);
    return 0;
}
