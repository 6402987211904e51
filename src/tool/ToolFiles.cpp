#include "tool/ToolFiles.h"

#include <unistd.h>

#include <sstream>

#include <QString>

#include "core/bytes/Printable.h"
#include "core/files/DocumentFiles.h"
#include "platform/FileNames.h"
#include "platform/FileStore.h"
#include "platform/StreamOutput.h"
#include "tool/Command.h"

namespace tarnwick::tool {

namespace {

constexpr const char* kStandardStream = "-";

bool isStandardStream(const std::string& path) {
    return path == kStandardStream;
}

// The platform names the file as it opened it; the tool names it as it was given, first.
Error fileFailure(const std::string& path, const platform::FileFailed& failure) {
    return Error(quoted(path) + ": cannot " + failure.verb() + ": " + failure.reason);
}

bool standardInputTaken = false;
platform::OtherLinks otherLinksOfOutputs = platform::OtherLinks::Refuse;

std::vector<std::uint8_t> readStandardInput(bytes::InputLimit limit) {
    if (standardInputTaken) {
        throw UsageError("\"-\" is standard input, which is read once: give it for one input");
    }
    standardInputTaken = true;
    return platform::readStandardInput(limit);
}

// The regular file an input or an output names; "-" names what standard input or output holds.
std::optional<platform::FileIdentity> regularFileNamed(const std::string& path,
                                                       int standardDescriptor) {
    return isStandardStream(path) ? platform::regularFileOn(standardDescriptor)
                                  : platform::regularFileAt(systemName(path));
}

bool isTerminal(const std::string& path) {
    if (isStandardStream(path)) {
        return platform::StreamOutput::standardOutput().isTerminal();
    }
    const auto stream = platform::StreamOutput::named(path);
    return stream && stream->isTerminal();
}

}  // namespace

std::string quoted(const std::string& path) {
    return '"' + bytes::printableName(path) + '"';
}

QString systemName(const std::string& path) {
    return platform::fileNameFromBytes(QByteArray::fromStdString(path));
}

std::string commandLineName(const QString& path) {
    return platform::bytesOfFileName(path).toStdString();
}

std::vector<std::uint8_t> readInput(const std::string& path, bytes::InputLimit limit) {
    try {
        return isStandardStream(path) ? readStandardInput(limit)
                                      : platform::readWholeFile(systemName(path), limit);
    } catch (const platform::ReadFailed& failure) {
        throw fileFailure(path, failure);
    }
}

MappedInput::MappedInput(const std::string& path, bytes::InputLimit limit) {
    if (isStandardStream(path)) {
        read_ = readInput(path, limit);
        return;
    }
    try {
        file_.emplace(systemName(path), limit);
    } catch (const platform::ReadFailed& failure) {
        throw fileFailure(path, failure);
    }
}

StandardInputTurn::StandardInputTurn() {
    standardInputTaken = false;
}

StandardInputTurn::~StandardInputTurn() {
    standardInputTaken = false;
}

void treatOtherLinksOfOutputs(platform::OtherLinks otherLinks) {
    otherLinksOfOutputs = otherLinks;
}

Error aboutFile(const std::string& path, const std::exception& error) {
    std::istringstream lines(error.what());
    std::string message;
    for (std::string line; std::getline(lines, line);) {
        message += (message.empty() ? "" : "\n") + quoted(path) + ": " + line;
    }
    return Error(message);
}

void checkOutput(const std::string& output, std::initializer_list<std::string> inputs,
                 OutputForm form) {
    if (form == OutputForm::Binary && isTerminal(output)) {
        throw UsageError(quoted(output) +
                         " is a terminal: binary output goes to a file or a pipe (> or |)");
    }
    const auto written = regularFileNamed(output, STDOUT_FILENO);
    for (const std::string& input : inputs) {
        if (written && written == regularFileNamed(input, STDIN_FILENO)) {
            throw UsageError("OUT is the input file");
        }
    }
}

bool isStream(const std::string& path) {
    return isStandardStream(path) || platform::StreamOutput::named(path).has_value();
}

void writeOutput(const std::string& path, std::span<const std::uint8_t> bytes, OutputWrite how) {
    try {
        if (isStandardStream(path)) {
            platform::writeStandardOutput(bytes);
        } else if (how == OutputWrite::InPlace) {
            platform::writeInPlace(systemName(path), bytes);
        } else {
            platform::saveWholeFile(systemName(path), bytes, otherLinksOfOutputs);
        }
    } catch (const platform::LinksWouldSeparate& refusal) {
        throw Error(refusal.reason);  // names the file already, as it was given
    } catch (const platform::SaveFailed& failure) {
        throw fileFailure(path, failure);
    }
}

bool hasExtension(const std::string& path, const char* extension) {
    return QString::fromStdString(path).endsWith(QString::fromLatin1(extension),
                                                 Qt::CaseInsensitive);
}

model::Document openDocument(const std::string& path) {
    const auto file = readInput(path, files::kLargestDocumentFile);
    try {
        return files::readDocument({}, file, path);
    } catch (const Error& error) {
        throw aboutFile(path, error);
    }
}

model::Document openUnitData(const std::string& path) {
    model::Document document = openDocument(path);
    if (document.kind == model::DocumentKind::UpgradeData) {
        throw Error(quoted(path) + " holds upgrade data, no unit data");
    }
    return document;
}

void saveDocument(const model::Document& document, const std::string& path) {
    writeOutput(path, files::writeDocument(document));
}

}  // namespace tarnwick::tool
