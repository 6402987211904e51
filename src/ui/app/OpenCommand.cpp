#include "ui/app/OpenCommand.h"

#include "core/Error.h"
#include "core/files/DocumentFiles.h"
#include "platform/FileNames.h"
#include "platform/FileStore.h"
#include "ui/prompts/CommandFailed.h"

namespace tarnwick::ui {

model::Document readDocumentFile(const model::Document& current, const QString& path) {
    std::vector<std::uint8_t> file;
    try {
        file = platform::readWholeFile(path, files::kLargestDocumentFile);
    } catch (const Error&) {
        throw CommandFailed(errorMessage("Error: Error Opening File!"));
    }
    return readDocumentBytes(current, file, path);
}

model::Document readDocumentBytes(const model::Document& current,
                                  std::span<const std::uint8_t> bytes, const QString& fileName) {
    const Message notOpened = errorMessage("Error: File Not Opened!");
    try {
        return files::readDocument(current, bytes,
                                   platform::bytesOfFileName(fileName).toStdString());
    } catch (const files::UnknownFileKind& error) {
        throw CommandFailed({{MessageIcon::None, "File Error!", error.what()}, notOpened});
    } catch (const Error& error) {
        throw CommandFailed({plainMessage(QString::fromStdString(error.what())), notOpened});
    }
}

}  // namespace tarnwick::ui
