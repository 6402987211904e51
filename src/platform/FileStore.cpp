#include "platform/FileStore.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <QFile>
#include <QFileInfo>

#include "core/Error.h"
#include "platform/FileAttributes.h"
#include "platform/SiblingTempFile.h"
#include "platform/StreamOutput.h"

namespace tarnwick::platform {

namespace {

// The file a save replaces: a symbolic link stays a link, and the file it names, through a chain
// of links, gets the bytes; it may not exist yet. Nothing, with errno ELOOP, for a loop.
std::optional<std::string> linkedFile(std::string path) {
    constexpr int kMostLinks = 40;  // as the system follows
    for (int links = 0;; ++links) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return path;
        }
        std::error_code error;
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error || links == kMostLinks) {
            errno = error ? error.value() : ELOOP;
            return std::nullopt;
        }
        path = (std::filesystem::path(path).parent_path() / target).string();
    }
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

LinksWouldSeparate::LinksWouldSeparate(const std::string& name, nlink_t count)
    : SaveFailed(
          Step::Create, name,
          name + " has " + std::to_string(count) + " hard links; saving would separate them"),
      links(count) {}

nlink_t hardLinkCount(const QString& path) {
    struct stat status {};
    const bool found = ::stat(QFile::encodeName(path).constData(), &status) == 0;
    return found && S_ISREG(status.st_mode) ? status.st_nlink : 0;
}

void saveWholeFile(const QString& path, std::span<const std::uint8_t> data, OtherLinks otherLinks) {
    const std::string name = path.toStdString();
    const auto refuse = [&name](int error) {
        throw SaveFailed(SaveFailed::Step::Create, name, std::strerror(error));
    };
    if (auto stream = StreamOutput::named(QFile::encodeName(path).toStdString())) {
        writeStraightThrough(*stream, name, data);
        return;
    }
    const auto target = linkedFile(QFile::encodeName(path).toStdString());
    if (!target) {
        refuse(errno);
    }
    struct stat existing {};
    const bool exists = ::stat(target->c_str(), &existing) == 0;
    if (!exists && errno != ENOENT) {
        refuse(errno);
    }
    if (exists && S_ISDIR(existing.st_mode)) {
        refuse(EISDIR);
    }
    // A file its owner made read-only is not replaced behind their back, not even by root, whom
    // access() lets write anything: so a file nobody may write is refused as well.
    if (exists && ::access(target->c_str(), W_OK) != 0) {
        refuse(errno);
    }
    if (exists && (existing.st_mode & 0222) == 0) {
        refuse(EACCES);
    }
    // The save makes a new file: the file's other names would keep the old bytes.
    if (exists && existing.st_nlink > 1 && otherLinks == OtherLinks::Refuse) {
        throw LinksWouldSeparate(name, existing.st_nlink);
    }
    SiblingTempFile temporary(*target);
    if (!temporary.create()) {
        throw SaveFailed(SaveFailed::Step::Create, name, temporary.reason());
    }
    if (exists && !takeOverAttributes(temporary.descriptor(), *target, existing)) {
        refuse(errno);
    }
    if (!temporary.write(data) || !temporary.replaceTarget()) {
        throw SaveFailed(SaveFailed::Step::Write, name, temporary.reason());
    }
}

}  // namespace tarnwick::platform
