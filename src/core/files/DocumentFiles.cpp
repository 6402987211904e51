#include "core/files/DocumentFiles.h"

#include "core/Error.h"
#include "core/files/Scenario.h"
#include "core/files/StandaloneFiles.h"

namespace tarnwick::files {

using model::DocumentKind;

DocumentKind detectKind(std::span<const std::uint8_t> file) {
    if (looksLikeScenario(file)) {
        return DocumentKind::Scenario;
    }
    if (file.size() == kUnitDataFileSize || file.size() == kUnitDataFileWithSwampSize) {
        return DocumentKind::UnitData;
    }
    if (file.size() == kUpgradeFileSize) {
        return DocumentKind::UpgradeData;
    }
    return DocumentKind::None;
}

model::Document readDocument(const model::Document& current, std::span<const std::uint8_t> file,
                             const std::string& fileName) {
    model::Document read = current;
    const DocumentKind kind = detectKind(file);
    switch (kind) {
        case DocumentKind::Scenario:
            readScenario(read, file);
            break;
        case DocumentKind::UnitData:
            readUnitDataFile(read, file);
            break;
        case DocumentKind::UpgradeData:
            readUpgradeFile(read, file);
            break;
        case DocumentKind::None:
            throw UnknownFileKind();
    }
    // Only a scenario carries restrictions and repeats; those of an earlier scenario do not
    // belong to a stand-alone file.
    if (kind != DocumentKind::Scenario) {
        read.setHasRestrictions(false);
        read.repeatedSections.clear();
    }
    read.kind = kind;
    read.isLoaded = true;
    read.fileName = fileName;
    return read;
}

std::vector<std::uint8_t> writeDocument(const model::Document& document) {
    switch (document.kind) {
        case DocumentKind::Scenario:
            return writeScenario(document);
        case DocumentKind::UnitData:
            return writeUnitDataFile(document);
        case DocumentKind::UpgradeData:
            return writeUpgradeFile(document);
        case DocumentKind::None:
            break;
    }
    throw Error("No file loaded");
}

}  // namespace tarnwick::files
