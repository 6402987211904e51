#include "FullDisk.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace tarnwick::testsupport {

FullDisk::FullDisk(std::size_t kibibytes) {
    std::string pattern = (std::filesystem::temp_directory_path() / "full-disk-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        failure_ = std::strerror(errno);
        return;
    }
    root_ = pattern;
    const std::string options = "size=" + std::to_string(kibibytes) + "k";
    if (::mount("tmpfs", root_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        failure_ = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
        return;
    }
    mounted_ = true;
}

FullDisk::~FullDisk() {
    if (mounted_) {
        ::umount2(root_.c_str(), MNT_DETACH);
    }
    if (!root_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
}

void FullDisk::fill() const {
    const int fd = ::open(path("filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) {
        return;
    }
    const std::array<char, 512> block{};
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    ::close(fd);
}

void FullDisk::fillLeaving(std::size_t bytes) const {
    fill();
    const std::string filler = path("filler");
    const auto size = std::filesystem::file_size(filler);
    std::filesystem::resize_file(filler, size > bytes ? size - bytes : 0);
}

std::vector<std::string> FullDisk::names() const {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(root_)) {
        found.push_back(entry.path().filename().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace tarnwick::testsupport
