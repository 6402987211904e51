#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "core/Error.h"
#include "core/model/Document.h"

class QImage;

namespace tarnwick::tool {

// The files the commands read and write, named as given on the command line.
std::vector<std::uint8_t> readInput(const std::string& path);

// `error` as said of the file at `path`: every line of its message starts with the file's name,
// so that a command that reads several files says which one is meant.
Error aboutFile(const std::string& path, const std::exception& error);

// Refuses, as a usage error "OUT is the input file", an output that is the same file as one of
// `inputs`: told by device and inode, so "./a.pud", a hard link or a symbolic link count too.
// For commands whose output is of another kind than that input.
void refuseOutputOverInput(const std::string& output, std::initializer_list<std::string> inputs);
// Replaces the file only when every byte is written.
void writeOutput(const std::string& path, std::span<const std::uint8_t> bytes);

// The picture as PNG, replaced as writeOutput replaces.
void writePng(const std::string& path, const QImage& image);
// Whether `path` ends in `extension` (".png"), in any letter case.
bool hasExtension(const std::string& path, const char* extension);

// Any kind the editor's Open reads, detected the same way; a refusal names the file.
model::Document openDocument(const std::string& path);
// As openDocument, refusing upgrade data, which holds no units.
model::Document openUnitData(const std::string& path);
// In the form it was read in.
void saveDocument(const model::Document& document, const std::string& path);

}  // namespace tarnwick::tool
