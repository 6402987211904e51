#include "ui/app/OpenCommand.h"

#include "core/Error.h"
#include "core/files/DocumentFiles.h"
#include "platform/FileStore.h"
#include "ui/prompts/CommandFailed.h"

namespace tarnwick::ui {

model::Document readDocumentFile(const model::Document& current, const QString& path) {
    std::vector<std::uint8_t> file;
    try {
        file = platform::readWholeFile(path);
    } catch (const Error&) {
        throw CommandFailed(errorMessage("Error: Error Opening File!"));
    }
    const Message notOpened = errorMessage("Error: File Not Opened!");
    try {
        return files::readDocument(current, file, path.toStdString());
    } catch (const files::UnknownFileKind& error) {
        throw CommandFailed({{MessageIcon::None, "File Error!", error.what()}, notOpened});
    } catch (const Error& error) {
        throw CommandFailed({plainMessage(QString::fromStdString(error.what())), notOpened});
    }
}

}  // namespace tarnwick::ui
