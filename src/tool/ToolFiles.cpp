#include "tool/ToolFiles.h"

#include <filesystem>
#include <sstream>

#include <QBuffer>
#include <QImage>
#include <QString>

#include "core/files/DocumentFiles.h"
#include "platform/FileStore.h"
#include "tool/Command.h"

namespace tarnwick::tool {

std::vector<std::uint8_t> readInput(const std::string& path) {
    return platform::readWholeFile(QString::fromStdString(path));
}

Error aboutFile(const std::string& path, const std::exception& error) {
    std::istringstream lines(error.what());
    std::string message;
    for (std::string line; std::getline(lines, line);) {
        message += (message.empty() ? "\"" : "\n\"") + path + "\": " + line;
    }
    return Error(message);
}

void refuseOutputOverInput(const std::string& output, std::initializer_list<std::string> inputs) {
    for (const std::string& input : inputs) {
        std::error_code missing;  // a file that does not exist is no other file
        if (std::filesystem::equivalent(output, input, missing)) {
            throw UsageError("OUT is the input file");
        }
    }
}

void writeOutput(const std::string& path, std::span<const std::uint8_t> bytes) {
    platform::saveWholeFile(QString::fromStdString(path), bytes);
}

void writePng(const std::string& path, const QImage& image) {
    QByteArray encoded;
    QBuffer buffer(&encoded);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        throw Error("Cannot encode \"" + path + "\" as PNG");
    }
    writeOutput(path, std::span(reinterpret_cast<const std::uint8_t*>(encoded.constData()),
                                static_cast<std::size_t>(encoded.size())));
}

bool hasExtension(const std::string& path, const char* extension) {
    return QString::fromStdString(path).endsWith(QString::fromLatin1(extension),
                                                 Qt::CaseInsensitive);
}

model::Document openDocument(const std::string& path) {
    const auto file = readInput(path);
    try {
        return files::readDocument({}, file, path);
    } catch (const Error& error) {
        throw aboutFile(path, error);
    }
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
