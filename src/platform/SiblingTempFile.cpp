#include "platform/SiblingTempFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <utility>

namespace tarnwick::platform {

namespace {

constexpr int kSlots = 100;
constexpr std::size_t kSlotLength = 6;
constexpr std::string_view kMark = ".tarnwick-";
// Room for the dot, the mark and the slot's letters within a name's 255 bytes.
constexpr std::size_t kLongestNamePart = 255 - 1 - kMark.size() - kSlotLength;

// FNV-1a: the same letters for the same name on every run and every machine.
std::uint64_t hashed(std::string_view bytes, std::uint64_t hash = 14695981039346656037ull) {
    for (const char byte : bytes) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
    }
    return hash;
}

enum class Lock { Taken, Held, Unsupported };

// Without waiting. A file system without locks (ENOLCK, EOPNOTSUPP) says so on any file.
Lock lockOf(int descriptor) {
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
        return Lock::Taken;
    }
    return errno == EWOULDBLOCK ? Lock::Held : Lock::Unsupported;
}

// Removes the file at `path` if nobody holds its lock, its writer having gone. The lock is held
// until it is gone, and the name must still be the file locked: another save may have removed
// that one meanwhile and made a new one there.
void removeIfStale(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (descriptor < 0) {
        return;
    }
    struct stat locked {};
    struct stat named {};
    if (::fstat(descriptor, &locked) == 0 && S_ISREG(locked.st_mode) &&
        lockOf(descriptor) == Lock::Taken && ::fstat(descriptor, &locked) == 0 &&
        locked.st_nlink > 0 && ::lstat(path.c_str(), &named) == 0 &&
        named.st_dev == locked.st_dev && named.st_ino == locked.st_ino) {
        ::unlink(path.c_str());
    }
    ::close(descriptor);
}

// With the permissions a new file gets (0666 less the umask); the caller gives an existing
// target's its own.
int openNew(const std::string& path) {
    return ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

}  // namespace

SiblingTempFile::SiblingTempFile(std::string target) : target_(std::move(target)) {
    const std::filesystem::path path(target_);
    directory_ = path.parent_path().string();
    if (directory_.empty()) {
        directory_ = ".";
    }
    const std::string name = path.filename().string();
    prefix_ = "." + name.substr(0, kLongestNamePart) + std::string(kMark);
    nameHash_ = hashed(name);
}

SiblingTempFile::~SiblingTempFile() {
    if (descriptor_ >= 0) {
        ::unlink(path_.c_str());
        ::close(descriptor_);
    }
}

bool SiblingTempFile::fail() {
    reason_ = std::strerror(errno);
    return false;
}

std::string SiblingTempFile::slotPath(int slot) const {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::uint64_t hash = hashed(std::to_string(slot), nameHash_);
    std::string letters(kSlotLength, ' ');
    for (char& letter : letters) {
        letter = kLetters[hash % (sizeof kLetters - 1)];
        hash /= sizeof kLetters - 1;
    }
    return directory_ + "/" + prefix_ + letters;
}

void SiblingTempFile::removeStaleFiles(int ownSlot) const {
    for (int slot = 0; slot < kSlots; ++slot) {
        if (slot != ownSlot) {
            removeIfStale(slotPath(slot));
        }
    }
}

bool SiblingTempFile::create() {
    for (int slot = 0; slot < kSlots; ++slot) {
        const std::string path = slotPath(slot);
        int descriptor = openNew(path);
        if (descriptor < 0 && errno == EEXIST) {
            removeIfStale(path);
            descriptor = openNew(path);
        }
        if (descriptor < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return fail();
        }
        const Lock lock = lockOf(descriptor);
        struct stat status {};
        // Another save may have found it before it was locked and taken it for stale: that one
        // removes it.
        if (lock == Lock::Held || ::fstat(descriptor, &status) != 0 || status.st_nlink == 0) {
            ::close(descriptor);
            continue;
        }
        path_ = path;
        descriptor_ = descriptor;
        if (lock == Lock::Taken) {
            removeStaleFiles(slot);
        }
        return true;
    }
    errno = EEXIST;
    return fail();
}

bool SiblingTempFile::write(std::span<const std::uint8_t> data) {
    while (!data.empty()) {
        const ssize_t written = ::write(descriptor_, data.data(), data.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {  // never for a regular file, but it must not spin
                errno = EIO;
            }
            return fail();
        }
        data = data.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

bool SiblingTempFile::replaceTarget() {
    // File systems that allocate late report a full disk or an I/O error only here.
    if (::fsync(descriptor_) != 0 || std::rename(path_.c_str(), target_.c_str()) != 0) {
        return fail();
    }
    ::close(descriptor_);
    descriptor_ = -1;
    return true;
}

}  // namespace tarnwick::platform
