#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tarnwick::platform {

// The file an atomic save writes before it replaces its target: beside the target (a rename
// never crosses file systems) and named ".<target's name>.tarnwick-XXXXXX", so that a user who
// finds one left by a killed run knows what it is. Its writer holds a lock on it while it lives;
// the next save to the same target takes the lock of every such file it finds, which only
// succeeds on one whose writer is gone, and removes those. (The folder is read for them once per
// run: one left meanwhile by another run is removed by the next run.) Each step returns false
// with the system's reason in reason().
class SiblingTempFile {
  public:
    // `target` is the file to replace, symbolic links already followed.
    explicit SiblingTempFile(std::string target);
    // A file that did not replace its target is removed.
    ~SiblingTempFile();
    SiblingTempFile(const SiblingTempFile&) = delete;
    SiblingTempFile& operator=(const SiblingTempFile&) = delete;

    // Removes the stale files of earlier saves, then creates this one with `mode`, or for a new
    // target with the permissions a new file gets (0666 less the umask).
    bool create(std::optional<mode_t> mode);
    // All of `data`; a write the disk took only in part is carried on until the system says why
    // it takes no more.
    bool write(std::span<const std::uint8_t> data);
    // Syncs the file to the disk, checking that the sync worked, then renames it over the target.
    bool replaceTarget();

    const std::string& reason() const { return reason_; }

  private:
    bool fail();
    void removeStaleFiles() const;

    std::string target_;
    std::string directory_;
    std::string prefix_;  // ".<target's name>.tarnwick-"
    std::string path_;
    int descriptor_ = -1;
    std::string reason_;
};

}  // namespace tarnwick::platform
