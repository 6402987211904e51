#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tarnwick::testsupport {

// A tiny tmpfs that a test fills up, to see what a save does when the disk is full. Mounting
// needs a mount namespace of the test's own: ctest starts full-disk tests under
// `unshare --user --map-root-user --mount`.
class FullDisk {
  public:
    explicit FullDisk(std::size_t kibibytes = 64);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool isMounted() const { return mounted_; }
    // Why mounting failed, for the skip message.
    const std::string& failure() const { return failure_; }
    std::string path(const std::string& name) const { return root_ + "/" + name; }
    // Takes every byte that is left, so the next write of any size fails.
    void fill() const;
    // Takes all but `bytes` (whole pages), so a larger write starts and the disk fills during it.
    void fillLeaving(std::size_t bytes) const;
    // The names in the disk's folder, sorted: a failed save must leave no temporary file.
    std::vector<std::string> names() const;

  private:
    std::string root_;
    bool mounted_ = false;
    std::string failure_;
};

}  // namespace tarnwick::testsupport
