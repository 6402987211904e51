#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/model/Document.h"

class QImage;

namespace tarnwick::tool {

// The files the commands read and write, named as given on the command line.
std::vector<std::uint8_t> readInput(const std::string& path);
// Replaces the file only when every byte is written.
void writeOutput(const std::string& path, std::span<const std::uint8_t> bytes);

// The picture as PNG, replaced as writeOutput replaces.
void writePng(const std::string& path, const QImage& image);
// Whether `path` ends in `extension` (".png"), in any letter case.
bool hasExtension(const std::string& path, const char* extension);

// Any kind the editor's Open reads, detected the same way.
model::Document openDocument(const std::string& path);
// As openDocument, refusing upgrade data, which holds no units.
model::Document openUnitData(const std::string& path);
// In the form it was read in.
void saveDocument(const model::Document& document, const std::string& path);

}  // namespace tarnwick::tool
