#include "platform/FileStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>

#include <QFile>

#include "core/Error.h"
#include "platform/FileAttributes.h"
#include "platform/FileNames.h"
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

std::vector<std::uint8_t> readWholeFile(const QString& path, bytes::InputLimit limit) {
    const std::string name = shownFileName(path);
    const int descriptor = ::open(bytesOfFileName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        throw ReadFailed(ReadFailed::Step::Open, name, std::strerror(errno));
    }
    try {
        auto content = readOpenFile(descriptor, name, limit);
        ::close(descriptor);
        return content;
    } catch (...) {
        ::close(descriptor);
        throw;
    }
}

std::vector<std::uint8_t> readStandardInput(bytes::InputLimit limit) {
    return readOpenFile(STDIN_FILENO, "standard input", limit);
}

std::vector<std::uint8_t> readOpenFile(int descriptor, const std::string& name,
                                       bytes::InputLimit limit) {
    const auto tooLong = [&] {
        return ReadFailed(ReadFailed::Step::Read, name,
                          std::string("longer than any ") + limit.kind + " (" +
                              std::to_string(limit.bytes) + " bytes at most)");
    };
    struct stat status {};
    const bool regular = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
    if (regular && static_cast<std::uintmax_t>(status.st_size) > limit.bytes) {
        throw tooLong();
    }
    try {
        std::vector<std::uint8_t> content;
        if (regular) {
            content.reserve(static_cast<std::size_t>(status.st_size));
        }
        std::uint8_t block[65536];
        // One byte more than the limit tells a pipe or a device that goes on from one that ends.
        while (content.size() <= limit.bytes) {
            const std::size_t wanted = std::min(sizeof block, limit.bytes + 1 - content.size());
            const ssize_t count = ::read(descriptor, block, wanted);
            if (count > 0) {
                content.insert(content.end(), block, block + count);
            } else if (count == 0) {
                return content;
            } else if (errno != EINTR) {
                throw ReadFailed(ReadFailed::Step::Read, name, std::strerror(errno));
            }
        }
    } catch (const std::bad_alloc&) {
        throw ReadFailed(ReadFailed::Step::Read, name, std::strerror(ENOMEM));
    }
    throw tooLong();
}

void writeStandardOutput(std::span<const std::uint8_t> data) {
    writeStraightThrough(StreamOutput::standardOutput(), "standard output", data);
}

std::optional<FileIdentity> regularFileAt(const QString& path) {
    struct stat status {};
    return regularFile(::stat(bytesOfFileName(path).constData(), &status), status);
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
    const bool found = ::stat(bytesOfFileName(path).constData(), &status) == 0;
    return found && S_ISREG(status.st_mode) ? status.st_nlink : 0;
}

void saveWholeFile(const QString& path, std::span<const std::uint8_t> data, OtherLinks otherLinks) {
    const std::string name = shownFileName(path);
    const auto refuse = [&name](int error) {
        throw SaveFailed(SaveFailed::Step::Create, name, std::strerror(error));
    };
    if (auto stream = StreamOutput::named(bytesOfFileName(path).toStdString())) {
        writeStraightThrough(*stream, name, data);
        return;
    }
    const auto target = linkedFile(bytesOfFileName(path).toStdString());
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

void writeInPlace(const QString& path, std::span<const std::uint8_t> data) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        throw SaveFailed(SaveFailed::Step::Create, shownFileName(path),
                         file.errorString().toStdString());
    }
    const auto size = static_cast<qint64>(data.size());
    if (file.write(reinterpret_cast<const char*>(data.data()), size) != size || !file.flush()) {
        throw SaveFailed(SaveFailed::Step::Write, shownFileName(path),
                         file.errorString().toStdString());
    }
}

}  // namespace tarnwick::platform
