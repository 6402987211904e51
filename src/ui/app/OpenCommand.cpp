#include "ui/app/OpenCommand.h"

#include "core/Error.h"
#include "core/files/DocumentFiles.h"
#include "platform/FileStore.h"

namespace tarnwick::ui {

using model::DocumentKind;

namespace {

bool readByKind(model::Document& document, Prompts& prompts,
                const std::vector<std::uint8_t>& file) {
    document.kind = DocumentKind::None;
    const DocumentKind kind = files::detectKind(file);
    if (kind == DocumentKind::None) {
        prompts.show({MessageIcon::None, "File Error!", "Unknown or unsupported filetype!"});
        return false;
    }
    document.kind = kind;
    try {
        files::readDocument(document, kind, file);
        return true;
    } catch (const Error& error) {
        const QString reason = QString::fromStdString(error.what());
        if (kind == DocumentKind::UnitData) {
            prompts.error("Error Opening:\r" + reason);
        } else {
            prompts.plain(reason);
        }
    }
    return false;
}

}  // namespace

bool loadDocumentFile(model::Document& document, Prompts& prompts, const QString& path) {
    document.fileName = path.toStdString();
    bool loaded = false;
    try {
        loaded = readByKind(document, prompts, platform::readWholeFile(path));
        if (!loaded) {
            document.isLoaded = false;
            prompts.error("Error: File Not Opened!");
        }
    } catch (const Error&) {
        document.isLoaded = false;
        prompts.error("Error: Error Opening File!");
    }
    return loaded;
}

}  // namespace tarnwick::ui
