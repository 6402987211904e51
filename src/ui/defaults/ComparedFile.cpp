#include "ui/defaults/ComparedFile.h"

#include <QFileInfo>

#include "platform/FileNames.h"

namespace tarnwick::ui {

std::optional<ComparedFile> chooseFileToCompare(
    Prompts& prompts, const model::Document& document,
    const std::function<model::Document(const QString& path)>& readFile) {
    const auto chosen = prompts.chooseFileToOpen(
        {"Compare with File",
         "Scenario or Unit Data (*.pud;*.udta)|*.pud;*.udt*|All Files (*.*)|*.*",
         1,
         {},
         QFileInfo(platform::fileNameFromBytes(document.fileName)).path(),
         {},
         true});
    if (!chosen) {
        return std::nullopt;
    }
    const model::Document other = readFile(*chosen);
    const QString name = QFileInfo(*chosen).fileName();
    if (other.kind == model::DocumentKind::UpgradeData) {
        prompts.error(name + " holds no unit data to compare with.");
        return std::nullopt;
    }
    return ComparedFile{other.unitData, name};
}

}  // namespace tarnwick::ui
