#include "tool/ToolFiles.h"

#include <QBuffer>
#include <QImage>
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
