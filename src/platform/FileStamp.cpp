#include "platform/FileStamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include <QCryptographicHash>
#include <QFile>

namespace tarnwick::platform {

namespace {

constexpr auto kDigest = QCryptographicHash::Sha256;

FileStamp stampOf(const struct stat& status, QByteArray digest) {
    return {
        {status.st_dev, status.st_ino},
        static_cast<std::int64_t>(status.st_size),
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
        std::move(digest)};
}

std::optional<struct stat> regularStatus(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return status;
}

// The file's status, taken before its bytes are read, and the digest of those bytes.
struct ReadStamp {
    struct stat status;
    QByteArray digest;
};

std::optional<ReadStamp> readStamp(const QString& path) {
    // Not blocking: a pipe put in the file's place must not hang the editor.
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (descriptor < 0) {
        return std::nullopt;
    }
    ReadStamp result{};
    QCryptographicHash digest(kDigest);
    bool read = ::fstat(descriptor, &result.status) == 0 && S_ISREG(result.status.st_mode);
    std::array<char, 65536> buffer{};
    while (read) {
        const ssize_t got = ::read(descriptor, buffer.data(), buffer.size());
        if (got > 0) {
            digest.addData(QByteArrayView(buffer.data(), got));
        } else if (got == 0) {
            break;
        } else if (errno != EINTR) {
            read = false;
        }
    }
    ::close(descriptor);
    if (!read) {
        return std::nullopt;
    }
    result.digest = digest.result();
    return result;
}

}  // namespace

std::optional<FileStamp> stampFile(const QString& path) {
    auto read = readStamp(path);
    if (!read) {
        return std::nullopt;
    }
    return stampOf(read->status, std::move(read->digest));
}

std::optional<FileStamp> stampWrittenFile(const QString& path,
                                          std::span<const std::uint8_t> content) {
    const auto status = regularStatus(path);
    if (!status) {
        return std::nullopt;
    }
    const QByteArrayView bytes(reinterpret_cast<const char*>(content.data()),
                               static_cast<qsizetype>(content.size()));
    return stampOf(*status, QCryptographicHash::hash(bytes, kDigest));
}

bool changedSince(const FileStamp& stamp, const QString& path) {
    const auto status = regularStatus(path);
    if (!status) {
        return false;
    }
    const FileStamp now = stampOf(*status, stamp.digest);
    if (now != stamp) {
        return true;
    }
    // Every cheap sign agrees; only the bytes tell a rewrite within one tick of the clock.
    const auto read = readStamp(path);
    return read && read->digest != stamp.digest;
}

}  // namespace tarnwick::platform
