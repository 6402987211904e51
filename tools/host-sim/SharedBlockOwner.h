#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tarnwick::hostsim {

// The host's shared block: a POSIX shared-memory object created (never opened: it must not
// exist yet) with mode 0600, sized and filled, mapped for as long as the object lives, and
// removed again when it goes. Throws tarnwick::Error with the reason when it cannot be made.
class SharedBlockOwner {
  public:
    SharedBlockOwner(std::string name, std::span<const std::uint8_t> contents);
    ~SharedBlockOwner();
    SharedBlockOwner(const SharedBlockOwner&) = delete;
    SharedBlockOwner& operator=(const SharedBlockOwner&) = delete;

    std::span<std::uint8_t> bytes() { return {static_cast<std::uint8_t*>(view_), size_}; }
    const std::string& name() const { return name_; }

    // Removes the object's name now (the mapping stays usable); the destructor does it anyway.
    void unlinkName();

  private:
    void release();

    std::string name_;
    int descriptor_ = -1;
    void* view_ = nullptr;
    std::size_t size_ = 0;
    bool linked_ = false;
};

}  // namespace tarnwick::hostsim
