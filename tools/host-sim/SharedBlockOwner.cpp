#include "SharedBlockOwner.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "core/Error.h"

namespace tarnwick::hostsim {

namespace {

std::string reason() {
    return std::strerror(errno);
}

}  // namespace

SharedBlockOwner::SharedBlockOwner(std::string name, std::span<const std::uint8_t> contents)
    : name_(std::move(name)), size_(contents.size()) {
    descriptor_ = shm_open(name_.c_str(), O_RDWR | O_CREAT | O_EXCL, S_IRUSR | S_IWUSR);
    if (descriptor_ < 0) {
        if (errno == EEXIST) {
            throw Error("The shared block " + name_ +
                        " already exists: another host is running, or one ended without "
                        "removing it (then remove /dev/shm" +
                        name_ + ")");
        }
        throw Error("Cannot create the shared block " + name_ + ": " + reason());
    }
    linked_ = true;
    try {
        // The umask can only take permissions away; make sure nobody else gets any.
        if (fchmod(descriptor_, S_IRUSR | S_IWUSR) != 0 ||
            ftruncate(descriptor_, static_cast<off_t>(size_)) != 0) {
            throw Error("Cannot size the shared block " + name_ + ": " + reason());
        }
        if (size_ > 0) {  // an empty block (for tests of refusals) has nothing to map
            view_ = mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_SHARED, descriptor_, 0);
            if (view_ == MAP_FAILED) {
                view_ = nullptr;
                throw Error("Cannot map the shared block " + name_ + ": " + reason());
            }
            std::copy(contents.begin(), contents.end(), static_cast<std::uint8_t*>(view_));
        }
    } catch (...) {
        release();
        throw;
    }
}

SharedBlockOwner::~SharedBlockOwner() {
    release();
}

void SharedBlockOwner::release() {
    if (view_ != nullptr) {
        munmap(view_, size_);
        view_ = nullptr;
    }
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
    unlinkName();
}

void SharedBlockOwner::unlinkName() {
    if (linked_) {
        shm_unlink(name_.c_str());
        linked_ = false;
    }
}

}  // namespace tarnwick::hostsim
