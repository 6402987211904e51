#include "tool/ToolFiles.h"

#include <QString>

#include "core/files/DocumentFiles.h"
#include "platform/FileStore.h"

namespace tarnwick::tool {

std::vector<std::uint8_t> readInput(const std::string& path) {
    return platform::readWholeFile(QString::fromStdString(path));
}

void writeOutput(const std::string& path, std::span<const std::uint8_t> bytes) {
    platform::saveWholeFile(QString::fromStdString(path), bytes);
}

model::Document openDocument(const std::string& path) {
    return files::readDocument({}, readInput(path), path);
}

model::Document openUnitData(const std::string& path) {
    model::Document document = openDocument(path);
    if (document.kind == model::DocumentKind::UpgradeData) {
        throw Error("\"" + path + "\" holds upgrade data, no unit data");
    }
    return document;
}

void saveDocument(const model::Document& document, const std::string& path) {
    writeOutput(path, files::writeDocument(document));
}

}  // namespace tarnwick::tool
