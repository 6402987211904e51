#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <QString>

#include "core/Error.h"
#include "core/bytes/InputLimit.h"
#include "core/model/Document.h"
#include "platform/FileStore.h"
#include "platform/MappedFile.h"

namespace tarnwick::tool {

// The files the commands read and write, named as given on the command line: "-" is standard
// input as an input and standard output as an output. A message about one starts with its name
// as given: "b.pud": cannot open: No such file or directory; bytes of a name that are no UTF-8
// show as "\xE9". An input longer than the largest file of its kind is refused, named.

// `path` in double quotes as a message shows it.
std::string quoted(const std::string& path);

// A name from the command line as the platform takes it, its bytes unchanged, and back.
QString systemName(const std::string& path);
std::string commandLineName(const QString& path);

std::vector<std::uint8_t> readInput(const std::string& path, bytes::InputLimit limit);

// An input's bytes: a file is mapped, so that a large archive is read only where an entry is
// looked at; standard input is read whole.
class MappedInput {
  public:
    MappedInput(const std::string& path, bytes::InputLimit limit);
    std::span<const std::uint8_t> bytes() const { return file_ ? file_->bytes() : read_; }

  private:
    std::optional<platform::MappedFile> file_;
    std::vector<std::uint8_t> read_;
};

// Standard input can be read once: while one of these lives (a command's run), a second "-"
// among the inputs is refused as a usage error.
class StandardInputTurn {
  public:
    StandardInputTurn();
    ~StandardInputTurn();
    StandardInputTurn(const StandardInputTurn&) = delete;
    StandardInputTurn& operator=(const StandardInputTurn&) = delete;
};

// What writeOutput does, for the rest of a command's run, with a file that has other hard links:
// refuses it ("FILE has N hard links; saving would separate them"), or parts it from them
// (--break-links).
void treatOtherLinksOfOutputs(platform::OtherLinks otherLinks);

// `error` as said of the file at `path`: every line of its message starts with the file's name,
// so that a command that reads several files says which one is meant.
Error aboutFile(const std::string& path, const std::exception& error);

enum class OutputForm { Binary, Text };
// Checked before a command reads anything, so that nothing is done for an output that would be
// refused, both as usage errors: binary data is not written to a terminal, and `output` is not
// one of `inputs` ("OUT is the input file": told by device and inode, so "./a.pud", a hard link,
// a symbolic link or standard output redirected to it count too; a pipe or a device is no file
// to overwrite). Inputs are given by commands whose output is of another kind than those.
void checkOutput(const std::string& output, std::initializer_list<std::string> inputs = {},
                 OutputForm form = OutputForm::Binary);
// Whether `path` is written straight through: "-", a pipe, a device or /dev/stdout. Such an
// output has no name to tell its form by.
bool isStream(const std::string& path);
// Written straight through to a stream; a file is replaced only when every byte is written, or,
// InPlace, written into as it stands (a thumbnail service's output, see platform::writeInPlace).
enum class OutputWrite { Replace, InPlace };
void writeOutput(const std::string& path, std::span<const std::uint8_t> bytes,
                 OutputWrite how = OutputWrite::Replace);

// Whether `path` ends in `extension` (".png"), in any letter case.
bool hasExtension(const std::string& path, const char* extension);

// Any kind the editor's Open reads, detected the same way; a refusal names the file.
model::Document openDocument(const std::string& path);
// As openDocument, refusing upgrade data, which holds no units.
model::Document openUnitData(const std::string& path);
// In the form it was read in.
void saveDocument(const model::Document& document, const std::string& path);

}  // namespace tarnwick::tool
