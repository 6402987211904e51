#include "core/files/TableFiles.h"

#include <algorithm>
#include <string_view>

#include "core/Error.h"
#include "core/bytes/LittleEndian.h"
#include "core/files/SectionChain.h"
#include "core/files/StandaloneFiles.h"

namespace tarnwick::files {

using model::Document;
using model::DocumentKind;
using model::SectionId;

namespace {

constexpr std::size_t kHeader = 8;
constexpr std::size_t kSwampSize = std::tuple_size_v<model::SwampGraphics>;
constexpr std::size_t kUnitSectionSize = kHeader + model::UnitDataTable::kSize;
constexpr std::size_t kMarkedUnitDataStart = 61;  // after "UDTA", "DataFile" and a gap
constexpr std::size_t kRestrictionFileSize = kHeader + model::RestrictionTable::kSize;

constexpr const char* kUnitsIntoUpgrades = "Cannot import UDTA data into a UGRD!";
constexpr const char* kUnitDataIntoUpgrades = "ERROR! Can Not import UDTA data into a UGRD!";
constexpr const char* kUpgradesIntoUnits = "ERROR! Can Not import a UGRD into a UDTA!";
constexpr const char* kRestrictionsIntoTables = "ERROR! Can Not import restrictions into a UDTA!";

std::vector<std::uint8_t> section(const Document& document, SectionId id) {
    std::vector<std::uint8_t> out;
    appendSection(out, document.header(id), document.body(id));
    if (id == SectionId::UnitData && document.hasExpansionGfx) {
        out.insert(out.end(), document.gfxSwamp.begin(), document.gfxSwamp.end());
    }
    return out;
}

bool startsWith(std::span<const std::uint8_t> file, std::size_t at, std::string_view text) {
    return file.size() >= at + text.size() &&
           std::equal(text.begin(), text.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
}

// Copies `count` bytes of the file from `from` into `target` at `to`.
void take(std::span<const std::uint8_t> file, std::size_t from, std::size_t count,
          std::span<std::uint8_t> target, std::size_t to = 0) {
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(from), count,
                target.begin() + static_cast<std::ptrdiff_t>(to));
}

void importUnitSection(Document& document, std::span<const std::uint8_t> file) {
    if (document.kind == DocumentKind::UpgradeData) {
        throw Error(kUnitsIntoUpgrades);
    }
    // The length field decides whether the swamp array follows, but only what is really
    // there is taken.
    const std::uint32_t length = bytes::readLe(file, 4, 4);
    const bool withSwamp = length >= kUnitDataFileWithSwampSize;
    if (file.size() < kUnitSectionSize + (withSwamp ? kSwampSize : 0)) {
        throw Error(kUnknownFormat);
    }
    take(file, kHeader, model::UnitDataTable::kSize, document.unitData.bytes);
    if (withSwamp) {
        take(file, kUnitSectionSize, kSwampSize, document.gfxSwamp);
    }
    document.hasExpansionGfx = withSwamp;
}

void importMarkedUnitData(Document& document, std::span<const std::uint8_t> file) {
    const std::size_t end = kMarkedUnitDataStart + kUnitDataFileSize;
    if (file.size() < end) {
        throw Error(kUnknownFormat);
    }
    take(file, kMarkedUnitDataStart, kUnitDataFileSize, document.unitData.bytes, 2);
    if (file.size() - end >= kSwampSize) {
        take(file, end, kSwampSize, document.gfxSwamp);
        document.hasExpansionGfx = true;
    }
}

void importUpgrades(Document& document, std::span<const std::uint8_t> file, std::size_t from) {
    if (document.kind == DocumentKind::UnitData) {
        throw Error(kUpgradesIntoUnits);
    }
    if (file.size() < from + kUpgradeFileSize) {
        throw Error(kUnknownFormat);
    }
    take(file, from, kUpgradeFileSize, document.upgrades.bytes, 2);
}

void importRestrictions(Document& document, std::span<const std::uint8_t> file) {
    if (document.kind == DocumentKind::UnitData || document.kind == DocumentKind::UpgradeData) {
        throw Error(kRestrictionsIntoTables);
    }
    if (file.size() < kRestrictionFileSize) {
        throw Error(kUnknownFormat);
    }
    take(file, kHeader, model::RestrictionTable::kSize, document.restrictions.bytes);
    document.setHasRestrictions(true);
}

void importUnitDataFile(Document& document, std::span<const std::uint8_t> file) {
    if (document.kind == DocumentKind::UpgradeData) {
        throw Error(kUnitDataIntoUpgrades);
    }
    take(file, 0, kUnitDataFileSize, document.unitData.bytes, 2);
    document.hasExpansionGfx = file.size() == kUnitDataFileWithSwampSize;
    if (document.hasExpansionGfx) {
        take(file, kUnitDataFileSize, kSwampSize, document.gfxSwamp);
    }
}

}  // namespace

std::vector<std::uint8_t> exportTable(const Document& document, ExportFormat format) {
    switch (format) {
        case ExportFormat::UnitData:
            return writeUnitDataFile(document);
        case ExportFormat::UpgradeData:
            return writeUpgradeFile(document);
        case ExportFormat::UpgradeSection:
            return section(document, SectionId::Upgrades);
        case ExportFormat::UnitSection:
            return section(document, SectionId::UnitData);
        case ExportFormat::Restrictions:
            return section(document, SectionId::Restrictions);
    }
    throw Error("Unknown export format");
}

void importTable(Document& document, std::span<const std::uint8_t> file) {
    if (startsWith(file, 0, "UDTA")) {
        if (startsWith(file, 4, "DataFile")) {
            return importMarkedUnitData(document, file);
        }
        if (file.size() < kHeader) {
            throw Error(kUnknownFormat);
        }
        return importUnitSection(document, file);
    }
    if (startsWith(file, 0, "UGRD")) {
        // Past the header and the file's own useDefault word, so that an exported upgrade
        // section comes back with the same values.
        return importUpgrades(document, file, kHeader + 2);
    }
    if (startsWith(file, 0, "ALOW")) {
        return importRestrictions(document, file);
    }
    if (file.size() == kUpgradeFileSize) {
        return importUpgrades(document, file, 0);
    }
    if (file.size() == kUnitDataFileSize || file.size() == kUnitDataFileWithSwampSize) {
        return importUnitDataFile(document, file);
    }
    throw Error(kUnknownFormat);
}

}  // namespace tarnwick::files
