#include "platform/StreamOutput.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

namespace tarnwick::platform {

namespace {

namespace fs = std::filesystem;

// The descriptor `path` names when it is one of this program's own, as /proc/self/fd/N is and
// /dev/fd/N; /dev/stdout is a link to one of them.
std::optional<int> ownDescriptorNamed(const fs::path& path) {
    const std::string name = path.filename().string();
    if (name.empty() || name.size() > 9 ||
        !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    std::error_code failed;
    const fs::path ownDescriptors = fs::canonical("/proc/self/fd", failed);
    if (failed || fs::weakly_canonical(path.parent_path(), failed) != ownDescriptors || failed) {
        return std::nullopt;
    }
    return std::stoi(name);
}

// A descriptor of this program that `path` or a link on the way from it names.
std::optional<int> descriptorBehind(fs::path path) {
    for (int depth = 0; depth < 40; ++depth) {
        if (const auto descriptor = ownDescriptorNamed(path)) {
            return descriptor;
        }
        std::error_code failed;
        if (!fs::is_symlink(path, failed)) {
            return std::nullopt;
        }
        const fs::path target = fs::read_symlink(path, failed);
        if (failed) {
            return std::nullopt;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return std::nullopt;
}

bool isStream(mode_t mode) {
    return S_ISFIFO(mode) || S_ISCHR(mode) || S_ISSOCK(mode);
}

// Waits until a descriptor that its owner made non-blocking takes more.
bool waitUntilWritable(int descriptor) {
    pollfd ready{descriptor, POLLOUT, 0};
    while (::poll(&ready, 1, -1) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

}  // namespace

StreamOutput StreamOutput::standardOutput() {
    return {STDOUT_FILENO, {}};
}

std::optional<StreamOutput> StreamOutput::named(const std::string& path) {
    if (const auto descriptor = descriptorBehind(path)) {
        return StreamOutput(*descriptor, {});
    }
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !isStream(status.st_mode)) {
        return std::nullopt;
    }
    return StreamOutput(-1, path);
}

bool StreamOutput::isTerminal() const {
    if (descriptor_ >= 0) {
        return ::isatty(descriptor_) == 1;
    }
    struct stat status {};
    if (::stat(path_.c_str(), &status) != 0 || !S_ISCHR(status.st_mode)) {
        return false;
    }
    const int descriptor = ::open(path_.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    const bool terminal = descriptor >= 0 && ::isatty(descriptor) == 1;
    if (descriptor >= 0) {
        ::close(descriptor);
    }
    return terminal;
}

bool StreamOutput::write(std::span<const std::uint8_t> data) {
    const auto fail = [this] {
        reason_ = std::strerror(errno);
        return false;
    };
    const int descriptor =
        descriptor_ >= 0 ? descriptor_ : ::open(path_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        notOpened_ = true;
        return fail();
    }
    bool written = true;
    while (written && !data.empty()) {
        const ssize_t count = ::write(descriptor, data.data(), data.size());
        if (count > 0) {
            data = data.subspan(static_cast<std::size_t>(count));
        } else if (count == 0) {
            errno = EIO;  // a stream that takes nothing and says nothing must not spin
            written = fail();
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            written = waitUntilWritable(descriptor) || fail();
        } else if (errno != EINTR) {
            written = fail();
        }
    }
    if (descriptor_ < 0 && ::close(descriptor) != 0 && written) {
        written = fail();
    }
    return written;
}

StreamOutputBuffer::StreamOutputBuffer(StreamOutput output) : output_(std::move(output)) {
    setp(block_, block_ + sizeof block_);
}

StreamOutputBuffer::~StreamOutputBuffer() {
    writePending();
}

bool StreamOutputBuffer::writePending() {
    const auto pending = static_cast<std::size_t>(pptr() - pbase());
    setp(block_, block_ + sizeof block_);
    // After one failure nothing more is written: a later block must not land after a gap.
    if (!failed_ && pending > 0) {
        failed_ = !output_.write({reinterpret_cast<const std::uint8_t*>(block_), pending});
    }
    return !failed_;
}

StreamOutputBuffer::int_type StreamOutputBuffer::overflow(int_type next) {
    if (!writePending()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(next, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(next);
        pbump(1);
    }
    return traits_type::not_eof(next);
}

int StreamOutputBuffer::sync() {
    return writePending() ? 0 : -1;
}

}  // namespace tarnwick::platform
