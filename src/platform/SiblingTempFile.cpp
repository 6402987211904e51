#include "platform/SiblingTempFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

#include <QRandomGenerator>

namespace tarnwick::platform {

namespace {

constexpr std::size_t kRandomLength = 6;
constexpr std::string_view kMark = ".tarnwick-";
// Room for the dot, the mark and the random part within a name's 255 bytes.
constexpr std::size_t kLongestNamePart = 255 - 1 - kMark.size() - kRandomLength;

std::string randomPart() {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string part(kRandomLength, ' ');
    for (char& letter : part) {
        letter = kLetters[QRandomGenerator::global()->bounded(int{sizeof kLetters - 1})];
    }
    return part;
}

// The names in `directory` that look like temporary files of saves, any target's. A folder is
// read once per run: a batch that saves thousands of files into one folder must not read it
// thousands of times.
std::vector<std::string>& temporaryNamesIn(const std::string& directory) {
    static std::map<std::string, std::vector<std::string>> known;
    const auto found = known.find(directory);
    if (found != known.end()) {
        return found->second;
    }
    std::vector<std::string>& names = known[directory];
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(directory, ignored)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 1 + kMark.size() + kRandomLength && name.front() == '.' &&
            name.compare(name.size() - kRandomLength - kMark.size(), kMark.size(), kMark) == 0) {
            names.push_back(name);
        }
    }
    return names;
}

// True when `path` is a file nobody holds the lock of: its writer has gone.
bool isStale(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (descriptor < 0) {
        return false;
    }
    struct stat status {};
    const bool stale = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
                       ::flock(descriptor, LOCK_EX | LOCK_NB) == 0;
    ::close(descriptor);
    return stale;
}

}  // namespace

SiblingTempFile::SiblingTempFile(std::string target) : target_(std::move(target)) {
    const std::filesystem::path path(target_);
    directory_ = path.parent_path().string();
    if (directory_.empty()) {
        directory_ = ".";
    }
    prefix_ = "." + path.filename().string().substr(0, kLongestNamePart) + std::string(kMark);
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

void SiblingTempFile::removeStaleFiles() const {
    static std::mutex guard;
    const std::lock_guard lock(guard);
    std::vector<std::string>& names = temporaryNamesIn(directory_);
    std::erase_if(names, [this](const std::string& name) {
        const std::string path = directory_ + "/" + name;
        if (name.size() != prefix_.size() + kRandomLength || !name.starts_with(prefix_)) {
            return false;
        }
        if (isStale(path)) {
            ::unlink(path.c_str());
        }
        return true;  // a live one's writer removes it, or renames it over the target
    });
}

bool SiblingTempFile::create(std::optional<mode_t> mode) {
    removeStaleFiles();
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = directory_ + "/" + prefix_ + randomPart();
        const int descriptor = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return fail();
        }
        struct stat status {};
        // Another save may have found it before it was locked and taken it for stale.
        if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0 || ::fstat(descriptor, &status) != 0 ||
            status.st_nlink == 0) {
            ::close(descriptor);
            continue;
        }
        descriptor_ = descriptor;
        if (mode && ::fchmod(descriptor_, *mode) != 0) {
            return fail();
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
