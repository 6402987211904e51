#include "platform/FileStore.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QFile>
#include <QFileInfo>

#include "core/Error.h"
#include "platform/SiblingTempFile.h"
#include "platform/StreamOutput.h"

namespace tarnwick::platform {

namespace {

// The file a save replaces: a symbolic link stays a link, and the file it names gets the bytes.
QString followLinks(const QString& path) {
    QFileInfo file(path);
    for (int depth = 0; depth < 40 && file.isSymLink(); ++depth) {
        file.setFile(file.symLinkTarget());
    }
    return file.filePath();
}

void writeStraightThrough(StreamOutput stream, const std::string& name,
                          std::span<const std::uint8_t> data) {
    if (!stream.write(data)) {
        throw SaveFailed(stream.notOpened() ? SaveFailed::Step::Create : SaveFailed::Step::Write,
                         name, stream.reason());
    }
}

std::optional<FileIdentity> regularFile(int statResult, const struct stat& status) {
    if (statResult != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return FileIdentity{status.st_dev, status.st_ino};
}

const char* verbOf(FileFailed::Step step) {
    static const char* const verbs[] = {"open", "read", "create", "write"};
    return verbs[static_cast<int>(step)];
}

}  // namespace

FileFailed::FileFailed(Step failedStep, const std::string& name, std::string systemReason)
    : Error(std::string("Cannot ") + verbOf(failedStep) + " \"" + name + "\": " + systemReason),
      step(failedStep),
      reason(std::move(systemReason)) {}

const char* FileFailed::verb() const {
    return verbOf(step);
}

std::vector<std::uint8_t> readWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw ReadFailed(ReadFailed::Step::Open, path.toStdString(),
                         file.errorString().toStdString());
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw ReadFailed(ReadFailed::Step::Read, path.toStdString(),
                         file.errorString().toStdString());
    }
    return {content.begin(), content.end()};
}

std::vector<std::uint8_t> readStandardInput() {
    std::vector<std::uint8_t> content;
    std::uint8_t block[65536];
    for (;;) {
        const ssize_t count = ::read(STDIN_FILENO, block, sizeof block);
        if (count > 0) {
            content.insert(content.end(), block, block + count);
        } else if (count == 0) {
            return content;
        } else if (errno != EINTR) {
            throw ReadFailed(ReadFailed::Step::Read, "standard input", std::strerror(errno));
        }
    }
}

void writeStandardOutput(std::span<const std::uint8_t> data) {
    writeStraightThrough(StreamOutput::standardOutput(), "standard output", data);
}

std::optional<FileIdentity> regularFileAt(const QString& path) {
    struct stat status {};
    return regularFile(::stat(QFile::encodeName(path).constData(), &status), status);
}

std::optional<FileIdentity> regularFileOn(int descriptor) {
    struct stat status {};
    return regularFile(::fstat(descriptor, &status), status);
}

void saveWholeFile(const QString& path, std::span<const std::uint8_t> data) {
    const std::string name = path.toStdString();
    if (auto stream = StreamOutput::named(QFile::encodeName(path).toStdString())) {
        writeStraightThrough(*stream, name, data);
        return;
    }
    const std::string target = QFile::encodeName(followLinks(path)).toStdString();
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        throw SaveFailed(SaveFailed::Step::Create, name, std::strerror(EISDIR));
    }
    // A file its owner made read-only is not replaced behind their back.
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        throw SaveFailed(SaveFailed::Step::Create, name, std::strerror(errno));
    }
    SiblingTempFile temporary(target);
    if (!temporary.create(exists ? std::optional<mode_t>(existing.st_mode & 07777)
                                 : std::nullopt)) {
        throw SaveFailed(SaveFailed::Step::Create, name, temporary.reason());
    }
    if (!temporary.write(data) || !temporary.replaceTarget()) {
        throw SaveFailed(SaveFailed::Step::Write, name, temporary.reason());
    }
}

}  // namespace tarnwick::platform
