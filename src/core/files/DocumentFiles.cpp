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

void readDocument(model::Document& document, DocumentKind kind,
                  std::span<const std::uint8_t> file) {
    switch (kind) {
        case DocumentKind::Scenario:
            readScenario(document, file);
            break;
        case DocumentKind::UnitData:
            readUnitDataFile(document, file);
            break;
        case DocumentKind::UpgradeData:
            readUpgradeFile(document, file);
            break;
        case DocumentKind::None:
            throw Error("Unknown or unsupported filetype!");
    }
    document.kind = kind;
    document.isLoaded = true;
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
